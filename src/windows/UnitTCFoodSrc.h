// The food search: finds a food or recipe by name or by the pinyin initials of its name and adds the
// double-clicked one to its caller's food grid. Frees itself when closed.
#pragma once

#include "Grids.h"
#include "SkButton.h"
#include "SkDBGrid.h"
#include "SkEdit.h"
#include "SkRadChk.h"
#include "SkinnedSmallForm.h"

#include <QPointer>

class TTCFoodSrcFrm : public TSkinnedSmallForm {
    Q_OBJECT
public:
    explicit TTCFoodSrcFrm(TComponent* AOwner);
    ~TTCFoodSrcFrm() override;

    TSkRadioButton *rbSW, *rbSP;
    TSkEdit* edtQry;
    TSkButton* btnSrcFood;
    TSkDBGrid* dbgQry;
    TDataSource* DSQry;
    TADOQuery* AdoQry;

    // The grid picked rows go to; the caller sets it each time it opens the window.
    void SetTargetGrid(TStringGrid* grid) { FTargetGrid = grid; }

    void FormCreate(TObject* Sender);
    void FormClose(TObject* Sender, TCloseAction& Action);
    void btnSrcFoodClick(TObject* Sender);
    void edtQryChange(TObject* Sender);
    void dbgQryDblClick(TObject* Sender);

private:
    QPointer<TStringGrid> FTargetGrid;
};

extern TTCFoodSrcFrm* TCFoodSrcFrm;
