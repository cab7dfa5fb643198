#include "UnitOftenFood.h"

#include "ConstTables.h"
#include "UintDM.h"
#include "UserInfoUnit.h"
#include "ProgramImages.h"
#include "WindowBuilder.h"
#include "UnitMain.h"

TOftenFoodFrm* OftenFoodFrm = nullptr;

TOftenFoodFrm::TOftenFoodFrm(TComponent* AOwner)
    : TSkinnedSmallForm(AOwner, "OftenFoodFrm", "常用食物", 236, 470, true) {
    lblTit->SetCaption("常食用食物列表");
    TVFD = PlaceTree(this, this, "TVFD", 6, 34, 224, 400, false);
    TVFD->SetDragMode(dmAutomatic);
    ActOnDoubleClickOrEnter(TVFD, [this](TObject* s) { TVFDDblClick(s); });
    TVFD->OnDragOver = [this](TObject* s, TObject* src, int x, int y, TDragState st, bool& accept) {
        TVFDDragOver(s, src, x, y, st, accept);
    };
    TVFD->OnEndDrag = [this](TObject* s, TObject* t, int x, int y) { TVFDEndDrag(s, t, x, y); };
    PlaceLabel(this, this, QString(), "说明：选择食物名称双击或拖拽选中", 8, 442)->Font()->SetColor(clGray);
    GBP = Place<TSkGroupBox>(this, this, "GBP", 28, 180, 180, 60);
    GBP->SetCaption("");
    PlaceLabel(this, GBP, QString(), "正在加载数据", 46, 24);
    GBP->SetVisible(false);
    Timer1 = new TTimer(this);
    Timer1->SetName("Timer1");
    Timer1->SetEnabled(false);
    Timer1->SetInterval(50);
    Timer1->OnTimer = [this](TObject* s) { Timer1Timer(s); };
    FormCreate(this);
}

TOftenFoodFrm::~TOftenFoodFrm() {
    if (OftenFoodFrm == this) OftenFoodFrm = nullptr;
}

void TOftenFoodFrm::FormCreate(TObject*) {
    PlaceAtPopupOrigin(this);
}

void TOftenFoodFrm::Open(const QString& caption, int mode) {
    // Kept between uses: a window the user closed opens at the pop-up place again.
    if (!Visible()) PlaceAtPopupOrigin(this);
    ShowForm();
    SetCaption(caption);
    lblTit->SetCaption(caption);
    Mode = mode;
    Timer1->SetEnabled(true);
}

void TOftenFoodFrm::Timer1Timer(TObject*) {
    Timer1->SetEnabled(false);
    ShowInFront(GBP);
    try {
        if (Mode == 1)
            DM->FillSetMealTree(TVFD);
        else if (Mode == 2)
            FillOftenUsed();
    } catch (const std::exception&) {
        // What was filled so far stays.
    }
    GBP->Hide();
}

void TOftenFoodFrm::FillOftenUsed() {
    TTreeNodes* nodes = TVFD->Items();
    nodes->BeginUpdate();
    nodes->Clear();
    // Every recipe set as frequently used, the user's own as well as the delivered ones.
    TADOQuery* q = DM->Qry_Open;
    q->Close();
    q->SQL()->SetText(
        "Select Distinct B.ID, B.SPName From FDUse A, SPInfo B Where A.FID = B.ID And A.FType = 2 "
        "Order By B.ID");
    q->Open();
    if (!q->IsEmpty()) {
        TTreeNode* root = nodes->Add(nullptr, "【常食的食谱列表】");
        root->SetStateIndex(2);
        for (; !q->Eof(); q->Next())
            nodes->AddChild(root, q->FieldByName("SPName")->AsString())
                ->SetStateIndex(q->FieldByName("ID")->AsInteger());
    }
    q->Close();
    // Foods by their group, the first two characters of the food's code; every group has its node.
    std::array<TTreeNode*, FoodGroups.size()> groupNodes{};
    for (size_t i = 0; i < FoodGroups.size(); ++i) {
        groupNodes[i] = nodes->Add(nullptr, FoodGroups[i].Name);
        groupNodes[i]->SetStateIndex(1);
    }
    q->SQL()->SetText(
        "Select Distinct B.ID, B.Food_Name, B.Code From FDUse A, Food B Where A.FType = 1 And A.FID = B.ID "
        "Order By substr(B.Code,1,2), B.ID");
    q->Open();
    for (; !q->Eof(); q->Next())
        if (const int group = FoodGroupOf(q->FieldByName("Code")->AsString()); group >= 0)
            nodes->AddChild(groupNodes[group], q->FieldByName("Food_Name")->AsString())
                ->SetStateIndex(q->FieldByName("ID")->AsInteger());
    q->Close();
    nodes->EndUpdate();
}

void TOftenFoodFrm::ChooseSelected() {
    TTreeNode* node = TVFD->Selected();
    if (!node || node->Level() == 0) return;
    if ((node->Level() == 1 || node->Level() == 2) && node->HasChildren()) return;
    if (Frm_UInfo) Frm_UInfo->AddNodeToIntake(TVFD);
}

void TOftenFoodFrm::TVFDDblClick(TObject*) {
    ChooseSelected();
}

void TOftenFoodFrm::TVFDDragOver(TObject*, TObject* Source, int, int, TDragState, bool& Accept) {
    Accept = dynamic_cast<TStringGrid*>(Source) != nullptr;
}

void TOftenFoodFrm::TVFDEndDrag(TObject*, TObject* Target, int, int) {
    // Only a drop on the personal centre's food grid adds the item there.
    if (Target && Frm_UInfo && Target == Frm_UInfo->SG2) ChooseSelected();
}
