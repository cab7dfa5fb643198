// How the windows look where the styled controls meet the windows' own colours: check-box captions on
// their panels, group boxes over coloured panels, and the main area's texts before the login.
#include "IniFiles.h"
#include "MainWindowSession.h"
#include "MenuWindow.h"
#include "UnitBKSet.h"
#include "UnitSetHT.h"
#include "UnitTaoCan.h"

#include <QApplication>
#include <QImage>
#include <QTest>
#include <QTimer>
#include <QWidget>
#include <gtest/gtest.h>

namespace {

TColor At(const QImage& image, int x, int y) {
    const QRgb p = image.pixel(x, y);
    return TColor(qRed(p) | (qGreen(p) << 8) | (qBlue(p) << 16));
}

QImage Shot(TControl* control) {
    return control->Widget()->grab().toImage();
}

// The pixels of a colour in an image.
int Count(const QImage& image, TColor color) {
    int n = 0;
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x)
            n += At(image, x, y) == ColorToRGB(color);
    return n;
}

// The row of a group box's top line: the first row from `top` down whose pixel differs from the one
// above the box.
int FrameLine(const QImage& image, int x, int top) {
    int y = top;
    while (y < top + 20 && At(image, x, y) == At(image, x, top - 1))
        ++y;
    return y;
}

// The three pixels beyond each cut top corner of a box whose frame runs from `left` to `right`.
void ExpectCornersOutside(const QImage& image, int left, int right, int line, TColor around) {
    for (const auto& [x, y] : {std::pair{left, line},
                               {left + 1, line},
                               {left, line + 1},
                               {right, line},
                               {right - 1, line},
                               {right, line + 1}})
        EXPECT_EQ(At(image, x, y), around) << x << "," << y;
}

class Looks : public MainWindowSession {
protected:
    void WriteIni(const char* key, int value) {
        TIniFile(Db.Folder() + "UInfo.ini").WriteInteger("UINFO", key, value);
    }
    // The background beside a check box's caption: past the glyph, above the text, and at the far end.
    static void ExpectCaptionOn(TSkCheckBox* box, TColor background) {
        const QImage image = Shot(box);
        const TColor expected = ColorToRGB(background);
        EXPECT_EQ(At(image, box->GlyphWidth() + 2, 0), expected);
        EXPECT_EQ(At(image, image.width() - 1, image.height() - 1), expected);
        EXPECT_EQ(At(image, image.width() - 1, 0), expected);
    }
};

}  // namespace

TEST_F(Looks, CheckBoxCaptionsSitOnTheTipsAndTheGuidesOwnColours) {
    bool tipSeen = false;
    OnModal = [&](TForm* form) {
        auto* tip = dynamic_cast<TMsgFrm*>(form);
        if (!tip || !tip->chckbx1->Visible()) return;
        tipSeen = true;
        ExpectCaptionOn(tip->chckbx1, tip->pnl1->Color());
    };
    Start();  // the first start shows the tip "提示说明" with its check box
    EXPECT_TRUE(tipSeen);
    Login();  // and the guide after the first login
    ASSERT_TRUE(MainFrm->PanelHelp->Visible());
    ExpectCaptionOn(MainFrm->chkHint, MainFrm->PanelHelp->Color());
}

TEST_F(Looks, GroupBoxesShowWhatIsAroundThemOutsideTheirFrames) {
    WriteIni("RunCon", 1);
    MainFrm = new TMainFrm(Application);
    MainFrm->LoadingWaitMs = 200;
    MainFrm->ShowForm();
    QImage loading;
    // Taken at the first events the wait for the foods lets through, while the box is up.
    QTimer::singleShot(0, [&] {
        if (MainFrm->gbPro->Visible()) loading = MainFrm->Widget()->grab().toImage();
    });
    MainFrm->Timer1Timer(MainFrm->Timer1);  // the loading box shows while the foods load
    ASSERT_FALSE(loading.isNull());
    const QPoint box = MainFrm->gbPro->Widget()->mapTo(MainFrm->Widget(), QPoint(0, 0));
    const int right = box.x() + MainFrm->gbPro->Width() - 1;
    const TColor around = At(loading, box.x() + 40, box.y() - 1);
    const int line = FrameLine(loading, box.x() + 40, box.y());
    ASSERT_GT(line, box.y());  // above the frame's top line what is around the box shows
    ExpectCornersOutside(loading, box.x(), right, line, around);
    EXPECT_EQ(At(loading, box.x() + 40, box.y() + 30), ColorToRGB(MainFrm->gbPro->Color()));  // inside

    Login();
    const QImage panel = Shot(MainFrm->pnlMain);
    const TColor light = ColorToRGB(MainFrm->pnlMain->Color());
    TSkGroupBox* today = MainFrm->SkGroupBox1;
    const int left = today->Left(), top = today->Top(), far = today->Left() + today->Width() - 1;
    const int todayLine = FrameLine(panel, far - 20, top);  // past the caption
    ASSERT_GT(todayLine, top);
    EXPECT_EQ(At(panel, far - 20, top), light);
    ExpectCornersOutside(panel, left, far, todayLine, light);
    EXPECT_EQ(At(panel, left + 2, top + 40), light);  // and round the figures inside
}

TEST_F(Looks, BeforeTheLoginTheMainAreasTextsKeepTheirOwnColours) {
    WriteIni("RunCon", 1);
    Start();
    ASSERT_FALSE(MainFrm->pnlCenter->Enabled());
    for (TLabel* label : {MainFrm->lblDayKcal, MainFrm->lblKcalHInt, MainFrm->Label6, MainFrm->Label9}) {
        const QImage image = Shot(label);
        EXPECT_GT(Count(image, label->Font()->Color()), 0) << label->Name().toStdString();
        EXPECT_EQ(Count(image, clGrayText), 0) << label->Name().toStdString();
    }
    // A label disabled itself is drawn disabled.
    MainFrm->Label9->SetEnabled(false);
    EXPECT_EQ(Count(Shot(MainFrm->Label9), MainFrm->Label9->Font()->Color()), 0);
    EXPECT_GT(Count(Shot(MainFrm->Label9), clGrayText), 0);
}

namespace {
// The bounding box of the pixels where two images differ, or of those darker than `limit` in one.
QRect Diff(const QImage& a, const QImage& b) {
    QRect box;
    for (int y = 0; y < a.height(); ++y)
        for (int x = 0; x < a.width(); ++x)
            if (a.pixel(x, y) != b.pixel(x, y)) box |= QRect(x, y, 1, 1);
    return box;
}
QRect Ink(const QImage& image, const QRect& area, int limit) {
    QRect box;
    for (int y = area.top(); y <= area.bottom(); ++y)
        for (int x = area.left(); x <= area.right(); ++x)
            if (qGray(image.pixel(x, y)) < limit) box |= QRect(x, y, 1, 1);
    return box;
}
}  // namespace

TEST_F(Looks, TheSetMealMakersTabCaptionsAndTheirFocusFrameStandClearOfTheTabsEdges) {
    WriteIni("RunCon", 1);
    WriteIni("RunHelp", 1);
    Start();
    Login();
    QApplication::setActiveWindow(MainFrm->Widget());
    MainFrm->btnTaoCan->Click();
    Frm_TaoCan->btnMakeTC->Click();
    TSkPageControl* tabs = Frm_TaoCan->PCSS;
    const TRect tab = tabs->GetTabRect(0);
    const QImage plain = Shot(tabs);
    tabs->SetFocus();
    ASSERT_TRUE(tabs->Focused());
    const QImage focused = Shot(tabs);
    const QRect frame = Diff(plain, focused);
    ASSERT_FALSE(frame.isEmpty());
    // The caption: the dark pixels well inside the tab.
    const QRect caption =
        Ink(plain, QRect(tab.Left + 2, tab.Top + 2, tab.Width() - 4, tab.Height() - 4), 100);
    ASSERT_FALSE(caption.isEmpty());
    EXPECT_GE(caption.left() - tab.Left, 5);  // off the tab's left edge
    EXPECT_GE(frame.left() - tab.Left, 2);    // the frame off the outline
    EXPECT_GE(frame.top() - tab.Top, 2);
    // The frame goes round the caption with a pixel to spare on every side.
    EXPECT_LT(frame.left(), caption.left() - 1);
    EXPECT_LT(frame.top(), caption.top() - 1);
    EXPECT_GT(frame.right(), caption.right() + 1);
    EXPECT_GT(frame.bottom(), caption.bottom() + 1);
}

// The settings menu's skin sub-menu is drawn by the window's menu controller as the menu is: an icon
// bar down its left, a framed selection, and items of the same height.
TEST_F(Looks, TheSkinSubMenuIsDrawnLikeTheSettingsMenu) {
    WriteIni("RunCon", 1);
    Start();
    const TMenuLevel menu(MainFrm->pm3->Items()), skins(MainFrm->N4);
    ASSERT_EQ(skins.Count(), 2);
    QImage menuImage, skinImage;
    menu.Paint(menuImage, 0, true);
    skins.Paint(skinImage, 0, true);
    const TRect m = menu.ItemRect(1), s = skins.ItemRect(1);  // unselected items
    EXPECT_EQ(m.Height(), s.Height());
    const int my = (m.Top + m.Bottom) / 2, sy = (s.Top + s.Bottom) / 2;
    EXPECT_NE(At(menuImage, m.Left + 2, my), ColorToRGB(clMenu));  // the icon bar
    for (int x : {m.Left + 1, m.Left + 12, m.Left + 22})
        EXPECT_EQ(At(skinImage, x - m.Left + s.Left, sy), At(menuImage, x, my)) << x;
    const TRect ms = menu.ItemRect(0), ss = skins.ItemRect(0);  // selected: framed alike
    EXPECT_EQ(At(skinImage, ss.Left, ss.Top), At(menuImage, ms.Left, ms.Top));
    EXPECT_EQ(At(skinImage, ss.Left + 1, (ss.Top + ss.Bottom) / 2),
              At(menuImage, ms.Left + 1, (ms.Top + ms.Bottom) / 2));
}

// The catalogue's item editor lies over the lists; beside its left and right edges the window's own
// background shows, not slivers of the check boxes it half covers.
TEST_F(Looks, TheCataloguesItemEditorCutsNoCheckBoxAtItsSides) {
    WriteIni("RunCon", 1);
    Start();
    Login();
    auto* catalogue = new TSetHTFrm(MainFrm);
    catalogue->ShowForm();
    QTest::mouseClick(catalogue->SkButton3->Widget(), Qt::LeftButton);  // 添加活动项
    ASSERT_TRUE(catalogue->gb->Showing());
    const QImage window = Shot(catalogue);
    const TRect editor = catalogue->gb->BoundsRect();
    const TColor background = At(window, editor.Left - 1, editor.Top - 1);
    for (int y = editor.Top + 12; y < editor.Bottom; ++y) {
        EXPECT_EQ(At(window, editor.Left - 1, y), background) << y;
        EXPECT_EQ(At(window, editor.Right, y), background) << y;
    }
    delete catalogue;
}

// The two energy methods lie on the window's own white: no frame and no grey between or beside them.
TEST_F(Looks, TheEnergyMethodsLieOnTheWindowsOwnWhite) {
    WriteIni("RunCon", 1);
    Start();
    Login();
    TBKSetFrm form(Application);
    form.ShowForm();
    const QImage window = Shot(&form);
    const TColor white = ColorToRGB(form.Color());
    const QPoint first = form.rb1->Widget()->mapTo(form.Widget(), QPoint(0, 0));
    const QPoint second = form.rb2->Widget()->mapTo(form.Widget(), QPoint(0, 0));
    const int left = first.x(), right = form.lbl3->Left() - 1;  // up to the [说明] links
    int other = 0;
    for (int y = first.y() + form.rb1->Height(); y < second.y(); ++y)  // the rows between them
        for (int x = left; x <= right; ++x)
            other += At(window, x, y) != white;
    EXPECT_EQ(other, 0);
    EXPECT_EQ(At(window, right, first.y() + 1), white);  // beside the captions
    EXPECT_EQ(At(window, right, second.y() + 1), white);
}
