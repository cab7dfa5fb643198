// The styled library's visual sheet: renders every frame style, edge, glyph, frame control, gradient
// direction, text layout, menu and balloon hint into PNG files (each also three times enlarged) in the
// build folder's "visualsheet" folder, for a person to look at. Run by the tests, so the sheet is always
// fresh.
#include "Forms.h"
#include "FrameControls.h"
#include "GraphicsImage.h"
#include "Sheet.h"
#include "SkCommon.h"
#include "SkGrafx.h"
#include "TextDraw.h"
#include "WidgetApplication.h"

#include <QApplication>
#include <QDir>
#include <cstdio>
#include <functional>

namespace {
const char* const StyleNames[] = {"fsNone",    "fsFlat",       "fsGroove",   "fsBump",
                                  "fsLowered", "fsButtonDown", "fsRaised",   "fsButtonUp",
                                  "fsStatus",  "fsPopup",      "fsFlatBold", "fsFlatRounded"};

void Fill(TCanvas* c, const TRect& r, TColor color) {
    c->Brush()->SetColor(color);
    c->FillRect(r);
}

void Frames(const QString& folder) {
    TSheet sheet(900, 900);
    sheet.Heading(QStringLiteral("DrawBevel, all sides, and left + top only"));
    for (int s = 0; s < 12; ++s)
        sheet.Cell(QString::fromLatin1(StyleNames[s]), 60, 30,
                   [s](TCanvas* c, const TRect& r) { DrawBevelAllSides(c, r, TFrameStyleEx(s)); });
    sheet.NewRow();
    for (int s = 0; s < 12; ++s)
        sheet.Cell(QString::fromLatin1(StyleNames[s]), 60, 30,
                   [s](TCanvas* c, const TRect& r) { DrawBevel(c, r, TFrameStyleEx(s), sdLeft | sdTop); });
    sheet.Heading(QStringLiteral("DrawBorder in shades of $80C0FF (on its colour)"));
    for (int s = 0; s < 12; ++s)
        sheet.Cell(QString::fromLatin1(StyleNames[s]), 60, 30, [s](TCanvas* c, const TRect& r) {
            Fill(c, r, 0x80C0FF);
            DrawBorderAllSides(c, r, 0x80C0FF, TFrameStyleEx(s));
        });
    sheet.Heading(QStringLiteral("3-D, button and colour borders; boxes"));
    sheet.Cell(QStringLiteral("3D raised"), 60, 30,
               [](TCanvas* c, const TRect& r) { Draw3DBorderAllSides(c, r, false); });
    sheet.Cell(QStringLiteral("3D sunken"), 60, 30,
               [](TCanvas* c, const TRect& r) { Draw3DBorderAllSides(c, r, true); });
    sheet.Cell(QStringLiteral("button up"), 60, 30,
               [](TCanvas* c, const TRect& r) { DrawButtonBorderAllSides(c, r, false); });
    sheet.Cell(QStringLiteral("button down"), 60, 30,
               [](TCanvas* c, const TRect& r) { DrawButtonBorderAllSides(c, r, true); });
    sheet.Cell(QStringLiteral("colour up"), 60, 30, [](TCanvas* c, const TRect& r) {
        Fill(c, r, 0x40A040);
        DrawColorBorderAllSides(c, r, 0x40A040, false);
    });
    sheet.Cell(QStringLiteral("colour down"), 60, 30, [](TCanvas* c, const TRect& r) {
        Fill(c, r, 0x40A040);
        DrawColorBorderAllSides(c, r, 0x40A040, true);
    });
    sheet.Cell(QStringLiteral("box"), 60, 30, [](TCanvas* c, const TRect& r) { DrawBox(c, r, clNavy); });
    sheet.Cell(QStringLiteral("dotted"), 60, 30, [](TCanvas* c, const TRect& r) { DrawDottedBorder(c, r); });
    sheet.Cell(QStringLiteral("rounded"), 60, 30, [](TCanvas* c, const TRect& r) {
        Fill(c, r, clWhite);
        DrawRoundedBox(c, r, clBtnShadow, AllSides);
    });
    sheet.Cell(QStringLiteral("rounded L+T"), 60, 30, [](TCanvas* c, const TRect& r) {
        Fill(c, r, clWhite);
        DrawRoundedBox(c, r, clBtnShadow, sdLeft | sdTop);
    });
    sheet.Heading(QStringLiteral("DrawControlFrame (clWindow, then clInfoBk) by style"));
    for (TColor color : {TColor(clWindow), TColor(clInfoBk)}) {
        for (int s = 0; s <= fsFlatBold; ++s)
            sheet.Cell(QString::fromLatin1(StyleNames[s]), 64, 22, [s, color](TCanvas* c, const TRect& r) {
                TBitmap control(r.Width(), r.Height());
                Fill(control.Canvas(), Rect(0, 0, r.Width(), r.Height()), color);
                DrawControlFrame(control.Canvas(), r.Width(), r.Height(), TFrameStyleEx(s), color,
                                 clBtnShadow, AllSides);
                c->Draw(r.Left, r.Top, &control);
            });
        sheet.NewRow();
    }
    sheet.Heading(QStringLiteral("DrawBoxFrame: outer / inner styles, border width, transparent"));
    struct TBoxCase {
        const char* Name;
        TFrameStyleEx Outer, Inner;
        int BorderWidth;
        bool Transparent;
    };
    const TBoxCase boxes[] = {{"raised/lowered", fsRaised, fsLowered, 0, false},
                              {"flat/none", fsFlat, fsNone, 0, false},
                              {"bold/flat w2", fsFlatBold, fsFlat, 2, false},
                              {"rounded", fsFlatRounded, fsNone, 0, false},
                              {"rounded w1", fsFlatRounded, fsNone, 1, false},
                              {"rounded in", fsRaised, fsFlatRounded, 1, false},
                              {"popup/status", fsPopup, fsStatus, 1, false},
                              {"rounded transp.", fsFlatRounded, fsNone, 0, true}};
    for (const TBoxCase& b : boxes)
        sheet.Cell(QString::fromLatin1(b.Name), 80, 40, [b](TCanvas* c, const TRect& r) {
            TRect inner;
            DrawBoxFrame(c, r, b.Outer, b.Inner, b.BorderWidth, AllSides, 2, 0xC08040, clBtnHighlight,
                         clBtnShadow, clBtnShadow, 0, 0xFFF0E0, clBtnFace, b.Transparent, false, inner);
            if (!b.Transparent) Fill(c, inner, 0xFFF0E0);
        });
    sheet.Save(folder, QStringLiteral("frames"));
}

void Glyphs(const QString& folder) {
    TSheet sheet(900, 700);
    sheet.Heading(
        QStringLiteral("DrawDropDownArrowButton: styles 0 1 2, enabled / disabled; clipped in 5 x 5"));
    for (int style = 0; style < 3; ++style)
        for (bool enabled : {true, false})
            sheet.Cell(QStringLiteral("s%1%2").arg(style).arg(enabled ? "" : " off"), 17, 21,
                       [style, enabled](TCanvas* c, const TRect& r) {
                           Fill(c, r, clWindow);
                           DrawDropDownArrowButton(c, r, style, enabled);
                       });
    sheet.Cell(QStringLiteral("small"), 5, 5, [](TCanvas* c, const TRect& r) {
        Fill(c, r, clWindow);
        DrawDropDownArrowButton(c, r, 0, true);
    });
    sheet.Heading(QStringLiteral("DrawArrow: style 0, 1, 2 x up, down, left, right"));
    for (int style = 0; style < 3; ++style)
        for (int d = 0; d < 4; ++d)
            sheet.Cell(QStringLiteral("%1/%2").arg(style).arg(d), 17, 17,
                       [style, d](TCanvas* c, const TRect& r) {
                           Fill(c, r, clWindow);
                           DrawArrow(c, r, style, true, d);
                       });
    sheet.Heading(QStringLiteral("Close glyph 15 x 13 and 10 x 9, close button, disabled"));
    sheet.Cell(QStringLiteral("large"), 15, 13, [](TCanvas* c, const TRect& r) {
        Fill(c, r, clWindow);
        DrawCloseGlyph(c, r, clBlack);
    });
    sheet.Cell(QStringLiteral("small"), 10, 9, [](TCanvas* c, const TRect& r) {
        Fill(c, r, clWindow);
        DrawCloseGlyph(c, r, clBlack);
    });
    sheet.Cell(QStringLiteral("button"), 15, 13, [](TCanvas* c, const TRect& r) {
        Fill(c, r, clBtnFace);
        DrawCloseButton(c, r, 0, true);
    });
    sheet.Cell(QStringLiteral("disabled"), 15, 13, [](TCanvas* c, const TRect& r) {
        Fill(c, r, clBtnFace);
        DrawCloseButton(c, r, 0, false);
    });
    sheet.Heading(QStringLiteral(
        "DrawCheckBoxImage: unchecked, checked, grayed x normal, down, hot interior, hot frame, disabled"));
    for (int state = 0; state < 3; ++state)
        for (int drawState = 0; drawState < 5; ++drawState)
            sheet.Cell(QStringLiteral("%1/%2").arg(state).arg(drawState), 13, 13,
                       [state, drawState](TCanvas* c, const TRect& r) {
                           const int ds = drawState == 4 ? 3 : drawState == 3 ? 2 : drawState;
                           DrawCheckBoxImage(c, r, state, ds, false, drawState == 3 ? htsFrame : htsInterior,
                                             clBtnShadow, 0x404040, clWindow, clWindow, clBtnFace, 0x80D0FF,
                                             0x1080F0, false, false, clInfoBk);
                       });
    sheet.Heading(
        QStringLiteral("DrawRadioButtonImage: unchecked, checked x normal, down, hot frame, disabled"));
    for (bool checked : {false, true})
        for (int drawState = 0; drawState < 4; ++drawState)
            sheet.Cell(QStringLiteral("%1/%2").arg(int(checked)).arg(drawState), 13, 13,
                       [checked, drawState](TCanvas* c, const TRect& r) {
                           DrawRadioButtonImage(c, r, checked, drawState, false, htsFrame, clBtnShadow,
                                                0x404040, clWindow, clWindow, clBtnFace, 0x80D0FF, 0x1080F0,
                                                clBtnFace, false, clFuchsia, false, false, clInfoBk);
                       });
    sheet.Save(folder, QStringLiteral("glyphs"));
}

void FrameControlSheet(const QString& folder) {
    TSheet sheet(900, 600);
    sheet.Heading(
        QStringLiteral("DrawEdge: raised, sunken, etched, bump, soft raised, flat, mono, raised outer only"));
    const std::pair<unsigned, unsigned> edges[] = {
        {EDGE_RAISED, BF_RECT},           {EDGE_SUNKEN, BF_RECT},
        {EDGE_ETCHED, BF_RECT},           {EDGE_BUMP, BF_RECT},
        {EDGE_RAISED, BF_RECT | BF_SOFT}, {EDGE_SUNKEN, BF_RECT | BF_FLAT},
        {EDGE_SUNKEN, BF_RECT | BF_MONO}, {BDR_RAISEDOUTER, BF_RECT}};
    for (auto [edge, flags] : edges)
        sheet.Cell(QStringLiteral("%1/%2").arg(edge).arg(flags, 0, 16), 50, 30,
                   [edge, flags](TCanvas* c, const TRect& r) {
                       TRect rect = r;
                       DrawEdge(c->Handle(), rect, edge, flags | BF_MIDDLE);
                   });
    sheet.Heading(QStringLiteral(
        "DrawFrameControl buttons: check (off, on, inactive, pushed, flat, 3-state), radio, push"));
    const std::pair<unsigned, unsigned> buttons[] = {
        {DFC_BUTTON, DFCS_BUTTONCHECK},
        {DFC_BUTTON, DFCS_BUTTONCHECK | DFCS_CHECKED},
        {DFC_BUTTON, DFCS_BUTTONCHECK | DFCS_CHECKED | DFCS_INACTIVE},
        {DFC_BUTTON, DFCS_BUTTONCHECK | DFCS_PUSHED},
        {DFC_BUTTON, DFCS_BUTTONCHECK | DFCS_CHECKED | DFCS_FLAT},
        {DFC_BUTTON, DFCS_BUTTON3STATE | DFCS_CHECKED},
        {DFC_BUTTON, DFCS_BUTTONRADIO},
        {DFC_BUTTON, DFCS_BUTTONRADIO | DFCS_CHECKED},
        {DFC_BUTTON, DFCS_BUTTONRADIO | DFCS_CHECKED | DFCS_INACTIVE},
        {DFC_BUTTON, DFCS_BUTTONRADIO | DFCS_FLAT | DFCS_CHECKED},
    };
    for (auto [type, state] : buttons)
        sheet.Cell(QStringLiteral("%1").arg(state, 0, 16), 13, 13, [type, state](TCanvas* c, const TRect& r) {
            TRect rect = r;
            DrawFrameControl(c->Handle(), rect, type, state);
        });
    for (unsigned state :
         {0u, unsigned(DFCS_PUSHED), unsigned(DFCS_PUSHED | DFCS_FLAT), unsigned(DFCS_CHECKED)})
        sheet.Cell(QStringLiteral("push %1").arg(state, 0, 16), 50, 22, [state](TCanvas* c, const TRect& r) {
            TRect rect = r;
            DrawFrameControl(c->Handle(), rect, DFC_BUTTON, DFCS_BUTTONPUSH | state);
        });
    sheet.Heading(
        QStringLiteral("Scroll: up, down, left, right, combo 17 x 21, inactive, pushed, flat pushed, grip"));
    const unsigned scrolls[] = {DFCS_SCROLLUP,
                                DFCS_SCROLLDOWN,
                                DFCS_SCROLLLEFT,
                                DFCS_SCROLLRIGHT,
                                DFCS_SCROLLCOMBOBOX,
                                DFCS_SCROLLDOWN | DFCS_INACTIVE,
                                DFCS_SCROLLDOWN | DFCS_PUSHED,
                                DFCS_SCROLLCOMBOBOX | DFCS_PUSHED | DFCS_FLAT,
                                DFCS_SCROLLSIZEGRIP};
    for (unsigned state : scrolls) {
        const bool combo = (state & 0xFF) == DFCS_SCROLLCOMBOBOX;
        sheet.Cell(QStringLiteral("%1").arg(state, 0, 16), combo ? 17 : 16, combo ? 21 : 16,
                   [state](TCanvas* c, const TRect& r) {
                       TRect rect = r;
                       DrawFrameControl(c->Handle(), rect, DFC_SCROLL, state);
                   });
    }
    sheet.Heading(
        QStringLiteral("Menu glyphs 16 x 16 (masks): check, bullet, arrow; scroll arrow clipped in 6 x 6"));
    for (unsigned state : {unsigned(DFCS_MENUCHECK), unsigned(DFCS_MENUBULLET), unsigned(DFCS_MENUARROW)})
        sheet.Cell(QStringLiteral("%1").arg(state), 16, 16, [state](TCanvas* c, const TRect& r) {
            TRect rect = r;
            DrawFrameControl(c->Handle(), rect, DFC_MENU, state);
        });
    sheet.Cell(QStringLiteral("clipped"), 6, 6, [](TCanvas* c, const TRect& r) {
        TRect rect = r;
        DrawFrameControl(c->Handle(), rect, DFC_SCROLL, DFCS_SCROLLDOWN);
    });
    sheet.Save(folder, QStringLiteral("framecontrols"));
}

void Gradients(const QString& folder) {
    const char* const names[] = {
        "gdDiagonalUp",  "gdDiagonalDown",   "gdHorizontalEnd", "gdHorizontalCenter", "gdHorizontalBox",
        "gdVerticalEnd", "gdVerticalCenter", "gdVerticalBox",   "gdSquareBox",        "gdBigSquareBox"};
    TSheet sheet(900, 700);
    for (int steps : {1, 16}) {
        sheet.Heading(QStringLiteral("PaintGradient from $FFE0C0 to $803000, ColorSteps %1").arg(steps));
        for (int d = 0; d < 10; ++d)
            sheet.Cell(QString::fromLatin1(names[d]), 120, 60, [d, steps](TCanvas* c, const TRect& r) {
                PaintGradient(c, r, TGradientDirection(d), 0xFFE0C0, 0x803000, std::uint8_t(steps));
            });
    }
    sheet.Heading(QStringLiteral("Button faces (ring of 2), transparent bitmaps"));
    sheet.Cell(QStringLiteral("PaintButtonFace"), 60, 24, [](TCanvas* c, const TRect& r) {
        Fill(c, r, clWhite);
        PaintButtonFace(c, r, gdHorizontalEnd, 0xFFFFFF, 0x1080F0);
    });
    TBitmap picture(16, 16);
    Fill(picture.Canvas(), Rect(0, 0, 16, 16), clFuchsia);
    picture.Canvas()->Brush()->SetColor(clNavy);
    picture.Canvas()->Pen()->SetColor(clNavy);
    picture.Canvas()->Ellipse(2, 2, 14, 14);
    sheet.Cell(QStringLiteral("transparent x2"), 32, 32, [&](TCanvas* c, const TRect& r) {
        PaintGradient(c, r, gdVerticalEnd, clWhite, clGreen, 1);
        DrawTransparentBitmapEx(c, &picture, r, clFuchsia, Rect(0, 0, 16, 16));
    });
    sheet.Cell(QStringLiteral("stretched"), 24, 24, [&](TCanvas* c, const TRect& r) {
        PaintGradient(c, r, gdVerticalEnd, clWhite, clGreen, 1);
        DrawStretchedTransparentBitmap(c, &picture, r, clFuchsia, Rect(0, 0, 16, 16));
    });
    sheet.Save(folder, QStringLiteral("gradients"));
}

void Text(const QString& folder) {
    TSheet sheet(900, 500);
    const QString cjk = QStringLiteral("膳食能量管家：每天的能量平衡，早餐午餐晚餐");
    auto textCell = [&](const QString& caption, int w, int h, unsigned flags, const QString& text) {
        sheet.Cell(caption, w, h, [=](TCanvas* c, const TRect& r) {
            Fill(c, r, clWindow);
            c->Font()->SetName(QStringLiteral("宋体"));
            c->Font()->SetHeight(-12);
            c->Brush()->SetStyle(bsClear);
            c->Font()->SetColor(clWindowText);
            TRect rect = r;
            c->DrawText(text, rect, flags);
            c->Font()->SetName(QStringLiteral("Tahoma"));
            c->Font()->SetHeight(-11);
        });
    };
    sheet.Heading(QStringLiteral(
        "DrawText: left, centre, right with vcenter; word break between ideographs; ellipsis"));
    textCell(QStringLiteral("left"), 150, 30, DT_LEFT | DT_VCENTER | DT_SINGLELINE,
             QStringLiteral("早餐 Breakfast"));
    textCell(QStringLiteral("center"), 150, 30, DT_CENTER | DT_VCENTER | DT_SINGLELINE,
             QStringLiteral("早餐 Breakfast"));
    textCell(QStringLiteral("right"), 150, 30, DT_RIGHT | DT_VCENTER | DT_SINGLELINE,
             QStringLiteral("早餐 Breakfast"));
    sheet.NewRow();
    textCell(QStringLiteral("word break"), 130, 80, DT_WORDBREAK, cjk);
    textCell(QStringLiteral("mixed break"), 130, 80, DT_WORDBREAK,
             QStringLiteral("Energy 能量 balance of each day 每天"));
    textCell(QStringLiteral("end ellipsis"), 130, 20, DT_SINGLELINE | DT_END_ELLIPSIS, cjk);
    textCell(QStringLiteral("prefix &S"), 130, 20, DT_SINGLELINE, QStringLiteral("&Save 保存(&S) a && b"));
    textCell(QStringLiteral("tabs"), 200, 20, DT_SINGLELINE | DT_EXPANDTABS,
             QStringLiteral("名称\t蛋白质\t脂肪"));
    sheet.Heading(QStringLiteral("Disabled text, rotated font (90 degrees), opaque text on a gradient"));
    sheet.Cell(QStringLiteral("disabled"), 100, 24, [](TCanvas* c, const TRect& r) {
        Fill(c, r, clBtnFace);
        DrawDisabledText(c->Handle(), r.Left + 4, r.Top + 4, QStringLiteral("不可用 Disabled"));
    });
    sheet.Cell(QStringLiteral("rotated"), 24, 100, [](TCanvas* c, const TRect& r) {
        Fill(c, r, clWindow);
        HFONT font = CreateRotatedFont(c->Font(), 90);
        TDeviceContext* dc = c->Handle();
        const int saved = dc->SaveDC();
        SelectObject(dc, font);
        dc->BkMode = TRANSPARENT;
        dc->TextOut(r.Left + 4, r.Bottom - 4, QStringLiteral("竖排 Vertical"));
        dc->RestoreDC(saved);
        DeleteObject(font);
    });
    sheet.Cell(QStringLiteral("on gradient"), 120, 24, [](TCanvas* c, const TRect& r) {
        PaintGradient(c, r, gdHorizontalEnd, clWhite, 0xC08040, 1);
        c->Brush()->SetStyle(bsClear);
        TRect rect = r;
        DrawStringCentered(c, QStringLiteral("渐变上的字"), rect);
        c->Brush()->SetStyle(bsSolid);
    });
    sheet.Save(folder, QStringLiteral("text"));
}
}  // namespace

int main(int argc, char** argv) {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
    TWidgetApplication app(argc, argv);
    const QString folder = argc > 1 ? QString::fromLocal8Bit(argv[1]) : QStringLiteral("visualsheet");
    QDir().mkpath(folder);
    Frames(folder);
    Glyphs(folder);
    FrameControlSheet(folder);
    Gradients(folder);
    Text(folder);
    StatusLineSeparatorSheet(folder);
    MenuSheet(folder);
    BalloonSheet(folder);
    ButtonSheet(folder);
    CheckRadioSheet(folder);
    PanelSheet(folder);
    TabSheet(folder);
    ListBoxSheet(folder);
    CheckListSheet(folder);
    EditSheet(folder);
    GridsTreeSheet(folder);
    CalendarSheet(folder);
    PopupSheet(folder);
    SpinnerSheet(folder);
    ComboSheet(folder);
    ValueEditSheet(folder);
    std::printf("visual sheet written to %s\n", qPrintable(folder));
    // The hint window the application made goes while Qt is still there.
    Application->DestroyComponents();
    return 0;
}
