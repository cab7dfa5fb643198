// The visual sheet of the spinner: painted off screen on a parent, in its states and looks.
#include "Platform.h"
#include "Sheet.h"
#include "SkSpnEdt.h"

#include <functional>

void SpinnerSheet(const QString& folder) {
    TSheet sheet(900, 300);
    auto parent = MakeParent(clBtnFace);
    struct TCase {
        const char* Caption;
        std::function<void(TSkSpinner*)> Set;
    };
    auto mouseAt = [](TSkSpinner* s, int x) { s->Perform(WM_MOUSEMOVE, 0, MakeLParam(x, 10)); };
    auto press = [](TSkSpinner* s, int x) { s->Perform(WM_LBUTTONDOWN, MK_LBUTTON, MakeLParam(x, 10)); };
    const TCase states[] = {
        {"normal", [](TSkSpinner*) {}},
        {"hot minus", [&](TSkSpinner* s) { mouseAt(s, 5); }},
        {"hot plus", [&](TSkSpinner* s) { mouseAt(s, 80); }},
        {"pressed minus", [&](TSkSpinner* s) { press(s, 5); }},
        {"pressed plus", [&](TSkSpinner* s) { press(s, 80); }},
        {"disabled", [](TSkSpinner* s) { s->SetEnabled(false); }},
    };
    sheet.Heading(QStringLiteral("Spinner by state (value 42, 85 x 21)"));
    for (const TCase& state : states) {
        auto* spinner = Child<TSkSpinner>(parent.get(), 85, 21);
        spinner->SetValue(42);
        state.Set(spinner);
        sheet.Cell(state.Caption, 85, 21, [&](TCanvas* c, const TRect& r) { Show(c, r, spinner); });
    }
    const TCase looks[] = {
        {"hex $ff",
         [](TSkSpinner* s) {
             s->SetMax(1000);
             s->SetValue(255);
             s->SetShowHexValue(true);
         }},
        {"colours",
         [](TSkSpinner* s) {
             s->SetFrameColor(0x996633);
             s->SetButtonColor(0xF0D8B0);
             s->SetColor(0xF8F0E8);
         }},
        {"hot on colours",
         [&](TSkSpinner* s) {
             s->SetButtonColor(0xF0D8B0);
             mouseAt(s, 80);
         }},
        {"wide buttons, 120 x 24",
         [](TSkSpinner* s) {
             s->SetBounds(0, 0, 120, 24);
             s->SetButtonWidth(26);
         }},
        {"year 2026, bold",
         [](TSkSpinner* s) {
             s->SetMax(3000);
             s->SetValue(2026);
             s->Font()->SetStyle(FontStyle(fsBold));
         }},
    };
    sheet.Heading(QStringLiteral("Spinner looks"));
    for (const TCase& look : looks) {
        auto* spinner = Child<TSkSpinner>(parent.get(), 85, 21);
        spinner->SetValue(42);
        look.Set(spinner);
        sheet.Cell(look.Caption, spinner->Width(), spinner->Height(),
                   [&](TCanvas* c, const TRect& r) { Show(c, r, spinner); });
    }
    sheet.Heading(QStringLiteral("Spinner under visual styles (not the program's profile)"));
    SetThemesActiveForTest(true);
    for (const TCase& state : states) {
        auto* spinner = Child<TSkSpinner>(parent.get(), 85, 21);
        spinner->SetValue(42);
        state.Set(spinner);
        sheet.Cell(state.Caption, 85, 21, [&](TCanvas* c, const TRect& r) { Show(c, r, spinner); });
    }
    ResetPlatformProfile();
    sheet.Save(folder, QStringLiteral("spinner"));
}
