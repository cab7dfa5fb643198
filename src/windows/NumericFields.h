// The personal centre's number fields (a weight in kilograms, a height in centimetres) and reading
// their figure the way the windows store it.
#pragma once

#include "FieldRules.h"
#include "SkEditNumeric.h"

// A body measure: a number with at most one decimal shown (",0.#;(,0.#)"), so a second decimal is
// rounded to one on leaving. The edit's own reading picks the digits out of any text; here a text
// that is no figure (a pasted "70,5") stays as typed when the focus comes and goes, so that the save
// refuses it instead of storing the 705 the edit would have made of it.
class TMeasureEdit : public TSkNumericEdit {
public:
    explicit TMeasureEdit(TComponent* AOwner);

protected:
    void CMEnter(TMessage& Message) override;
    void CMExit(TMessage& Message) override;

private:
    // Empty, or a figure the edit may reformat without changing it.
    bool MayReformat() const;
};

// A figure as a user types it or the edit shows it: a plain number ("72.5", "1e3"), or one grouped by
// commas in their thousands places ("1,000.5"), negative with a minus or in brackets ("(5)"). Any
// other comma ("70,5", "1,0000") makes it no figure.
bool ParseShownFigure(const QString& text, double& value);

// The figure of a numeric edit within `range`, as the edit shows it: a figure with more decimals than
// the display format shows is rounded to the shown one, which the edit then shows, so that what is
// stored is what is seen. False, with the text left as it is, for no figure or one outside `range`.
bool ReadNumericField(TSkNumericEdit* Edit, const TNumberRange& Range, double& Value);
