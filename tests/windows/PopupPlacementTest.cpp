// Where the program's pop-up windows open: at the main window's left edge below its title panel, and
// wholly on the screen when the main window stands near its edge.
#include "PersonalCentreFixture.h"
#include "UnitHDMX.h"
#include "UnitOftenFood.h"
#include "UnitTCFoodSrc.h"
#include "UnitYSMX.h"
#include "UnitYYSHJ.h"

#include <QScreen>

namespace {

class PopupPlacement : public PersonalCentre {
protected:
    struct TOpened {
        QString Name;
        TRect Bounds;
    };

    // Opens every pop-up window as the user does; modal ones are seen while they show.
    std::vector<TOpened> OpenEach() {
        const std::vector<std::pair<QString, std::function<TForm*()>>> openers = {
            {"tip", [] { return MainFrm->Label9->Click(), nullptr; }},
            {"daily needs", [] { return MainFrm->Label65->Click(), nullptr; }},
            {"energy method", [] { return MainFrm->N3->Click(), nullptr; }},
            {"catalogue", [this] { return Centre->lblSetHD->Click(), nullptr; }},
            {"totals", [this] { return new TYYSHJFrm(Centre); }},
            {"food search", [this] { return Centre->lbl13->Click(), TCFoodSrcFrm; }},
            {"often used", [this] { return Centre->lbl11->Click(), OftenFoodFrm; }},
            {"food day", [this] { return YSMXFrm = new TYSMXFrm(Centre), YSMXFrm->ShowForm(), YSMXFrm; }},
            {"activity day", [this] { return HDMXFrm = new THDMXFrm(Centre), HDMXFrm->ShowForm(), HDMXFrm; }},
        };
        std::vector<TOpened> opened;
        for (const auto& [name, open] : openers) {
            TRect bounds;
            OnModal = [&](TForm* form) { bounds = BoundsOf(form); };
            if (TForm* form = open()) bounds = BoundsOf(form);
            OnModal = nullptr;
            opened.push_back({name, bounds});
        }
        // The windows that stay open go, as their close buttons close them.
        for (TForm* form : std::initializer_list<TForm*>{TCFoodSrcFrm, OftenFoodFrm, YSMXFrm, HDMXFrm})
            if (form) form->Close();
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        return opened;
    }
    static TRect BoundsOf(TForm* form) {
        return {form->Left(), form->Top(), form->Left() + form->Width(), form->Top() + form->Height()};
    }
    static TRect WorkArea() {
        const QRect a = QGuiApplication::primaryScreen()->availableGeometry();
        return {a.left(), a.top(), a.left() + a.width(), a.top() + a.height()};
    }
};

}  // namespace

TEST_F(PopupPlacement, PopupsOpenAtTheMainWindowsLeftEdgeBelowItsTitleAndStayOnTheScreen) {
    MainFrm->SetBounds(10, 0, MainFrm->Width(), MainFrm->Height());
    const int below = MainFrm->Panel_Top->Height();
    for (const TOpened& w : OpenEach()) {
        EXPECT_EQ(w.Bounds.Left, 10) << w.Name.toStdString();
        EXPECT_EQ(w.Bounds.Top, below) << w.Name.toStdString();
    }

    // Near the screen's lower right corner they move in just far enough.
    const TRect area = WorkArea();
    MainFrm->SetBounds(area.Right - 50, area.Bottom - 50, MainFrm->Width(), MainFrm->Height());
    for (const TOpened& w : OpenEach()) {
        EXPECT_EQ(w.Bounds.Right, area.Right) << w.Name.toStdString();
        EXPECT_EQ(w.Bounds.Bottom, area.Bottom) << w.Name.toStdString();
    }
}
