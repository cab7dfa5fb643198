// The visual sheet of the push button, the check box and the radio button: each painted off screen
// in its looks and states, on the classic face colour and on the program's two skin colours.
#include "Forms.h"
#include "Platform.h"
#include "Sheet.h"
#include "SkButton.h"
#include "SkGrafx.h"
#include "SkRadChk.h"

#include <QApplication>
#include <QWidget>
#include <memory>

namespace {
constexpr TColor SkinBlue = 0xF8B600, SkinPink = 0xFF80FF;

// A shown window of one colour for the controls to sit on (so they can take the focus).
std::unique_ptr<TForm> MakeWindow(TColor color) {
    auto form = std::make_unique<TForm>(nullptr);
    form->SetColor(color);
    form->SetBounds(0, 0, 700, 300);
    form->Show();
    form->Widget()->activateWindow();
    QApplication::processEvents();
    return form;
}

template <class T> T* Child(TForm* parent, int width, int height, const QString& caption) {
    auto* control = new T(parent);
    control->SetParent(parent);
    control->SetCaption(caption);
    control->SetBounds(10, 10, width, height);
    // Shown under the window system's mouse it would start out hot.
    QApplication::processEvents();
    control->Perform(CM_MOUSELEAVE);
    return control;
}

void Show(TSheet& sheet, const QString& caption, TCustomControl* control) {
    sheet.Cell(caption, control->Width(), control->Height(),
               [&](TCanvas* c, const TRect& r) { ::Show(c, r, control); });
}

// The states a user brings about: the mouse over it, the mouse or space bar holding it, the focus.
void Hover(TSkCustomButton* b) {
    b->Perform(CM_MOUSEENTER);
}
void Hold(TSkCustomButton* b) {
    b->Perform(WM_KEYDOWN, VK_SPACE);
}
void Focus(TSkCustomButton* b) {
    b->SetFocus();
    QApplication::processEvents();
}

struct TButtonCase {
    const char* Caption;
    std::function<void(TSkButton*)> Set;
};

const std::vector<TButtonCase>& ButtonStates() {
    static const std::vector<TButtonCase> cases = {
        {"normal", [](TSkButton*) {}},
        {"default", [](TSkButton* b) { b->SetDefault(true); }},
        {"focused", [](TSkButton* b) { Focus(b); }},
        {"hot", [](TSkButton* b) { Hover(b); }},
        {"pressed", [](TSkButton* b) { Hold(b); }},
        {"disabled", [](TSkButton* b) { b->SetEnabled(false); }},
        {"group up",
         [](TSkButton* b) {
             b->SetGroupIndex(1);
             b->SetAllowAllUp(true);
         }},
        {"group down",
         [](TSkButton* b) {
             b->SetGroupIndex(1);
             b->SetDown(true);
         }},
        {"down, no pattern",
         [](TSkButton* b) {
             b->SetGroupIndex(1);
             b->SetDown(true);
             b->SetShowDownPattern(false);
         }},
    };
    return cases;
}

void PushButtons(TSheet& sheet, const QString& look, TColor parentColor, bool hotTrack, TColor ownColor) {
    auto window = MakeWindow(parentColor);
    sheet.Heading(look);
    for (const TButtonCase& test : ButtonStates()) {
        auto* b = Child<TSkButton>(window.get(), 75, 25, QStringLiteral("确定"));
        b->SetHotTrack(hotTrack);
        if (ownColor != clBtnFace) b->SetColor(ownColor);
        test.Set(b);
        Show(sheet, QString::fromLatin1(test.Caption), b);
        b->Hide();
    }
}

void ButtonTextAndColours(TSheet& sheet) {
    auto window = MakeWindow(clBtnFace);
    sheet.Heading(
        QStringLiteral("Push button captions: text styles, alignment, colours, hot-track colour types"));
    struct TCase {
        const char* Caption;
        std::function<void(TSkButton*)> Set;
    };
    const TCase cases[] = {
        {"tsRaised", [](TSkButton* b) { b->SetTextStyle(tsRaised); }},
        {"tsRecessed", [](TSkButton* b) { b->SetTextStyle(tsRecessed); }},
        {"tsShadow", [](TSkButton* b) { b->SetTextStyle(tsShadow); }},
        {"raised, light",
         [](TSkButton* b) {
             b->SetTextStyle(tsRaised);
             b->SetLightTextStyle(true);
         }},
        {"left, top",
         [](TSkButton* b) {
             b->SetAlignment(taLeftJustify);
             b->SetAlignmentVertical(avTop);
         }},
        {"right, bottom",
         [](TSkButton* b) {
             b->SetAlignment(taRightJustify);
             b->SetAlignmentVertical(avBottom);
         }},
        {"clSkyBlue", [](TSkButton* b) { b->SetColor(clSkyBlue); }},
        {"clSkyBlue pressed",
         [](TSkButton* b) {
             b->SetColor(clSkyBlue);
             Hold(b);
         }},
        {"silver group down",
         [](TSkButton* b) {
             b->SetColor(clSilver);
             b->SetGroupIndex(2);
             b->SetDown(true);
         }},
        {"grey disabled",
         [](TSkButton* b) {
             b->SetColor(clGray);
             b->SetEnabled(false);
         }},
        {"hot htctComplement",
         [](TSkButton* b) {
             b->SetHotTrack(true);
             b->SetHotTrackColorType(htctComplement);
             Hover(b);
         }},
        {"hot red",
         [](TSkButton* b) {
             b->SetHotTrack(true);
             b->SetHotTrackColor(clRed);
             Hover(b);
         }},
    };
    for (const TCase& test : cases) {
        auto* b = Child<TSkButton>(window.get(), 88, 32, QStringLiteral("保存 Save"));
        test.Set(b);
        Show(sheet, QString::fromLatin1(test.Caption), b);
        b->Hide();
    }
}

// Check boxes and radio buttons --------------------------------------------------------------------------
template <class T> struct TGlyphCase {
    const char* Caption;
    std::function<void(T*)> Set;
};

template <class T>
void GlyphButtons(TSheet& sheet, const QString& heading, TColor parentColor,
                  const std::vector<TGlyphCase<T>>& cases, const std::function<void(T*)>& look) {
    auto window = MakeWindow(parentColor);
    sheet.Heading(heading);
    for (const TGlyphCase<T>& test : cases) {
        auto* g = Child<T>(window.get(), 80, 17, QStringLiteral("早餐"));
        look(g);
        test.Set(g);
        Show(sheet, QString::fromLatin1(test.Caption), g);
        g->Hide();
    }
}

const std::vector<TGlyphCase<TSkCheckBox>>& CheckStates() {
    static const std::vector<TGlyphCase<TSkCheckBox>> cases = {
        {"unchecked", [](TSkCheckBox*) {}},
        {"checked", [](TSkCheckBox* b) { b->SetState(cbChecked); }},
        {"grayed", [](TSkCheckBox* b) { b->SetState(cbGrayed); }},
        {"hot", [](TSkCheckBox* b) { Hover(b); }},
        {"hot checked",
         [](TSkCheckBox* b) {
             b->SetState(cbChecked);
             Hover(b);
         }},
        {"pressed", [](TSkCheckBox* b) { Hold(b); }},
        {"focused",
         [](TSkCheckBox* b) {
             b->SetState(cbChecked);
             Focus(b);
         }},
        {"read-only", [](TSkCheckBox* b) { b->SetReadOnly(true); }},
        {"disabled", [](TSkCheckBox* b) { b->SetEnabled(false); }},
        {"disabled checked",
         [](TSkCheckBox* b) {
             b->SetState(cbChecked);
             b->SetEnabled(false);
         }},
    };
    return cases;
}

const std::vector<TGlyphCase<TSkRadioButton>>& RadioStates() {
    static const std::vector<TGlyphCase<TSkRadioButton>> cases = {
        {"unchecked", [](TSkRadioButton*) {}},
        {"checked", [](TSkRadioButton* b) { b->SetChecked(true); }},
        {"hot", [](TSkRadioButton* b) { Hover(b); }},
        {"hot checked",
         [](TSkRadioButton* b) {
             b->SetChecked(true);
             Hover(b);
         }},
        {"pressed",
         [](TSkRadioButton* b) {
             b->SetChecked(true);
             b->Perform(WM_LBUTTONDOWN, MK_LBUTTON, MakeLParam(3, 3));
         }},
        {"focused",
         [](TSkRadioButton* b) {
             b->SetChecked(true);
             Focus(b);
         }},
        {"read-only", [](TSkRadioButton* b) { b->SetReadOnly(true); }},
        {"disabled", [](TSkRadioButton* b) { b->SetEnabled(false); }},
        {"disabled checked",
         [](TSkRadioButton* b) {
             b->SetChecked(true);
             b->SetEnabled(false);
         }},
    };
    return cases;
}

// A strip of nine 13 x 13 check-box glyphs: coloured squares with their index's number of dots,
// on clOlive, the key colour (clLime, the second key, is left out).
std::unique_ptr<TBitmap> CheckStrip() {
    auto strip = std::make_unique<TBitmap>(117, 13);
    TCanvas* c = strip->Canvas();
    c->Brush()->SetColor(clOlive);
    c->FillRect(Rect(0, 0, 117, 13));
    const TColor colours[9] = {clWhite, clAqua, clYellow, clSilver, clGreen,
                               clTeal,  clGray, clMaroon, clPurple};
    for (int i = 0; i < 9; ++i) {
        c->Brush()->SetColor(clNavy);
        c->FillRect(Rect(i * 13 + 1, 1, i * 13 + 12, 12));
        c->Brush()->SetColor(colours[i]);
        c->FillRect(Rect(i * 13 + 2, 2, i * 13 + 11, 11));
        for (int d = 0; d < i; ++d)
            c->SetPixels(i * 13 + 3 + d, 6, clBlack);
    }
    return strip;
}
}  // namespace

void ButtonSheet(const QString& folder) {
    TSheet sheet(1000, 1400);
    PushButtons(sheet, QStringLiteral("Push button, classic look on clBtnFace"), clBtnFace, false, clBtnFace);
    PushButtons(sheet, QStringLiteral("Push button, classic look in clSkyBlue"), clBtnFace, false, clSkyBlue);
    PushButtons(sheet, QStringLiteral("Push button, hot-track look on the blue skin ($F8B600)"), SkinBlue,
                true, clBtnFace);
    PushButtons(sheet, QStringLiteral("Push button, hot-track look in white on the pink skin ($FF80FF)"),
                SkinPink, true, clWhite);
    SetThemesActiveForTest(true);
    PushButtons(sheet, QStringLiteral("Push button, visual style (themes switched on for the sheet)"),
                clBtnFace, false, clBtnFace);
    SetThemesActiveForTest(false);
    ButtonTextAndColours(sheet);
    sheet.Save(folder, QStringLiteral("buttons"));
}

void CheckRadioSheet(const QString& folder) {
    TSheet sheet(1000, 1600);
    const std::function<void(TSkCheckBox*)> classicCheck = [](TSkCheckBox* b) { b->SetAllowGrayed(true); };
    const std::function<void(TSkRadioButton*)> classicRadio = [](TSkRadioButton*) {};
    GlyphButtons<TSkCheckBox>(sheet, QStringLiteral("Check box, classic glyphs"), clWindow, CheckStates(),
                              classicCheck);
    GlyphButtons<TSkRadioButton>(sheet, QStringLiteral("Radio button, classic glyphs"), clWindow,
                                 RadioStates(), classicRadio);
    for (const auto& [name, colour] : {std::pair{"blue skin", SkinBlue}, std::pair{"pink skin", SkinPink}}) {
        GlyphButtons<TSkCheckBox>(
            sheet, QStringLiteral("Check box, hot-track look, transparent on the %1").arg(name), colour,
            CheckStates(), [](TSkCheckBox* b) {
                b->SetHotTrack(true);
                b->SetTransparent(true);
            });
        GlyphButtons<TSkRadioButton>(
            sheet, QStringLiteral("Radio button, hot-track look, transparent on the %1").arg(name), colour,
            RadioStates(), [](TSkRadioButton* b) {
                b->SetHotTrack(true);
                b->SetTransparent(true);
            });
    }
    GlyphButtons<TSkCheckBox>(sheet, QStringLiteral("Check box, hot-track look, htsFrame, red hot colour"),
                              clWindow, CheckStates(), [](TSkCheckBox* b) {
                                  b->SetHotTrack(true);
                                  b->SetHotTrackStyle(htsFrame);
                                  b->SetHotTrackColor(clRed);
                              });
    GlyphButtons<TSkRadioButton>(sheet,
                                 QStringLiteral("Radio button, hot-track look, htsFrame, red hot colour"),
                                 clWindow, RadioStates(), [](TSkRadioButton* b) {
                                     b->SetHotTrack(true);
                                     b->SetHotTrackStyle(htsFrame);
                                     b->SetHotTrackColor(clRed);
                                 });
    const std::unique_ptr<TBitmap> strip = CheckStrip();
    GlyphButtons<TSkCheckBox>(sheet, QStringLiteral("Check box, custom glyph strip (glyph i shows i dots)"),
                              clWindow, CheckStates(), [&](TSkCheckBox* b) {
                                  b->SetAllowGrayed(true);
                                  b->SetCustomGlyphs(strip.get());
                              });
    SetThemesActiveForTest(true);
    GlyphButtons<TSkCheckBox>(sheet, QStringLiteral("Check box, visual style"), clWindow, CheckStates(),
                              classicCheck);
    GlyphButtons<TSkRadioButton>(sheet, QStringLiteral("Radio button, visual style"), clWindow, RadioStates(),
                                 classicRadio);
    SetThemesActiveForTest(false);
    sheet.Save(folder, QStringLiteral("checkboxes-radiobuttons"));
}
