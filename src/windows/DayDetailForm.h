// What the two day-detail windows share: a stay-on-top skinned window with a read-only grid under its
// title and a total line below, that frees itself when closed.
#pragma once

#include "Grids.h"
#include "SkGrids.h"
#include "StdCtrls.h"
#include "SkinnedSmallForm.h"

#include <functional>

class TDayDetailForm : public TSkinnedSmallForm {
    Q_OBJECT
public:
    ~TDayDetailForm() override;
    void FormClose(TObject* Sender, TCloseAction& Action);

protected:
    // `forget` clears the window's global pointer when the window goes.
    TDayDetailForm(TComponent* AOwner, const QString& name, const QString& caption, int width, int height,
                   std::function<void()> forget);
    // The grid of `widths.size()` columns whose header row holds `titles` from column 1 on.
    TSkStringGrid* MakeGrid(const QString& name, const std::vector<int>& widths, const QStringList& titles);
    // The total's caption and its value label along the bottom.
    TLabel* MakeTotal(const QString& caption, const QString& valueName);
    // A new day: the title in white, the grid's data rows empty and one empty row left.
    void BeginDay(TStringGrid* grid);

private:
    std::function<void()> FForget;
};
