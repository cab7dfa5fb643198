#include "DayDetailForm.h"

#include "UintDM.h"
#include "WindowBuilder.h"
#include "WindowGrids.h"
#include "UnitMain.h"

TDayDetailForm::TDayDetailForm(TComponent* AOwner, const QString& name, const QString& caption, int width,
                               int height, std::function<void()> forget)
    : TSkinnedSmallForm(AOwner, name, caption, width, height, true), FForget(std::move(forget)) {
    PlaceAtPopupOrigin(this);
    OnClose = [this](TObject* s, TCloseAction& a) { FormClose(s, a); };
}

TDayDetailForm::~TDayDetailForm() {
    if (FForget) FForget();
}

void TDayDetailForm::FormClose(TObject*, TCloseAction& Action) {
    Action = caFree;
    if (FForget) FForget();
}

TSkStringGrid* TDayDetailForm::MakeGrid(const QString& name, const std::vector<int>& widths,
                                        const QStringList& titles) {
    auto* grid = PlaceStringGrid(this, this, name, 6, 34, ClientWidth() - 12, ClientHeight() - 70);
    grid->SetColCount(int(widths.size()));
    grid->SetRowCount(2);
    grid->SetFixedCols(1);
    grid->SetFixedRows(1);
    grid->SetOptions(grid->Options() | goRowSelect);
    for (int c = 0; c < int(widths.size()); ++c)
        grid->SetColWidths(c, widths[c]);
    for (int c = 0; c < titles.size(); ++c)
        grid->SetCells(c + 1, 0, titles[c]);
    return grid;
}

TLabel* TDayDetailForm::MakeTotal(const QString& caption, const QString& valueName) {
    const int top = ClientHeight() - 28;
    PlaceLabel(this, this, QString(), caption, 12, top)->Font()->SetStyle(FontStyle(fsBold));
    auto* value = PlaceLabel(this, this, valueName, "0", 80, top);
    value->Font()->SetColor(clRed);
    value->Font()->SetStyle(FontStyle(fsBold));
    return value;
}

void TDayDetailForm::BeginDay(TStringGrid* grid) {
    lblTit->Font()->SetColor(clWhite);
    DM->ClearGrid(grid, 1);
}
