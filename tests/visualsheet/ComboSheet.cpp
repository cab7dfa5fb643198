// The visual sheet of the styled combo box: the list and the editable box in every state, with the
// classic button, flat buttons, the flat frame in several styles and its hot tracking.
#include "Sheet.h"
#include "SkCmboBx.h"

#include <functional>

namespace {
struct TComboState {
    QString Caption;
    std::function<void(TSkComboBox*)> Set;
};

const std::vector<TComboState>& States() {
    static const std::vector<TComboState> states = {
        {"normal", [](TSkComboBox*) {}},
        {"hot", [](TSkComboBox* b) { b->Perform(CM_MOUSEENTER); }},
        {"focused", [](TSkComboBox* b) { b->Perform(CM_ENTER); }},
        {"dropped",
         [](TSkComboBox* b) {
             b->Perform(CM_MOUSEENTER);
             b->SetDroppedDown(true);
         }},
        {"disabled", [](TSkComboBox* b) { b->SetEnabled(false); }},
        {"read-only", [](TSkComboBox* b) { b->SetReadOnly(true); }},
        {"read-only focused", [](TSkComboBox* b) {
             b->SetReadOnly(true);
             b->Perform(CM_ENTER);
         }}};
    return states;
}

void Row(TSheet& sheet, TPaintBox* parent, const std::function<void(TSkComboBox*)>& style) {
    for (const TComboState& state : States()) {
        auto* box = Child<TSkComboBox>(parent, 120, 21);
        box->Items()->Assign({QStringLiteral("米饭 (蒸)"), QStringLiteral("馒头"), QStringLiteral("面条")});
        box->SetItemIndex(0);
        style(box);
        state.Set(box);
        sheet.Cell(state.Caption, 120, 21, [&](TCanvas* c, const TRect& r) { ShowOnScreen(c, r, box); });
        box->SetDroppedDown(false);
        delete box;
    }
    sheet.NewRow();
}
}  // namespace

void ComboSheet(const QString& folder) {
    TSheet sheet(1000, 900);
    auto face = MakeParent(clBtnFace);
    auto white = MakeParent(clWhite);
    sheet.Heading(QStringLiteral("Drop-down list, classic button (the native border)"));
    Row(sheet, face.get(), [](TSkComboBox* b) { b->SetStyle(csDropDownList); });
    sheet.Heading(QStringLiteral("Drop-down list, FlatButtons, FrameVisible (as the windows use it)"));
    Row(sheet, face.get(), [](TSkComboBox* b) {
        b->SetStyle(csDropDownList);
        b->SetFlatButtons(true);
        b->SetFrameVisible(true);
    });
    sheet.Heading(QStringLiteral("Editable, FlatButtons, FrameVisible"));
    Row(sheet, white.get(), [](TSkComboBox* b) {
        b->SetFlatButtons(true);
        b->SetFrameVisible(true);
    });
    sheet.Heading(
        QStringLiteral("FrameHotTrack (fsFlatBold in clHighlight when hot), FlatButtonColor clSkyBlue-like"));
    Row(sheet, white.get(), [](TSkComboBox* b) {
        b->SetStyle(csDropDownList);
        b->SetFlatButtons(true);
        b->SetFrameVisible(true);
        b->SetFrameHotTrack(true);
        b->SetFrameHotColor(clHighlight);
        b->SetFlatButtonColor(0xF0CAA6);
    });
    sheet.Heading(
        QStringLiteral("Frame styles fsLowered and fsGroove on clWindow, fsRaised on a coloured box"));
    Row(sheet, face.get(), [](TSkComboBox* b) {
        b->SetStyle(csDropDownList);
        b->SetFlatButtons(true);
        b->SetFrameVisible(true);
        b->SetFrameStyle(fsLowered);
    });
    Row(sheet, face.get(), [](TSkComboBox* b) {
        b->SetStyle(csDropDownList);
        b->SetFlatButtons(true);
        b->SetFrameVisible(true);
        b->SetFrameStyle(fsGroove);
    });
    Row(sheet, face.get(), [](TSkComboBox* b) {
        b->SetStyle(csDropDownList);
        b->SetFlatButtons(true);
        b->SetFrameVisible(true);
        b->SetFrameStyle(fsRaised);
        b->SetColor(0xE0F0FF);
    });
    sheet.Save(folder, QStringLiteral("combo"));
}
