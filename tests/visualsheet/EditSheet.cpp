// The visual sheet of the framed edit, memo and rich edit: plain and styled frames, the state
// colours, hot tracking, the themed look with its text hint, and the drop-down button's looks.
#include "Platform.h"
#include "Sheet.h"
#include "SkEdit.h"
#include "SkEditMemo.h"

#include <functional>
#include <vector>

namespace {
// A descendant with the drop-down button, as the numeric and date edits have.
class TSheetDropEdit : public TSkCustomEdit {
public:
    using TSkCustomEdit::TSkCustomEdit;
    void WantButton() { SetDropButtonVisible(true); }
};

template <class T> struct TEditCase {
    QString Caption;
    std::function<void(T*)> Set;
};

// Focus and mouse as the control hears of them, so the sheet needs no active window.
template <class T> void Focus(T* control) {
    control->Perform(CM_ENTER);
}
template <class T> void Hover(T* control) {
    control->Perform(CM_MOUSEENTER);
}

template <class T>
void Row(TSheet& sheet, TPaintBox* parent, const std::vector<TEditCase<T>>& cases, int w, int h,
         const QString& text) {
    for (const TEditCase<T>& test : cases) {
        auto* control = Child<T>(parent, w, h);
        control->SetCaption(text);
        test.Set(control);
        sheet.Cell(test.Caption, w, h, [&](TCanvas* c, const TRect& r) { ShowOnScreen(c, r, control); });
        delete control;
        ResetPlatformProfile();
    }
}

// The states every framed field shows, the same for the three kinds.
template <class T> std::vector<TEditCase<T>> States() {
    const auto colours = [](T* e) {
        e->SetFocusColor(0xE0FFFF);
        e->SetReadOnlyColor(clInfoBk);
    };
    return {{"normal", [](T*) {}},
            {"focused (FocusColor)",
             [=](T* e) {
                 colours(e);
                 Focus(e);
             }},
            {"disabled", [](T* e) { e->SetEnabled(false); }},
            {"read-only",
             [=](T* e) {
                 colours(e);
                 e->SetReadOnly(true);
             }},
            {"read-only focused",
             [=](T* e) {
                 colours(e);
                 e->SetReadOnly(true);
                 e->SetReadOnlyColorOnFocus(true);
                 Focus(e);
             }},
            {"FrameVisible fsFlat", [](T* e) { e->SetFrameVisible(true); }},
            {"hot track, idle", [](T* e) { e->SetFrameHotTrack(true); }},
            {"hot track, mouse over",
             [](T* e) {
                 e->SetFrameHotTrack(true);
                 e->SetFrameHotColor(clHighlight);
                 Hover(e);
             }},
            {"fsLowered, top+bottom",
             [](T* e) {
                 e->SetFrameVisible(true);
                 e->SetFrameStyle(fsLowered);
                 e->SetFrameSides(sdTop | sdBottom);
             }},
            {"themes on", [](T* e) {
                 SetThemesActiveForTest(true);
                 e->SetFrameVisible(true);
                 e->RepaintFrame();
             }}};
}

void DropRow(TSheet& sheet, TPaintBox* parent) {
    const std::vector<TEditCase<TSheetDropEdit>> cases = {
        {"classic button", [](TSheetDropEdit*) {}},
        {"pressed", [](TSheetDropEdit* e) { e->SetButtonState(2); }},
        {"disabled", [](TSheetDropEdit* e) { e->SetEnabled(false); }},
        {"flat, idle",
         [](TSheetDropEdit* e) {
             e->SetFlatButtons(true);
             e->SetFrameVisible(true);
         }},
        {"flat, mouse over",
         [](TSheetDropEdit* e) {
             e->SetFlatButtons(true);
             e->SetFrameHotTrack(true);
             Hover(e);
         }},
        {"flat, coloured, pressed",
         [](TSheetDropEdit* e) {
             e->SetFlatButtons(true);
             e->SetFlatButtonColor(clSkyBlue);
             e->SetFrameHotTrack(true);
             Hover(e);
             e->SetButtonState(2);
         }},
        {"themes on",
         [](TSheetDropEdit* e) {
             SetThemesActiveForTest(true);
             e->RecalcNonClientArea();
         }},
        {"read-only: no button", [](TSheetDropEdit* e) {
             e->SetReadOnly(true);
             e->SetFrameVisible(true);
         }}};
    std::vector<TEditCase<TSheetDropEdit>> withButton;
    for (const auto& test : cases)
        withButton.push_back({test.Caption, [set = test.Set](TSheetDropEdit* e) {
                                  e->WantButton();
                                  e->SetAlignment(taRightJustify);
                                  set(e);
                              }});
    Row(sheet, parent, withButton, 100, 21, QStringLiteral("65.5"));
}
}  // namespace

void EditSheet(const QString& folder) {
    TSheet sheet(1000, 900);
    auto face = MakeParent(clBtnFace);
    face->Widget()->show();  // a memo shows its lines once on screen
    sheet.Heading(QStringLiteral("TSkEdit"));
    Row(sheet, face.get(), States<TSkEdit>(), 90, 21, QStringLiteral("体重 60 公斤"));
    sheet.Heading(QStringLiteral("TSkEdit: alignment and the text hint (themes on, empty)"));
    Row<TSkEdit>(sheet, face.get(),
                 {{"taRightJustify", [](TSkEdit* e) { e->SetAlignment(taRightJustify); }},
                  {"taCenter", [](TSkEdit* e) { e->SetAlignment(taCenter); }},
                  {"text hint",
                   [](TSkEdit* e) {
                       SetThemesActiveForTest(true);
                       e->SetText(QString());
                       e->SetTextHint(QStringLiteral("请输入体重"));
                   }},
                  {"text hint, themes off",
                   [](TSkEdit* e) {
                       e->SetText(QString());
                       e->SetTextHint(QStringLiteral("请输入体重"));
                   }}},
                 90, 21, QStringLiteral("体重 60"));
    sheet.Heading(QStringLiteral("Drop-down button (for the numeric and date edits)"));
    DropRow(sheet, face.get());
    sheet.Heading(QStringLiteral("TSkMemo"));
    Row(sheet, face.get(), States<TSkMemo>(), 90, 60, QStringLiteral("早餐：牛奶\n午餐：米饭\n晚餐：面条"));
    sheet.Heading(QStringLiteral("TSkRichEdit"));
    Row(sheet, face.get(), States<TSkRichEdit>(), 90, 60, QStringLiteral("食谱说明\n少油少盐"));
    sheet.Save(folder, QStringLiteral("edits"));
}
