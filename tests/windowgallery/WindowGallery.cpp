// The window gallery: opens every window of the program as a user reaches it, on a private database
// with a profile and a few days of records, and writes one PNG per window (and per page or step) into
// the build folder's "windowgallery" folder, for a person to look at. Run by the tests, so the pictures
// are always fresh.
#include "MealEditing.h"
#include "PersonalCentreFixture.h"
#include "UnitFoodList.h"
#include "UnitHDMX.h"
#include "UnitHelath.h"
#include "UnitOftenFood.h"
#include "UnitSetHT.h"
#include "UnitShiPu.h"
#include "UnitTCFoodSrc.h"
#include "UnitTaoCan.h"
#include "UnitYSMX.h"
#include "UnitYYSHJ.h"
#include "UnitYYSTop.h"

#include <QDir>
#include <QDirIterator>
#include <QPixmap>

namespace {

QString GalleryFolder() {
    const QString folder = QStringLiteral(VELORIA_BUILD_DIR "/windowgallery");
    QDir().mkpath(folder);
    return folder;
}

// The health pages live in a site folder beside the program: the gallery's program folder gets a copy.
void CopySiteInto(const QString& programFolder) {
    const QDir site(QStringLiteral(VELORIA_BUILD_DIR "/site"));
    for (QDirIterator it(site.path(), QDir::Files, QDirIterator::Subdirectories); it.hasNext();) {
        const QString file = it.next();
        const QString copy = programFolder + "/site/" + site.relativeFilePath(file);
        QDir().mkpath(QFileInfo(copy).path());
        QFile::copy(file, copy);
    }
}

// Lets the window system lay out and paint, then saves the window as the user sees it.
void Snap(TForm* form, const QString& name) {
    ASSERT_NE(form, nullptr) << name.toStdString();
    QCoreApplication::processEvents();
    const QPixmap picture = form->Widget()->grab();
    EXPECT_FALSE(picture.isNull()) << name.toStdString();
    EXPECT_TRUE(picture.save(GalleryFolder() + "/" + name + ".png")) << name.toStdString();
}

// Before login: the tip of the first start, the login panel, then the guide panel.
class GalleryStart : public MainWindowSession {};

// After login, with a profile and a few days of records.
class Gallery : public PersonalCentre {
protected:
    void SetUp() override {
        PersonalCentre::SetUp();
        const QString today = TodayISO();
        Db.Exec("delete from BDKcal where UID = :U and WRDate = :D", {{"U", Uid}, {"D", today}});
        RecordDay(today, 1800, 650, 240);
        RecordDay(DateToISO(Date() - 1), 1800, 1900, 120);
        RecordDay(DateToISO(Date() - 3), 1800, 1500, 0);
        Db.Exec("insert into TZ (CDT, TZ1, UID) values (:D, 69.5, :U)", {{"U", Uid}, {"D", today}});
    }

    // Opens a window that may be modal: a modal one is pictured while it shows.
    void SnapOpened(const QString& name, const std::function<TForm*()>& open) {
        OnModal = [&](TForm* form) { Snap(form, name); };
        TForm* form = open();
        OnModal = nullptr;
        if (form) Snap(form, name);
    }
};

}  // namespace

TEST_F(GalleryStart, TipLoginAndGuide) {
    OnModal = [](TForm* form) { Snap(form, "tip-first-start"); };
    Start();
    OnModal = nullptr;
    Snap(MainFrm, "main-login");
    Login();
    Snap(MainFrm, "main-guide");
}

TEST_F(Gallery, MainWindowInBothSkins) {
    Snap(MainFrm, "main-blue");
    MainFrm->N6->Click();
    Snap(MainFrm, "main-pink");
    MainFrm->ss1->Click();  // the guide, as its menu item shows it
    Snap(MainFrm, "main-pink-guide");
    MainFrm->PanelHelp->Hide();
    MainFrm->Btn_PerInfo->Click();
    Snap(MainFrm, "main-pink-personal-centre");
    MainFrm->N5->Click();
}

TEST_F(Gallery, PersonalCentrePages) {
    MainFrm->Btn_PerInfo->Click();
    // Each page as its navigation button shows it, with its own title and date bar.
    int page = 0;
    for (TSpeedButton* button :
         {Centre->btnBase, Centre->btnNet, Centre->btnSPLst, Centre->btnFdLst, Centre->btnAna}) {
        button->Click();
        Snap(MainFrm, QStringLiteral("personal-centre-%1").arg(++page));
    }
}

// The pages behind the calendars: a day's meals and foods, a day's activities and the history lists.
TEST_F(Gallery, PersonalCentreDayPagesAndHistories) {
    Db.Exec("update UInfo set SPID = '1,3' where UID = :U", {{"U", Uid}});
    MainFrm->Btn_PerInfo->Click();
    Centre->btnFdLst->Click();
    OpenDay(Centre->SGYS, Today());
    Snap(MainFrm, "personal-centre-food-meals");
    Centre->btnLunch->Click();
    Snap(MainFrm, "personal-centre-food-grid");
    Centre->btn1->Click();
    Centre->btn1->Click();
    Centre->lblLSJL->Click();
    Centre->btn_SearchSW->Click();
    Snap(MainFrm, "personal-centre-food-history");

    Centre->btnSPLst->Click();
    OpenDay(Centre->SGHD, Today());
    Snap(MainFrm, "personal-centre-activity-day");
    Centre->btn1->Click();
    Centre->lblLSJL->Click();
    Centre->btn_HTSearch->Click();
    Snap(MainFrm, "personal-centre-activity-history");

    Centre->btnNet->Click();
    OpenDay(Centre->SGTZ, Today());
    Snap(MainFrm, "personal-centre-weight-entry");
    Centre->btnCTZLR->Click();
    Centre->lblLSJL->Click();
    Centre->Btn_SearchTZ->Click();
    Snap(MainFrm, "personal-centre-weight-history");
}

TEST_F(Gallery, RecipeBookAndEditorSteps) {
    MainFrm->Btn_SP->Click();
    TFrm_ShiPu* book = Frm_ShiPu;
    ASSERT_NE(book, nullptr);
    book->Timer1Timer(book->Timer1);  // the recipes load once the window shows
    if (TTreeNode* first = book->TV_FD1->Items()->GetFirstNode(); first && first->getFirstChild())
        book->TV_FD1->SetSelected(first->getFirstChild());
    Snap(MainFrm, "recipe-book");
    book->Btn_SaveSW->Click();
    if (SelectNodeByText(book->TV_FD, QStringLiteral("苹果（代表值）"), 2)) book->Btn_Add->Click();
    Snap(MainFrm, "recipe-editor-step1");
    book->btnDown->Click();
    Snap(MainFrm, "recipe-editor-step2");
    SnapOpened("nutrient-totals", [&] { return new TYYSHJFrm(Centre); });
}

TEST_F(Gallery, SetMealsAndMakerSteps) {
    MainFrm->btnTaoCan->Click();
    TFrm_TaoCan* meals = Frm_TaoCan;
    ASSERT_NE(meals, nullptr);
    meals->Timer1Timer(meals->Timer1);
    Snap(MainFrm, "set-meals");
    meals->btnMakeTC->Click();
    Snap(MainFrm, "set-meal-maker-step1-foods");
    meals->PCSS->SetActivePage(meals->TabSheet2);
    Snap(MainFrm, "set-meal-maker-step1-recipes");
    meals->PCSS->SetActivePage(meals->TabSheet1);
    if (SelectNodeByText(meals->TV_FD, QStringLiteral("苹果（代表值）"), 2)) meals->Btn_Add->Click();
    meals->btnStep1->Click();
    Snap(MainFrm, "set-meal-maker-step2");
}

TEST_F(Gallery, FoodWindows) {
    MainFrm->Btn_CF->Click();
    Frm_FD->Timer1Timer(Frm_FD->Timer1);
    Snap(MainFrm, "food-browser");
    MainFrm->SpeedButton5->Click();
    Snap(MainFrm, "nutrient-rankings");
    CopySiteInto(Db.Folder());
    MainFrm->Label12->Click();
    Snap(MainFrm, "health-information");
}

TEST_F(Gallery, SmallWindows) {
    MainFrm->Btn_PerInfo->Click();
    SnapOpened("tip", [] { return MainFrm->Label9->Click(), nullptr; });
    SnapOpened("daily-needs", [] { return MainFrm->Label65->Click(), nullptr; });
    SnapOpened("energy-method", [] { return MainFrm->N3->Click(), nullptr; });
    SnapOpened("activity-catalogue", [this] { return Centre->lblSetHD->Click(), nullptr; });
    SnapOpened("food-search", [this] { return Centre->lbl13->Click(), TCFoodSrcFrm; });
    SnapOpened("frequently-used-foods", [this] {
        Centre->lbl11->Click();
        OftenFoodFrm->Timer1Timer(OftenFoodFrm->Timer1);
        return OftenFoodFrm;
    });
    SnapOpened("day-details-food", [this] {
        YSMXFrm = new TYSMXFrm(Centre);
        YSMXFrm->ShowForm();
        YSMXFrm->LoadDay(TodayISO());
        return YSMXFrm;
    });
    SnapOpened("day-details-activity", [this] {
        HDMXFrm = new THDMXFrm(Centre);
        HDMXFrm->ShowForm();
        HDMXFrm->LoadDay(TodayISO());
        return HDMXFrm;
    });
    for (TForm* form : std::initializer_list<TForm*>{TCFoodSrcFrm, OftenFoodFrm, YSMXFrm, HDMXFrm})
        if (form) form->Close();
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
}

TEST_F(Gallery, PersonalCentreEditors) {
    MainFrm->Btn_PerInfo->Click();
    Centre->btnModifyInfo->Click();
    Snap(MainFrm, "personal-centre-profile-editor");
    Centre->SkButton2->Click();
    OnModal = [](TForm* form) {
        if (auto* catalogue = dynamic_cast<TSetHTFrm*>(form)) catalogue->SkButton3->Click();
        Snap(form, "activity-catalogue-editor");
    };
    Centre->btnSPLst->Click();
    Centre->lblSetHD->Click();
    OnModal = nullptr;
}
