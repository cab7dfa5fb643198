// The visual sheet of the styled panel and group box: frames, backgrounds, grids, captions, group
// styles, the two skins' colours, docked clients' caption bars and the symbol font's glyphs.
#include "Forms.h"
#include "FrameControls.h"
#include "Sheet.h"
#include "SkPanel.h"
#include "StdCtrls.h"
#include "TypInfo.h"

#include <QApplication>
#include <QWidget>
#include <functional>
#include <memory>

namespace {
QStringList NamesOf(const char* property) {
    return GetPropInfo(&TSkGroupBox::staticMetaObject, QString::fromLatin1(property))->Names;
}

struct TPanelCase {
    QString Caption;
    std::function<void(TSkCustomPanel*)> Set;
};

void PanelRow(TSheet& sheet, TPaintBox* parent, const std::vector<TPanelCase>& cases, int w = 96,
              int h = 48) {
    for (const TPanelCase& test : cases) {
        auto* panel = Child<TSkCustomPanel>(parent, w, h);
        panel->SetCaption(QStringLiteral("面板 Panel"));
        test.Set(panel);
        sheet.Cell(test.Caption, w, h, [&](TCanvas* c, const TRect& r) { ShowOnScreen(c, r, panel); });
        delete panel;
    }
}

void Panels(TSheet& sheet) {
    auto face = MakeParent(clBtnFace);
    auto gradient = MakeParent(clBtnFace, true);
    const QStringList styles = NamesOf("BorderOuter");
    sheet.Heading(
        QStringLiteral("Panel by BorderOuter (BorderInner fsNone), then by BorderInner (outer fsRaised)"));
    std::vector<TPanelCase> outer, inner;
    for (int s = fsNone; s <= fsFlatRounded; ++s) {
        outer.push_back({styles[s], [s](TSkCustomPanel* p) { p->SetBorderOuter(TFrameStyleEx(s)); }});
        inner.push_back({styles[s], [s](TSkCustomPanel* p) { p->SetBorderInner(TFrameStyleEx(s)); }});
    }
    PanelRow(sheet, face.get(), outer);
    sheet.NewRow();
    PanelRow(sheet, face.get(), inner);
    sheet.Heading(QStringLiteral("Border width, sides, colours, rounded corners"));
    PanelRow(sheet, face.get(),
             {{"BorderWidth 3 clRed",
               [](TSkCustomPanel* p) {
                   p->SetBorderWidth(3);
                   p->SetBorderColor(clRed);
               }},
              {"sides L+T", [](TSkCustomPanel* p) { p->SetBorderSides(sdLeft | sdTop); }},
              {"sides R+B", [](TSkCustomPanel* p) { p->SetBorderSides(sdRight | sdBottom); }},
              {"fsPopup BW 2, hi/sh",
               [](TSkCustomPanel* p) {
                   p->SetBorderOuter(fsPopup);
                   p->SetBevelWidth(2);
                   p->SetBorderHighlight(clYellow);
                   p->SetBorderShadow(clNavy);
               }},
              {"fsFlat clNavy adj 0",
               [](TSkCustomPanel* p) {
                   p->SetBorderOuter(fsFlat);
                   p->SetFlatColor(clNavy);
                   p->SetFlatColorAdjustment(0);
               }},
              {"rounded on white",
               [](TSkCustomPanel* p) {
                   p->SetBorderOuter(fsFlatRounded);
                   p->SetColor(clWhite);
               }},
              {"rounded BW 1",
               [](TSkCustomPanel* p) {
                   p->SetBorderOuter(fsFlatRounded);
                   p->SetBorderWidth(1);
                   p->SetColor(clWhite);
               }},
              {"inner rounded", [](TSkCustomPanel* p) {
                   p->SetBorderOuter(fsNone);
                   p->SetBorderInner(fsFlatRounded);
                   p->SetColor(clWhite);
               }}});
    sheet.Heading(QStringLiteral("Background: classic, XP, gradients by colour style and direction"));
    std::vector<TPanelCase> backgrounds = {
        {"vsClassic", [](TSkCustomPanel* p) { p->SetVisualStyle(vsClassic); }},
        {"gcsSystem", [](TSkCustomPanel* p) { p->SetVisualStyle(vsGradient); }},
        {"gcsMSOffice", [](TSkCustomPanel* p) {
             p->SetVisualStyle(vsGradient);
             p->SetGradientColorStyle(gcsMSOffice);
         }}};
    const QStringList directions = NamesOf("GradientDirection");
    for (int d = gdDiagonalUp; d <= gdBigSquareBox; ++d)
        backgrounds.push_back({directions[d], [d](TSkCustomPanel* p) {
                                   p->SetVisualStyle(vsGradient);
                                   p->SetGradientColorStyle(gcsCustom);
                                   p->SetGradientColorStart(0xFFE0C0);
                                   p->SetGradientColorStop(0x805020);
                                   p->SetGradientDirection(TGradientDirection(d));
                                   p->Font()->SetColor(clWhite);
                               }});
    PanelRow(sheet, face.get(), backgrounds);
    sheet.Heading(
        QStringLiteral("Grids (8 x 8, then 0 x 6), caption placement, word wrap, transparency, disabled"));
    PanelRow(
        sheet, face.get(),
        {{"pgsDots",
          [](TSkCustomPanel* p) {
              p->SetShowGrid(true);
              p->SetGridColor(clNavy);
          }},
         {"pgsDottedLines",
          [](TSkCustomPanel* p) {
              p->SetShowGrid(true);
              p->SetGridStyle(pgsDottedLines);
          }},
         {"pgsSolidLines",
          [](TSkCustomPanel* p) {
              p->SetShowGrid(true);
              p->SetGridStyle(pgsSolidLines);
          }},
         {"GridXSize 0",
          [](TSkCustomPanel* p) {
              p->SetShowGrid(true);
              p->SetGridStyle(pgsSolidLines);
              p->SetGridXSize(0);
              p->SetGridYSize(6);
          }},
         {"top left",
          [](TSkCustomPanel* p) {
              p->SetAlignmentVertical(avTop);
              p->SetAlignment(taLeftJustify);
          }},
         {"bottom right, margins 4",
          [](TSkCustomPanel* p) {
              p->SetAlignmentVertical(avBottom);
              p->SetAlignment(taRightJustify);
              p->SetTextMargin(4);
              p->SetTextMarginVertical(4);
          }},
         {"word wrap",
          [](TSkCustomPanel* p) { p->SetCaption(QStringLiteral("今天的能量平衡 energy balance of today")); }},
         {"no wrap",
          [](TSkCustomPanel* p) {
              p->SetCaption(QStringLiteral("今天的能量平衡 energy balance of today"));
              p->SetWordWrap(false);
          }},
         {"disabled", [](TSkCustomPanel* p) { p->SetEnabled(false); }}});
    auto* clear = Child<TSkCustomPanel>(gradient.get(), 96, 48);
    clear->SetBounds(200, 100, 96, 48);
    clear->SetCaption(QStringLiteral("透明 Transparent"));
    clear->SetTransparent(true);
    sheet.Cell(QStringLiteral("transparent on gradient"), 96, 48,
               [&](TCanvas* c, const TRect& r) { ShowOnScreen(c, r, clear); });
}

struct TGroupCase {
    QString Caption;
    std::function<void(TSkGroupBox*)> Set;
};

// A group box with two check boxes and a button inside.
TSkGroupBox* MakeGroup(TPaintBox* parent, int w, int h) {
    auto* box = Child<TSkGroupBox>(parent, w, h);
    box->SetCaption(QStringLiteral("&Meal 餐次"));
    auto* check = new TCheckBox(box);
    check->SetParent(box);
    check->SetCaption(QStringLiteral("早餐"));
    check->SetAlign(alTop);
    check->SetHeight(20);
    auto* button = new TButton(box);
    button->SetParent(box);
    button->SetCaption(QStringLiteral("保存"));
    button->SetAlign(alBottom);
    button->SetHeight(22);
    return box;
}

void GroupRow(TSheet& sheet, TPaintBox* parent, const std::vector<TGroupCase>& cases, int w = 120,
              int h = 80) {
    for (const TGroupCase& test : cases) {
        TSkGroupBox* box = MakeGroup(parent, w, h);
        test.Set(box);
        sheet.Cell(test.Caption, w, h, [&](TCanvas* c, const TRect& r) { ShowOnScreen(c, r, box); });
        delete box;
    }
}

void GroupBoxes(TSheet& sheet) {
    auto face = MakeParent(clBtnFace);
    auto gradient = MakeParent(clBtnFace, true);
    const QStringList styles = NamesOf("GroupStyle");
    sheet.Heading(QStringLiteral("Group box by GroupStyle (a check box at the top, a button at the bottom)"));
    std::vector<TGroupCase> byStyle;
    for (int s = gsStandard; s <= gsUnderline; ++s)
        byStyle.push_back({styles[s], [s](TSkGroupBox* g) { g->SetGroupStyle(TSkGroupBoxStyle(s)); }});
    byStyle.push_back({"gsCustom fsLowered", [](TSkGroupBox* g) {
                           g->SetGroupStyle(gsCustom);
                           g->SetBorderOuter(fsLowered);
                       }});
    GroupRow(sheet, face.get(), byStyle);
    sheet.Heading(QStringLiteral("gsStandard and gsTopLine by BorderOuter; banners; caption font; disabled"));
    GroupRow(sheet, face.get(),
             {{"std fsFlat",
               [](TSkGroupBox* g) {
                   g->SetGroupStyle(gsStandard);
                   g->SetBorderOuter(fsFlat);
               }},
              {"std fsFlatBold",
               [](TSkGroupBox* g) {
                   g->SetGroupStyle(gsStandard);
                   g->SetBorderOuter(fsFlatBold);
               }},
              {"std fsRaised",
               [](TSkGroupBox* g) {
                   g->SetGroupStyle(gsStandard);
                   g->SetBorderOuter(fsRaised);
               }},
              {"std no caption",
               [](TSkGroupBox* g) {
                   g->SetGroupStyle(gsStandard);
                   g->SetCaption(QString());
               }},
              {"topline fsFlatBold",
               [](TSkGroupBox* g) {
                   g->SetGroupStyle(gsTopLine);
                   g->SetBorderOuter(fsFlatBold);
               }},
              {"banner 30 custom",
               [](TSkGroupBox* g) {
                   g->SetGroupStyle(gsBanner);
                   g->SetBannerHeight(30);
                   g->SetGradientColorStyle(gcsCustom);
                   g->SetGradientColorStart(clWhite);
                   g->SetGradientColorStop(0xC08040);
               }},
              {"caption font bold blue",
               [](TSkGroupBox* g) {
                   g->CaptionFont()->SetStyle(FontStyle(fsBold));
                   g->CaptionFont()->SetColor(clBlue);
               }},
              {"centred, disabled", [](TSkGroupBox* g) {
                   g->SetAlignment(taCenter);
                   g->SetEnabled(false);
               }}});
    sheet.Heading(QStringLiteral("Transparent on a gradient; the themed look (visual styles on)"));
    for (int s : {gsStandard, gsFlat, gsBanner, gsUnderline}) {
        TSkGroupBox* box = MakeGroup(gradient.get(), 120, 80);
        box->SetBounds(100 + 20 * s, 100, 120, 80);
        box->SetGroupStyle(TSkGroupBoxStyle(s));
        box->SetTransparent(true);
        sheet.Cell(QStringLiteral("transparent ") + styles[s], 120, 80,
                   [&](TCanvas* c, const TRect& r) { ShowOnScreen(c, r, box); });
        delete box;
    }
    SetThemesActiveForTest(true);
    GroupRow(sheet, face.get(),
             {{"themed gsStandard", [](TSkGroupBox* g) { g->SetGroupStyle(gsStandard); }},
              {"themed gsFlat", [](TSkGroupBox*) {}},
              {"themed disabled", [](TSkGroupBox* g) { g->SetEnabled(false); }},
              {"themed gsTopLine", [](TSkGroupBox* g) { g->SetGroupStyle(gsTopLine); }}});
    ResetPlatformProfile();
}

// The program's two skins: panels and group boxes in blue $F8B600 and pink $FF80FF.
void Skins(TSheet& sheet) {
    for (const TColor skin : {TColor(0xF8B600), TColor(0xFF80FF)}) {
        auto white = MakeParent(clWhite);
        sheet.Heading(QStringLiteral("Skin colour $%1").arg(skin, 6, 16, QLatin1Char('0')).toUpper());
        PanelRow(sheet, white.get(),
                 {{"panel Color", [skin](TSkCustomPanel* p) { p->SetColor(skin); }},
                  {"flat frame",
                   [skin](TSkCustomPanel* p) {
                       p->SetBorderOuter(fsFlat);
                       p->SetFlatColor(skin);
                       p->SetFlatColorAdjustment(0);
                       p->SetColor(clWhite);
                   }},
                  {"gradient box", [skin](TSkCustomPanel* p) {
                       p->SetBorderOuter(fsFlatRounded);
                       p->SetFlatColor(skin);
                       p->SetVisualStyle(vsGradient);
                       p->SetGradientColorStyle(gcsCustom);
                       p->SetGradientColorStart(clWhite);
                       p->SetGradientColorStop(skin);
                       p->SetGradientDirection(gdSquareBox);
                   }}});
        GroupRow(sheet, white.get(),
                 {{"gsFlat FlatColor",
                   [skin](TSkGroupBox* g) {
                       g->SetFlatColor(skin);
                       g->SetColor(clWhite);
                   }},
                  {"gsTopLine fsFlat",
                   [skin](TSkGroupBox* g) {
                       g->SetGroupStyle(gsTopLine);
                       g->SetBorderOuter(fsFlat);
                       g->SetFlatColor(skin);
                       g->SetFlatColorAdjustment(0);
                       g->SetColor(clWhite);
                   }},
                  {"gsBanner", [skin](TSkGroupBox* g) {
                       g->SetGroupStyle(gsBanner);
                       g->SetGradientColorStyle(gcsCustom);
                       g->SetGradientColorStart(clWhite);
                       g->SetGradientColorStop(skin);
                       g->SetFlatColor(skin);
                       g->SetColor(clWhite);
                   }}});
    }
}

// A dock site with two windows docked, one of them focused; then a site aligned to the top.
void Docking(TSheet& sheet) {
    sheet.Heading(QStringLiteral(
        "Dock sites: caption bars (the second window focused), the classic frame, a top site"));
    TForm host(nullptr);
    host.SetBounds(0, 0, 600, 400);
    auto showSite = [&](const QString& caption, TAlign align, bool captions) {
        auto* site = new TSkCustomPanel(&host);
        site->SetParent(&host);
        site->SetBounds(0, 0, 220, 140);
        site->SetAlign(align);
        if (align == alTop) site->SetHeight(90);
        site->SetBorderOuter(fsLowered);
        site->SetShowDockClientCaptions(captions);
        site->SetDockSite(true);
        TForm first(nullptr), second(nullptr);
        first.SetCaption(QStringLiteral("食物 Foods"));
        second.SetCaption(QStringLiteral("菜谱 Recipes"));
        auto* edit = new TEdit(&second);
        edit->SetParent(&second);
        first.ManualDock(site);
        second.ManualDock(site);
        first.ShowForm();
        second.ShowForm();
        host.Show();
        edit->SetFocus();
        QApplication::processEvents();
        sheet.Cell(caption, site->Width(), site->Height(),
                   [&](TCanvas* c, const TRect& r) { ShowOnScreen(c, r, site); });
        host.Hide();
        delete site;
    };
    showSite(QStringLiteral("captions"), alNone, true);
    showSite(QStringLiteral("classic frame"), alNone, false);
    showSite(QStringLiteral("top site: bars on the left"), alTop, true);
}

void SymbolGlyphs(TSheet& sheet) {
    sheet.Heading(QStringLiteral("The symbol font's glyphs (8, 12 and 16 pt) and the caption close button"));
    for (const int size : {8, 12, 16})
        for (const char* glyph : {"r", "3", "4", "5", "6"})
            sheet.Cell(QStringLiteral("%1 %2pt").arg(QLatin1String(glyph)).arg(size), 24, 24,
                       [&](TCanvas* c, const TRect& r) {
                           c->Brush()->SetColor(clWhite);
                           c->FillRect(r);
                           c->Font()->SetName(QStringLiteral("Marlett"));
                           c->Font()->SetSize(size);
                           c->Font()->SetColor(clBlack);
                           TRect box = r;
                           c->DrawText(QLatin1String(glyph), box, DT_CENTER | DT_VCENTER | DT_SINGLELINE);
                           c->Font()->SetName(QStringLiteral("Tahoma"));
                           c->Font()->SetHeight(-11);
                       });
    for (const unsigned state : {0u, unsigned(DFCS_PUSHED), unsigned(DFCS_INACTIVE)})
        sheet.Cell(QStringLiteral("close %1").arg(state, 0, 16), 16, 14, [&](TCanvas* c, const TRect& r) {
            TRect box = r;
            DrawFrameControl(c->Handle(), box, DFC_CAPTION, DFCS_CAPTIONCLOSE | state);
        });
}
}  // namespace

void PanelSheet(const QString& folder) {
    TSheet sheet(1300, 1400);
    Panels(sheet);
    sheet.Save(folder, QStringLiteral("panels"));
    TSheet groups(1300, 1400);
    GroupBoxes(groups);
    Skins(groups);
    groups.Save(folder, QStringLiteral("group-boxes"));
    TSheet docking(1000, 600);
    Docking(docking);
    SymbolGlyphs(docking);
    docking.Save(folder, QStringLiteral("docking-glyphs"));
}
