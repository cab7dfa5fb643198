// Reading the figure of a numeric edit the way the windows store it.
#pragma once

#include "FieldRules.h"

class TSkNumericEdit;

// The number in a numeric edit within `range`: the text as typed, or the edit's own display of a
// number after the focus left it ("1,000" for 1000 under a grouping format). Any other text, such as
// a pasted "70,5", is no number rather than the 705 the edit's lenient reading would make of it.
bool ReadNumericField(TSkNumericEdit* Edit, const TNumberRange& Range, double& Value);
