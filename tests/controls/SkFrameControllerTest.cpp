#include "ExtCtrls.h"
#include "SkFramedTestControl.h"

#include <QRegularExpression>
#include <gtest/gtest.h>
#include <memory>

namespace {
// A form with a controller and two framed controls that follow it.
struct FrameController : testing::Test {
    std::unique_ptr<TPanel> Form = std::make_unique<TPanel>(nullptr);
    TSkFrameController* Controller = new TSkFrameController(Form.get());
    TSkFramedTestControl* A = MakeControl("A");
    TSkFramedTestControl* B = MakeControl("B");

    void SetUp() override {
        RegisterFramedTestControls();
        RegisterClass<TPanel>();
        Form->SetName("Form");
        Controller->SetName("Controller");
        A->Writes.clear();
        B->Writes.clear();
    }
    TSkFramedTestControl* MakeControl(const QString& name) {
        auto* control = new TSkFramedTestControl(Form.get());
        control->SetName(name);
        control->SetParent(Form.get());
        control->SetFrameController(Controller);
        return control;
    }
};

// Every property of a full push, in its order, with the controller's defaults.
const QStringList DefaultPush = {
    "ParentColor=0",      QString("Color=%1").arg(clWindow),
    QString("DisabledColor=%1").arg(clBtnFace),    QString("ReadOnlyColor=%1").arg(clInfoBk),
    "ReadOnlyColorOnFocus=0",                      QString("FocusColor=%1").arg(clWindow),
    QString("FlatButtonColor=%1").arg(clBtnFace),  "FlatButtons=1",
    QString("FrameColor=%1").arg(clBtnShadow),     QString("FrameHotColor=%1").arg(clBtnShadow),
    "FrameHotTrack=0",    QString("FrameHotStyle=%1").arg(fsFlatBold),
    QString("FrameSides=%1").arg(AllSides),        QString("FrameStyle=%1").arg(fsFlat),
    "FrameVisible=0",     QString("FramingPreference=%1").arg(fpXPThemes)};
}  // namespace

TEST_F(FrameController, JoiningPushesEveryPropertyOnceAndEachChangeOnlyItself) {
    auto* c = new TSkFramedTestControl(Form.get());
    c->SetFrameController(Controller);
    EXPECT_EQ(c->Writes, DefaultPush);
    Controller->AddControl(c);  // already registered: nothing
    EXPECT_EQ(c->Writes.size(), DefaultPush.size());
    EXPECT_EQ(Controller->ControlCount(), 3);

    Controller->SetFrameColor(clRed);
    Controller->SetFrameColor(clRed);  // unchanged: nothing
    EXPECT_EQ(A->Writes, QStringList({QString("FrameColor=%1").arg(clRed)}));
    EXPECT_EQ(A->FrameColor(), clRed);
    EXPECT_EQ(B->FrameColor(), clRed);
    Controller->SetFrameSides(sdLeft | sdBottom);  // through the set's text form
    EXPECT_EQ(A->FrameSides(), TSides(sdLeft | sdBottom));
}

TEST_F(FrameController, AControlTakesOnlyWhatItsNotificationsLetThroughAndStoresTheRest) {
    A->SetFrameControllerNotifications(AllFrameControllerNotifications & ~FrameControllerBit(fcpFrameColor));
    A->SetFrameColor(clGreen);
    A->SetFrameStyle(fsRaised);  // supplied by the controller: not written
    Controller->SetFrameColor(clRed);
    EXPECT_EQ(A->FrameColor(), clGreen);
    EXPECT_EQ(B->FrameColor(), clRed);

    const QString text = ComponentToText(Form.get());
    const int a = text.indexOf("object A:"), b = text.indexOf("object B:");
    const QString aBlock = text.mid(a, b - a), bBlock = text.mid(b);
    EXPECT_TRUE(aBlock.contains("FrameColor = clGreen")) << qPrintable(text);
    EXPECT_TRUE(aBlock.contains("FrameControllerNotifications = [fcpColor, fcpFocusColor"));
    EXPECT_FALSE(aBlock.contains("FrameStyle =")) << qPrintable(text);
    EXPECT_FALSE(bBlock.contains("FrameColor =")) << qPrintable(text);
    EXPECT_TRUE(bBlock.contains("FrameController = Controller"));
    // Without a controller the whole block is stored again.
    A->SetFrameController(nullptr);
    EXPECT_TRUE(ComponentToText(A).contains("FrameStyle = fsRaised"));
}

TEST_F(FrameController, ColourCarriesAnEqualFocusColourAndParentColourKeepsColourBack) {
    Controller->SetColor(clYellow);  // FocusColor was clWindow, equal to Color
    for (auto* c : {A, B}) {
        EXPECT_EQ(c->Color(), clYellow);
        EXPECT_EQ(c->FocusColor(), clYellow);
    }
    Controller->SetFocusColor(clAqua);
    Controller->SetColor(clLime);  // now different: FocusColor stays
    EXPECT_EQ(A->FocusColor(), clAqua);
    EXPECT_EQ(A->Color(), clLime);

    Controller->SetParentColor(true);
    auto* c = new TSkFramedTestControl(Form.get());
    c->SetFrameController(Controller);
    EXPECT_TRUE(c->Writes.contains("ParentColor=1"));
    EXPECT_EQ(c->Writes.filter(QRegularExpression("^Color=")).size(), 0);
    A->Writes.clear();
    Controller->SetParentColor(false);  // ParentColor, then Color
    EXPECT_EQ(A->Writes, QStringList({"ParentColor=0", QString("Color=%1").arg(clLime)}));
    Controller->SetParentColor(true);
    Controller->SetColor(clWhite);  // clears ParentColor again
    EXPECT_FALSE(Controller->ParentColor());
}

TEST_F(FrameController, NestedUpdatesPushNothingUntilTheLastEndsAndThenEverythingOnce) {
    Controller->BeginUpdate();
    Controller->BeginUpdate();
    Controller->SetFrameColor(clRed);
    Controller->SetFrameStyle(fsRaised);
    Controller->EndUpdate();
    EXPECT_TRUE(A->Writes.isEmpty());
    Controller->EndUpdate();
    EXPECT_EQ(A->Writes.size(), DefaultPush.size());
    EXPECT_EQ(A->Writes.filter("FrameColor=").size(), 1);
    EXPECT_EQ(A->FrameStyle(), fsRaised);
    Controller->EndUpdate();  // one too many: the counter stays at 0 and pushes again
    Controller->SetFrameColor(clBlue);
    EXPECT_EQ(A->FrameColor(), clBlue);
}

TEST_F(FrameController, AControlThatFramesItselfIsToldButNeverWrittenTo) {
    auto* custom = new TSkCustomFramedTestControl(Form.get());
    custom->SetFrameController(Controller);
    Controller->SetFrameColor(clRed);
    Controller->SetParentColor(true);
    Controller->BeginUpdate();
    Controller->EndUpdate();
    EXPECT_EQ(custom->Told, 4);  // joining, two changes, the full push
    EXPECT_TRUE(custom->Writes.isEmpty());
    EXPECT_EQ(custom->FrameColor(), clBtnShadow);
}

TEST_F(FrameController, HotTrackingTurnedOnAtRunTimeShowsTheFrameOnAllSides) {
    Controller->SetFrameSides(sdTop);
    A->Writes.clear();
    Controller->SetFrameHotTrack(true);
    EXPECT_TRUE(Controller->FrameVisible());
    EXPECT_EQ(Controller->FrameSides(), AllSides);
    EXPECT_EQ(A->Writes, QStringList({"FrameVisible=1", "FrameHotTrack=1"}));
    EXPECT_TRUE(A->FrameVisible());
    EXPECT_EQ(A->FrameSides(), AllSides);

    // Read from a form it keeps the stored sides.
    TSkFrameController loaded(nullptr);
    TextToComponent("object C: TSkFrameController\n  FrameSides = [sdTop]\n  FrameHotTrack = True\nend", &loaded);
    EXPECT_EQ(loaded.FrameSides(), TSides(sdTop));
    EXPECT_TRUE(loaded.FrameVisible());
}

TEST_F(FrameController, PropertiesAControlDoesNotPublishAreSkippedAndOnlyControlsAreWritten) {
    auto* box = new TPaintBox(Form.get());
    box->SetColor(clRed);
    Controller->AddControl(box);
    Controller->SetColor(clBlue);  // a paint box publishes no Color
    EXPECT_EQ(box->Color(), clRed);
    TComponent plain;
    Controller->AddControl(&plain);
    Controller->SetFrameColor(clGreen);
    Controller->RemoveControl(&plain);
}

TEST_F(FrameController, AssignCopiesThePublishedValuesAndLeavesTheControlsWhereTheyAre) {
    auto* store = new TSkRegIniFile(Form.get());
    Controller->SetFrameColor(clRed);
    Controller->SetFrameHotTrack(true);
    Controller->SetRegIniFile(store);
    Controller->BeginUpdate();  // an open update of the source does not hold the copy back

    auto* other = new TSkFrameController(Form.get());
    auto* c = new TSkFramedTestControl(Form.get());
    c->SetFrameController(other);
    c->Writes.clear();
    other->Assign(Controller);
    EXPECT_EQ(other->FrameColor(), clRed);
    EXPECT_TRUE(other->FrameHotTrack());
    EXPECT_EQ(other->RegIniFile(), store);
    EXPECT_EQ(other->ControlCount(), 1);
    EXPECT_EQ(Controller->ControlCount(), 2);
    EXPECT_EQ(c->Writes.size(), DefaultPush.size());  // pushed once
    EXPECT_EQ(c->FrameColor(), clRed);

    delete Controller;  // the copy does not share anything with it
    Controller = nullptr;
    EXPECT_EQ(A->FrameController(), nullptr);
    other->SetFrameColor(clBlue);
    EXPECT_EQ(c->FrameColor(), clBlue);
    delete store;
    EXPECT_EQ(other->RegIniFile(), nullptr);
    EXPECT_THROW(other->Assign(store = new TSkRegIniFile(nullptr)), EConvertError);
    delete store;
}

TEST_F(FrameController, AControlThatGoesOrLeavesTheFormLeavesTheList) {
    // A control that does not leave the controller by itself is taken off all the same.
    auto* box = new TPaintBox(Form.get());
    Controller->AddControl(box);
    EXPECT_EQ(Controller->ControlCount(), 3);
    delete box;
    EXPECT_EQ(Controller->ControlCount(), 2);
    delete A;
    EXPECT_EQ(Controller->ControlCount(), 1);
    TPanel otherForm(nullptr);
    otherForm.InsertComponent(B);
    EXPECT_EQ(Controller->ControlCount(), 0);
    Controller->SetFrameColor(clRed);  // nobody left to write to
    EXPECT_NE(B->FrameColor(), clRed);
    otherForm.RemoveComponent(B);
    delete B;
}

TEST_F(FrameController, OldNamesAreReadIntoTheBlockAndNeverWritten) {
    TSkFramedTestControl c(nullptr);
    TextToComponent("object C: TSkFramedTestControl\n"
                    "  FrameSides = [sdLeft]\n"
                    "  FrameFlat = True\n"
                    "  FrameFlatStyle = fsBump\n"
                    "end",
                    &c);
    EXPECT_TRUE(c.FrameHotTrack());
    EXPECT_EQ(c.FrameStyle(), fsStatus);
    EXPECT_EQ(c.FrameHotStyle(), fsLowered);
    EXPECT_EQ(c.FrameSides(), TSides(sdLeft));  // loading: the sides stay
    TextToComponent("object C: TSkFramedTestControl\n  FrameFlat = False\n  FrameFocusStyle = fsRaised\nend", &c);
    EXPECT_FALSE(c.FrameHotTrack());
    EXPECT_EQ(c.FrameHotStyle(), fsRaised);
    const QString text = ComponentToText(&c);
    EXPECT_FALSE(text.contains("FrameFlat"));
    EXPECT_FALSE(text.contains("FrameFocusStyle"));

    TSkFrameController controller(nullptr);
    TextToComponent("object C: TSkFrameController\n  FrameFlat = True\nend", &controller);
    EXPECT_EQ(controller.FrameHotStyle(), fsLowered);
    EXPECT_FALSE(ComponentToText(&controller).contains("FrameFlat"));
}

TEST_F(FrameController, AFormReadFromItsTextPushesTheControllersValuesOnceLoaded) {
    Controller->SetFrameColor(clRed);
    Controller->SetParentColor(true);
    A->SetFrameControllerNotifications(FrameControllerBit(fcpFrameColor));
    A->SetFrameStyle(fsRaised);
    const QString text = ComponentToText(Form.get());
    EXPECT_TRUE(text.contains("  object Controller: TSkFrameController\n"
                              "    FrameColor = clRed\n"
                              "    ParentColor = True\n"
                              "  end\n"))
        << qPrintable(text);
    EXPECT_FALSE(text.contains("Color = clWindow")) << qPrintable(text);  // ParentColor: Color is not stored

    std::unique_ptr<TComponent> form(TextToComponent(text));
    auto* controller = qobject_cast<TSkFrameController*>(form->FindComponent("Controller"));
    auto* a = qobject_cast<TSkFramedTestControl*>(form->FindComponent("A"));
    auto* b = qobject_cast<TSkFramedTestControl*>(form->FindComponent("B"));
    ASSERT_TRUE(controller && a && b);
    EXPECT_EQ(a->FrameController(), controller);
    EXPECT_EQ(controller->ControlCount(), 2);
    EXPECT_EQ(a->FrameColor(), clRed);
    EXPECT_EQ(a->FrameStyle(), fsRaised);
    EXPECT_EQ(b->FrameColor(), clRed);
    EXPECT_TRUE(b->ParentColor());
    EXPECT_EQ(ComponentToText(form.get()), text);
}
