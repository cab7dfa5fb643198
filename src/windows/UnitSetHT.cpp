#include "UnitSetHT.h"

#include "ConstTables.h"
#include "Dialogs.h"
#include "FieldRules.h"
#include "RecordKeys.h"
#include "SkBckgnd.h"
#include "WindowBuilder.h"
#include "WindowChoices.h"
#include "UnitMain.h"

namespace {

// The duplicate-title refusals carry their own caption.
const QString DuplicateCaption = QStringLiteral("信息提示。");

// The four lists stand side by side with gaps between them.
constexpr int ListLeft = 12, ListPitch = 182, ListWidth = 172;

}  // namespace

TSetHTFrm::TSetHTFrm(TComponent* AOwner)
    : TSkinnedSmallForm(AOwner, "SetHTFrm", "活动项选择", 740, 470, false) {
    PlaceAtPopupOrigin(this);
    imgRight->OnMouseDown = nullptr;
    imgRight->OnClick = [this](TObject*) { Close(); };
    PopupMenu1 = new TPopupMenu(this);
    PopupMenu1->SetName("PopupMenu1");
    // Both items share one handler that tells them apart by their tags.
    N1 = AddMenuItem(this, PopupMenu1, "N1", "修改", [this](TObject* s) { N1Click(s); });
    N1->SetTag(1);
    N2 = AddMenuItem(this, PopupMenu1, "N2", "删除", [this](TObject* s) { N1Click(s); });
    N2->SetTag(2);
    const char* names[] = {"RC_A", "RC_B", "RC_C", "RC_D"};
    const char* captions[] = {"极轻活动", "轻度活动", "中度活动", "重度活动"};
    TSkCheckList** lists[] = {&RC_A, &RC_B, &RC_C, &RC_D};
    for (int i = 0; i < 4; ++i) {
        const int left = ListLeft + i * ListPitch;
        PlaceLabel(this, this, QString(), captions[i], left, 38)->Font()->SetStyle(FontStyle(fsBold));
        // A rule under each caption, fading from the window's white to the highlight in its middle.
        auto* rule = Place<TSkSeparator>(this, this, QString(), left, 55, ListWidth, 1);
        rule->SetColor(clWhite);
        rule->SetHighlightColor(TColor(0xFF8000));
        *lists[i] = Place<TSkCheckList>(this, this, names[i], left, 58, ListWidth, 340);
        (*lists[i])->SetPopupMenu(PopupMenu1);
    }

    SkButton3 = PlaceButton<TSkButton>(this, this, "SkButton3", "添加活动项", 12, 416, 100, 30,
                                       [this](TObject* s) { SkButton3Click(s); });
    PlaceLabel(this, this, QString(), "右键点击自己添加的活动项可修改或删除", 124, 424)
        ->Font()
        ->SetColor(clGray);
    SkButton7 = PlaceButton<TSkButton>(this, this, "SkButton7", "确定", 540, 416, 90, 30,
                                       [this](TObject* s) { SkButton7Click(s); });
    btnCloseSP = PlaceButton<TSkButton>(this, this, "btnCloseSP", "关闭", 640, 416, 90, 30,
                                        [this](TObject* s) { btnCloseSPClick(s); });

    // The editor covers the two middle lists whole, its edges in the gaps beside them: no cut-off
    // check box shows at its sides.
    const int editorLeft = ListLeft + ListWidth + 2;                   // in the gap after the first list
    const int editorRight = ListLeft + 2 * ListPitch + ListWidth + 2;  // and after the third
    gb = Place<TSkGroupBox>(this, this, "gb", editorLeft, 120, editorRight - editorLeft, 200);
    gb->SetCaption("活动项");
    gb->SetColor(0xFCF6EE);
    gb->SetVisible(false);
    PlaceLabel(this, gb, QString(), "活动类型", 20, 34);
    cbbHT = PlaceChoiceBox(this, gb, "cbbHT", 90, 30, 130, 24, captions);
    PlaceLabel(this, gb, QString(), "活动名称", 20, 72);
    edtHT = Place<TSkEdit>(this, gb, "edtHT", 90, 68, 220, 24);
    PlaceLabel(this, gb, QString(), "热量消耗", 20, 110);
    edtXH = Place<TSkEdit>(this, gb, "edtXH", 90, 106, 70, 24);
    PlaceLabel(this, gb, QString(), "Kcal", 166, 110);
    PlaceLabel(this, gb, QString(), "注：平均1分钟消耗热量", 200, 110)->Font()->SetColor(clGray);
    SkButton1 = PlaceButton<TSkButton>(this, gb, "SkButton1", "确定", 90, 150, 80, 30,
                                       [this](TObject* s) { SkButton1Click(s); });
    SkButton2 = PlaceButton<TSkButton>(this, gb, "SkButton2", "关闭", 190, 150, 80, 30,
                                       [this](TObject* s) { SkButton2Click(s); });

    OnShow = [this](TObject* s) { FormShow(s); };
}

TSetHTFrm::~TSetHTFrm() {
    for (TSkCheckList* list : Lists())
        ClearObjectList(*list->Items());
}

void TSetHTFrm::FormShow(TObject*) {
    LoadLists();
}

void TSetHTFrm::btnCloseSPClick(TObject*) {
    Close();
}

void TSetHTFrm::LoadLists() {
    const std::vector<qlonglong> chosen = UserActivityIds();
    for (TSkCheckList* list : Lists())
        ClearObjectList(*list->Items());
    if (DM->RunSql(DM->Qry_Open, "Select * From SPSet Order By ID", false)) {
        for (TADOQuery* q = DM->Qry_Open; !q->Eof(); q->Next()) {
            const int type = q->FieldByName("sType")->AsInteger();
            if (type < 1 || type > 4) continue;
            auto* act = new Act;
            act->tit = q->FieldByName("tit")->AsString();
            act->Kcal = q->FieldByName("Kcal")->AsFloat();
            act->ID = q->FieldByName("ID")->AsString();
            Lists()[type - 1]->Items()->AddObject(act->tit, act);
        }
        DM->Qry_Open->Close();
    }
    // An id that no longer names an activity ticks nothing.
    for (qlonglong id : chosen) {
        const QString text = QString::number(id);
        bool ticked = false;
        for (TSkCheckList* list : Lists())
            for (int i = 0; i < list->Count() && !ticked; ++i)
                if (auto* act = dynamic_cast<Act*>(list->Items()->Objects(i)); act && act->ID == text) {
                    list->SetItemChecked(i, true);
                    ticked = true;
                }
    }
}

void TSetHTFrm::SkButton7Click(TObject* Sender) {
    std::vector<qlonglong> ids;
    for (TSkCheckList* list : Lists())
        for (int i = 0; i < list->Count(); ++i)
            if (auto* act = dynamic_cast<Act*>(list->Items()->Objects(i)); act && list->ItemChecked(i))
                ids.push_back(act->ID.toLongLong());
    DM->RunSql(DM->Qry_Exec, "Update UInfo Set SPID=:SPID Where UID=:UID", true,
               {{"SPID", JoinIds(ids)}, {"UID", CurrentUserId()}});
    btnCloseSPClick(Sender);
}

void TSetHTFrm::SkButton3Click(TObject*) {
    OpenEditor(0);
}

void TSetHTFrm::OpenEditor(int mode) {
    FMode = mode;
    ShowInFront(gb);
    gb->SelectFirst();
}

// The keyboard goes back to 添加活动项 before the editor goes, not on to the title's close button.
void TSetHTFrm::SkButton2Click(TObject*) {
    FocusIfCan(SkButton3);
    gb->Hide();
}

void TSetHTFrm::SkButton1Click(TObject*) {
    const int type = cbbHT->ItemIndex() + 1;
    const QString title = edtHT->Text().trimmed();
    double kcal = 0;
    if (type < 1) return void(MessageBox("请选择活动类型", InfoCaption, MB_OK));
    if (title.isEmpty()) return void(MessageBox("活动名称没有填写", InfoCaption, MB_OK));
    if (const QString refusal = TextFieldRefusal("活动名称", title, NameLength::Activity); !refusal.isEmpty())
        return void(MessageBox(refusal, InfoCaption, MB_OK));
    if (!ParseFieldNumber(edtXH->Text(), ActivityRateRange, kcal))
        return void(MessageBox("热量消耗不正确", InfoCaption, MB_OK));

    const bool renaming = FMode == 1;
    QVariantMap params{{"T", title}, {"ID", FItemId.toLongLong()}};
    if (!DM->RunSql(DM->Qry_Open,
                    renaming ? "Select ID From SPSet Where ID <> :ID And tit=:T"
                             : "Select ID From SPSet Where tit=:T",
                    false, renaming ? params : QVariantMap{{"T", title}}))
        return;
    const bool duplicate = !DM->Qry_Open->IsEmpty();
    DM->Qry_Open->Close();
    if (duplicate)
        return void(
            MessageBox(renaming ? "已有同名称，不能修改" : "已有同名称，不能保存", DuplicateCaption, MB_OK));

    params.insert("S", type);
    params.insert("K", kcal);
    const bool saved = DM->Transaction([&] {
        if (renaming) {
            if (DM->Exec("Update SpSet Set sType=:S, tit=:T, Kcal=:K Where ID=:ID", params) == 0)
                throw EDatabaseError("活动项不存在");
        } else {
            params.remove("ID");
            DM->Exec("Insert Into SpSet(sType,tit,Kcal,sysFlg) Values(:S,:T,:K,0)", params);
        }
    });
    if (!saved) return void(MessageBox("保存失败，请重新保存", InfoCaption, MB_OK));
    MessageBox("保存成功", InfoCaption, MB_OK);
    LoadLists();
}

void TSetHTFrm::N1Click(TObject* Sender) {
    auto* list = dynamic_cast<TSkCheckList*>(PopupMenu1->PopupComponent());
    auto* item = dynamic_cast<TMenuItem*>(Sender);
    if (!list || !item || list->ItemIndex() < 0) return;
    auto* act = dynamic_cast<Act*>(list->Items()->Objects(list->ItemIndex()));
    if (!act) return;
    FItemId = act->ID;
    if (item->Tag() == 1) {
        edtHT->SetText(act->tit);
        edtXH->SetText(FormatFloat("0.0", act->Kcal));
        // Renaming starts from the item's own type.
        for (int i = 0; i < 4; ++i)
            if (Lists()[i] == list) cbbHT->SetItemIndex(i);
        OpenEditor(1);
    } else {
        DeleteItem(FItemId);
    }
}

void TSetHTFrm::DeleteItem(const QString& id) {
    const QVariantMap key{{"ID", id.toLongLong()}};
    if (!DM->RunSql(
            DM->qryFun,
            "Select SysFlg, (Select count(*) From SPRcd Where SPID=:ID) as Used From SPSet Where ID=:ID",
            false, key))
        return;
    const bool builtIn = !DM->qryFun->IsEmpty() && DM->qryFun->FieldByName("SysFlg")->AsInteger() == 1;
    const bool used = !DM->qryFun->IsEmpty() && DM->qryFun->FieldByName("Used")->AsInteger() > 0;
    DM->qryFun->Close();
    if (builtIn) return void(MessageBox("不能删除系统自带的运动项目", InfoCaption, MB_OK));
    if (used) return void(MessageBox("此活动项已有活动记录，不能删除。", InfoCaption, MB_OK));
    // The item leaves every user's activity list together with the catalogue.
    const bool deleted = DM->Transaction([&] {
        DM->Exec("Delete From SPSet Where ID=:ID and SysFlg=0", key);
        TADOQuery users;
        users.SetConnection(DM->Conn);
        users.SQL()->SetText("Select UID, SPID From UInfo Where SPID <> ''");
        users.Open();
        for (; !users.Eof(); users.Next()) {
            std::vector<qlonglong> ids = ParseIdList(users.FieldByName("SPID")->AsString());
            if (std::erase(ids, id.toLongLong()) == 0) continue;
            DM->Exec("Update UInfo Set SPID=:SPID Where UID=:UID",
                     {{"SPID", JoinIds(ids)}, {"UID", users.FieldByName("UID")->AsLargeInt()}});
        }
    });
    if (!deleted) return void(MessageBox("删除失败，请重新删除。", InfoCaption, MB_OK));
    LoadLists();
}
