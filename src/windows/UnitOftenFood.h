// The frequently used foods and recipes, or the set meals, in a tree from which the user double-clicks
// or drags items into the personal centre's food grid. Created once and kept.
#pragma once

#include "ExtCtrls.h"
#include "SkPanel.h"
#include "SkTreeVw.h"
#include "SkinnedSmallForm.h"

class TOftenFoodFrm : public TSkinnedSmallForm {
    Q_OBJECT
public:
    explicit TOftenFoodFrm(TComponent* AOwner);
    ~TOftenFoodFrm() override;

    TSkTreeView* TVFD;
    TSkGroupBox* GBP;
    TTimer* Timer1;
    // 1 set meals, 2 frequently used recipes and foods.
    int Mode = 2;

    // Shows the window under a caption in a mode and starts filling its tree.
    void Open(const QString& caption, int mode);

    void FormCreate(TObject* Sender);
    void Timer1Timer(TObject* Sender);
    void TVFDDblClick(TObject* Sender);
    void TVFDDragOver(TObject* Sender, TObject* Source, int X, int Y, TDragState State, bool& Accept);
    void TVFDEndDrag(TObject* Sender, TObject* Target, int X, int Y);

private:
    void FillOftenUsed();
    // Hands the selected item node to the personal centre's food grid.
    void ChooseSelected();
};

extern TOftenFoodFrm* OftenFoodFrm;
