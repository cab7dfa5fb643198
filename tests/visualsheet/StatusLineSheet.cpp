// The visual sheet of the status pane, the line and the separator: each control painted off screen
// on a parent, in its styles and states.
#include "Sheet.h"
#include "SkBckgnd.h"
#include "SkGrafx.h"
#include "SkLine.h"
#include "SkStatus.h"
#include "TypInfo.h"

#include <memory>

namespace {
void StatusPanes(TSheet& sheet) {
    auto face = MakeParent(clBtnFace);
    auto gradient = MakeParent(clBtnFace, true);
    sheet.Heading(QStringLiteral("Status pane by frame style (transparent on clBtnFace; BorderWidth 1)"));
    const QStringList styles = GetPropInfo(&TSkStatusPane::staticMetaObject, "FrameStyle")->Names;
    for (int style = fsNone; style <= fsFlatRounded; ++style) {
        auto* pane = Child<TSkStatusPane>(face.get(), 96, 22);
        pane->SetCaption(QStringLiteral("状态栏 Status"));
        pane->SetFrameStyle(TFrameStyleEx(style));
        sheet.Cell(styles[style], 96, 22, [&](TCanvas* c, const TRect& r) { Show(c, r, pane); });
    }
    sheet.Heading(QStringLiteral("Alignment, offsets, fill, blinking, disabled, on a gradient parent"));
    struct TCase {
        const char* Caption;
        std::function<void(TSkStatusPane*)> Set;
    };
    const TCase cases[] = {
        {"left", [](TSkStatusPane*) {}},
        {"centre", [](TSkStatusPane* p) { p->SetAlignment(taCenter); }},
        {"right", [](TSkStatusPane* p) { p->SetAlignment(taRightJustify); }},
        {"offset 10, border 3",
         [](TSkStatusPane* p) {
             p->SetCaptionOffset(10);
             p->SetBorderWidth(3);
         }},
        {"fill clInfoBk",
         [](TSkStatusPane* p) {
             p->SetTransparent(false);
             p->SetFillColor(clInfoBk);
         }},
        {"blink on phase",
         [](TSkStatusPane* p) {
             p->SetBlinking(true);
             p->Perform(SK_BLINKSTATE, 1);
         }},
        {"blue 16 px font",
         [](TSkStatusPane* p) {
             p->Font()->SetColor(clBlue);
             p->Font()->SetHeight(-16);
         }},
        {"disabled", [](TSkStatusPane* p) { p->SetEnabled(false); }},
        {"auto size", [](TSkStatusPane* p) { p->SetAutoSize(true); }},
    };
    for (const TCase& test : cases) {
        auto* pane = Child<TSkStatusPane>(face.get(), 120, 24);
        pane->SetCaption(QStringLiteral("正在加载食物成份"));
        test.Set(pane);
        sheet.Cell(test.Caption, 120, 24, [&](TCanvas* c, const TRect& r) { Show(c, r, pane); });
    }
    auto* onGradient = Child<TSkStatusPane>(gradient.get(), 120, 24);
    onGradient->SetCaption(QStringLiteral("透明 Transparent"));
    onGradient->SetBounds(100, 150, 120, 24);
    sheet.Cell(QStringLiteral("transparent on gradient"), 120, 24,
               [&](TCanvas* c, const TRect& r) { Show(c, r, onGradient); });
}

void Lines(TSheet& sheet) {
    auto white = MakeParent(clWhite);
    sheet.Heading(QStringLiteral("Line: the main window's arrow (20 x 40), slopes, arrows, widths, styles"));
    struct TCase {
        const char* Caption;
        int Width, Height;
        std::function<void(TSkLine*)> Set;
    };
    const TCase cases[] = {
        {"20x40 saEnd", 20, 40, [](TSkLine* l) { l->SetShowArrows(saEnd); }},
        {"lsUp saStart", 20, 40,
         [](TSkLine* l) {
             l->SetLineSlope(lsUp);
             l->SetShowArrows(saStart);
         }},
        {"ArrowLength 12", 20, 40,
         [](TSkLine* l) {
             l->SetShowArrows(saEnd);
             l->SetArrowLength(12);
         }},
        {"saBoth", 80, 40, [](TSkLine* l) { l->SetShowArrows(saBoth); }},
        {"lsUp saBoth", 80, 40,
         [](TSkLine* l) {
             l->SetLineSlope(lsUp);
             l->SetShowArrows(saBoth);
         }},
        {"width 3, red", 80, 40,
         [](TSkLine* l) {
             l->SetShowArrows(saEnd);
             l->SetLineWidth(3);
             l->SetLineColor(clRed);
         }},
        {"psDash", 80, 40, [](TSkLine* l) { l->SetLineStyle(psDash); }},
        {"psDot", 80, 40, [](TSkLine* l) { l->SetLineStyle(psDot); }},
        {"horizontal", 80, 20, [](TSkLine* l) { l->SetShowArrows(saBoth); }},
        {"caption", 80, 40,
         [](TSkLine* l) {
             l->SetShowArrows(saEnd);
             l->SetCaption(QStringLiteral("下一步"));
         }},
    };
    for (const TCase& test : cases) {
        auto* line = Child<TSkLine>(white.get(), test.Width, test.Height);
        test.Set(line);
        sheet.Cell(test.Caption, test.Width, test.Height,
                   [&](TCanvas* c, const TRect& r) { Show(c, r, line); });
    }
}

void Separators(TSheet& sheet) {
    auto white = MakeParent(clWhite);
    auto face = MakeParent(clBtnFace);
    sheet.Heading(
        QStringLiteral("Separator: the activity catalogue's rule (1 px, $FF8000 on white), locations"));
    struct TCase {
        const char* Caption;
        TPaintBox* Parent;
        int Width, Height;
        std::function<void(TSkSeparator*)> Set;
    };
    auto orange = [](TSkSeparator* s) { s->SetHighlightColor(0xFF8000); };
    const TCase cases[] = {
        {"1 px, hlCenter", white.get(), 200, 1, orange},
        {"2 px, hlCenter", face.get(), 200, 2, [](TSkSeparator*) {}},
        {"hlUpperLeft", face.get(), 200, 2, [](TSkSeparator* s) { s->SetHighlightLocation(hlUpperLeft); }},
        {"hlLowerRight", face.get(), 200, 2, [](TSkSeparator* s) { s->SetHighlightLocation(hlLowerRight); }},
        {"no gradient, clGray", face.get(), 200, 2,
         [](TSkSeparator* s) {
             s->SetShowGradient(false);
             s->SetColor(clGray);
         }},
        {"vertical hlCenter", white.get(), 200, 2,
         [&](TSkSeparator* s) {
             orange(s);
             s->SetOrientation(orVertical);
         }},
        {"vertical hlUpperLeft", face.get(), 200, 2,
         [](TSkSeparator* s) {
             s->SetOrientation(orVertical);
             s->SetHighlightLocation(hlUpperLeft);
         }},
    };
    for (const TCase& test : cases) {
        auto* separator = Child<TSkSeparator>(test.Parent, test.Width, test.Height);
        test.Set(separator);
        const int w = separator->Width(), h = separator->Height();
        sheet.Cell(test.Caption, w, h, [&](TCanvas* c, const TRect& r) { Show(c, r, separator); });
    }
    auto* few = Child<TSkSeparator>(face.get(), 200, 2);
    HighColorDisplay = false;
    sheet.Cell(QStringLiteral("256 colours"), 200, 2, [&](TCanvas* c, const TRect& r) { Show(c, r, few); });
    HighColorDisplay = true;
}
}  // namespace

void StatusLineSeparatorSheet(const QString& folder) {
    TSheet sheet(1000, 560);
    StatusPanes(sheet);
    Lines(sheet);
    Separators(sheet);
    sheet.Save(folder, QStringLiteral("status-line-separator"));
}
