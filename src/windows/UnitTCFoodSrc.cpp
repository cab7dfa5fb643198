#include "UnitTCFoodSrc.h"

#include "Dialogs.h"
#include "FieldRules.h"
#include "IntakeGrid.h"
#include "UintDM.h"
#include "WindowBuilder.h"
#include "WindowGrids.h"
#include "UnitMain.h"

#include <algorithm>

TTCFoodSrcFrm* TCFoodSrcFrm = nullptr;

namespace {

// The text as a LIKE pattern that finds it anywhere, with the pattern's own characters taken literally.
QString ContainsPattern(const QString& text) {
    QString escaped = text;
    escaped.replace(QLatin1String("\\"), QLatin1String("\\\\"));
    escaped.replace(QLatin1String("%"), QLatin1String("\\%"));
    escaped.replace(QLatin1String("_"), QLatin1String("\\_"));
    return QLatin1Char('%') + escaped + QLatin1Char('%');
}

// Longer than any food's or recipe's name and its initials; a longer text is refused before the
// database's pattern matching, which gives up on long patterns.
constexpr int SearchTextLength = 50;

// Latin letters and digits search the pinyin initials; any Chinese character searches the names.
bool SingleByteText(const QString& text) {
    return std::all_of(text.begin(), text.end(), [](QChar c) { return c.unicode() < 0x80; });
}

}  // namespace

TTCFoodSrcFrm::TTCFoodSrcFrm(TComponent* AOwner)
    : TSkinnedSmallForm(AOwner, "TCFoodSrcFrm", "食物查询", 236, 440, true) {
    lblTit->SetCaption("常食用食物列表");
    rbSW = Place<TSkRadioButton>(this, this, "rbSW", 12, 38, 100, 22);
    rbSW->SetCaption("食物名称");
    rbSW->SetTransparent(true);
    rbSW->SetChecked(true);
    rbSP = Place<TSkRadioButton>(this, this, "rbSP", 118, 38, 100, 22);
    rbSP->SetCaption("食谱名称");
    rbSP->SetTransparent(true);
    edtQry = Place<TSkEdit>(this, this, "edtQry", 12, 66, 144, 24);
    edtQry->OnChange = [this](TObject* s) { edtQryChange(s); };
    btnSrcFood = PlaceButton<TSkButton>(this, this, "btnSrcFood", "查询", 162, 64, 62, 28,
                                        [this](TObject* s) { btnSrcFoodClick(s); });
    AdoQry = MakeQuery(this, DM->Conn, "AdoQry");
    DSQry = MakeDataSource(this, "DSQry", AdoQry);
    dbgQry = PlaceDBGrid(this, this, "dbgQry", 12, 98, 212, 310);
    dbgQry->SetDataSource(DSQry);
    dbgQry->SetOptions(dgTitles | dgColLines | dgRowLines | dgRowSelect);
    AddColumns(dbgQry, {{"ID", "编号", 50}, {"FD", "名称", 150}});
    ActOnDoubleClickOrEnter(dbgQry, [this](TObject* s) { dbgQryDblClick(s); });
    PlaceLabel(this, this, QString(), "说明：双击添加食物", 12, 414)->Font()->SetColor(clGray);
    OnClose = [this](TObject* s, TCloseAction& a) { FormClose(s, a); };
    FormCreate(this);
}

TTCFoodSrcFrm::~TTCFoodSrcFrm() {
    if (TCFoodSrcFrm == this) TCFoodSrcFrm = nullptr;
}

void TTCFoodSrcFrm::FormCreate(TObject*) {
    PlaceAtPopupOrigin(this);
}

void TTCFoodSrcFrm::FormClose(TObject*, TCloseAction& Action) {
    Action = caFree;
    if (TCFoodSrcFrm == this) TCFoodSrcFrm = nullptr;
}

void TTCFoodSrcFrm::btnSrcFoodClick(TObject*) {
    const QString text = edtQry->Text().trimmed();
    if (text.isEmpty()) return;
    // The database's pattern match would stop at a NUL and find what was not asked for.
    if (const QString refusal = TextFieldRefusal("查询内容", text, SearchTextLength); !refusal.isEmpty())
        return void(MessageBox(refusal, InfoCaption, MB_OK));
    const bool foods = rbSW->Checked();
    const QString table = foods ? "Food" : "SPInfo";
    const QString nameField = foods ? "Food_Name" : "SPName";
    const QString searched = SingleByteText(text) ? "PY" : nameField;
    DM->RunSql(AdoQry,
               "Select ID, " + nameField + " as FD From " + table + " Where " + searched +
                   " Like :P Escape '\\'",
               false, {{"P", ContainsPattern(text)}});
}

void TTCFoodSrcFrm::edtQryChange(TObject* Sender) {
    if (!edtQry->Text().trimmed().isEmpty()) btnSrcFoodClick(Sender);
}

void TTCFoodSrcFrm::dbgQryDblClick(TObject*) {
    if (AdoQry->Active() && !AdoQry->IsEmpty() && FTargetGrid) {
        const QString kind = rbSW->Checked() ? "1" : "2";
        if (PickIntakeItem(FTargetGrid, AdoQry->FieldByName("FD")->AsString(),
                           AdoQry->FieldByName("ID")->AsString(), kind) < 0)
            return;
    }
    edtQry->SetText(QString());
}
