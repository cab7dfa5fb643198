#include "ExtCtrls.h"
#include "StreamProbes.h"

#include <gtest/gtest.h>
#include <memory>

namespace {
struct Streaming : testing::Test {
    void SetUp() override {
        RegisterProbeTypes();
        RegisterClass<TPanel>();
        RegisterClass<TPaintBox>();
        TProbe::Log.clear();
    }
};

// What a probe stream holds: values of every kind, a child and a reference to it.
const char* const ProbeText = "object Probe1: TProbe\n"
                              "  Count = 5\n"
                              "  Shape = shStar\n"
                              "  Styles = [fsBold, fsUnderline]\n"
                              "  Tint = clBlue\n"
                              "  Text = 'it''s'#13#10'ok'\n"
                              "  Active = True\n"
                              "  Ratio = 2.25\n"
                              "  Buddy = Child1\n"
                              "  object Child1: TProbeChild\n"
                              "    Count = 3\n"
                              "  end\n"
                              "end\n";
}  // namespace

TEST_F(Streaming, AComponentIsWrittenWithWhatItStoresAndItsChildren) {
    TProbe root;
    root.SetName("Probe1");
    root.SetCount(5);
    root.SetShape(shStar);
    root.SetStyles(FontStyle(fsBold) | FontStyle(fsUnderline));
    root.SetTint(clBlue);
    root.SetText("it's\r\nok");
    root.SetActive(true);
    root.SetRatio(2.25);
    root.SetHidden(9);
    auto* child = new TProbeChild(&root);
    child->SetName("Child1");
    child->SetCount(3);
    root.SetBuddy(child);
    EXPECT_EQ(ComponentToText(&root), ProbeText);
    EXPECT_EQ(root.ComponentState() & csWriting, 0u);
}

TEST_F(Streaming, ReadingMakesTheClassesSetsEveryValueAndResolvesReferencesBeforeLoaded) {
    std::unique_ptr<TComponent> made(TextToComponent(ProbeText));
    auto* root = qobject_cast<TProbe*>(made.get());
    ASSERT_NE(root, nullptr);
    EXPECT_EQ(root->Name(), "Probe1");
    EXPECT_EQ(root->Count(), 5);
    EXPECT_EQ(root->Shape(), shStar);
    EXPECT_EQ(root->Styles(), FontStyle(fsBold) | FontStyle(fsUnderline));
    EXPECT_EQ(root->Tint(), clBlue);
    EXPECT_EQ(root->Text(), "it's\r\nok");
    EXPECT_TRUE(root->Active());
    EXPECT_DOUBLE_EQ(root->Ratio(), 2.25);
    ASSERT_EQ(root->ComponentCount(), 1);
    auto* child = qobject_cast<TProbeChild*>(root->Components(0));
    ASSERT_NE(child, nullptr);
    EXPECT_EQ(root->Buddy(), child);
    EXPECT_EQ(child->Count(), 3);

    // While read each component is loading and reading; Loaded comes once all is read and the
    // references are resolved, root first, and ends the loading.
    const QString readingState = QString::number(csLoading | csReading | csUpdating);
    EXPECT_EQ(TProbe::Log, QStringList({"Probe1.Count:" + readingState, ".Count:0",
                                        "Child1.Count:" + readingState, "Probe1.Loaded:0:Child1",
                                        "Child1.Loaded:0:-"}));
    EXPECT_EQ(root->ComponentState(), 0u);
    // Written again it is the same text.
    EXPECT_EQ(ComponentToText(root), ProbeText);
}

TEST_F(Streaming, TheTextFormTakesQuotesCharacterCodesJoinedStringsAndNumbersInEveryNotation) {
    TProbe probe;
    TextToComponent("object P: TProbe\n"
                    "  Text = 'a' +\n"
                    "    'b'#9'c'#$263A''\n"
                    "  Count = $1F\n"
                    "  Tint = 16711680\n"
                    "  Styles = []\n"
                    "  Ratio = -1.5e1\n"
                    "end",
                    &probe);
    EXPECT_EQ(probe.Text(), QStringLiteral("ab\tc☺"));
    EXPECT_EQ(probe.Count(), 31);
    EXPECT_EQ(probe.Tint(), clBlue);
    EXPECT_EQ(probe.Styles(), 0u);
    EXPECT_DOUBLE_EQ(probe.Ratio(), -15);
    TextToComponent("object P: TProbe Count = -4 end", &probe);
    EXPECT_EQ(probe.Count(), -4);
}

TEST_F(Streaming, NamesOfEarlierVersionsAreReadThroughDefinePropertiesAndNeverWritten) {
    TProbe probe;
    TextToComponent("object P: TProbe\n"
                    "  Count = 4\n"
                    "  OldCount = 2\n"
                    "  Legacy = ('x' 'y' [a, b] 3)\n"
                    "  Extra = 'kept'\n"
                    "end\n",
                    &probe);
    EXPECT_EQ(probe.Count(), 6);
    EXPECT_EQ(probe.FExtra, "kept");
    const QString text = ComponentToText(&probe);
    EXPECT_FALSE(text.contains("OldCount"));
    EXPECT_FALSE(text.contains("Legacy"));
    // A defined property with data is written after the published ones.
    EXPECT_TRUE(text.endsWith("  Count = 6\n  Extra = 'kept'\nend\n")) << qPrintable(text);
}

TEST_F(Streaming, AFaultyTextRaisesWithItsLineAndLeavesNothingBehind) {
    TProbe probe;
    try {
        TextToComponent("object P: TProbe\n  Count = 1\n  Nothing = 2\nend", &probe);
        FAIL();
    } catch (const EReadError& e) {
        EXPECT_TRUE(e.Message().contains("Nothing")) << qPrintable(e.Message());
        EXPECT_TRUE(e.Message().contains("line 3")) << qPrintable(e.Message());
    }
    EXPECT_EQ(probe.ComponentState(), 0u);
    EXPECT_THROW(TextToComponent("object P: TProbe\n  Count = 'x'\nend", &probe), EReadError);
    EXPECT_THROW(TextToComponent("object P: TProbe\n  Shape = shCircle\nend", &probe), EReadError);
    EXPECT_THROW(TextToComponent("object P: TProbe\n  Text = 'open\nend", &probe), EReadError);
    EXPECT_THROW(TextToComponent("object P: TPanel\nend", &probe), EReadError);  // another class

    // Components made before the fault are freed again.
    const int alive = TProbe::Alive;
    EXPECT_THROW(TextToComponent("object P: TProbe\n  object C: TProbe\n  end\n  object D: TNoSuchClass\n"
                                 "  end\nend"),
                 EClassNotFound);
    EXPECT_EQ(TProbe::Alive, alive);
    EXPECT_THROW(TextToComponent("object P: TProbe\n  Buddy = Missing\nend"), EReadError);
    EXPECT_EQ(TProbe::Alive, alive);
}

TEST_F(Streaming, ControlsAreWrittenUnderTheirParentsAndReadBackIntoThem) {
    auto panel = std::make_unique<TPanel>(nullptr);
    panel->SetName("Panel1");
    panel->SetBounds(0, 0, 120, 80);
    auto* box = new TPaintBox(panel.get());
    box->SetName("Box");
    box->SetParent(panel.get());
    box->SetBounds(5, 6, 30, 40);
    box->SetAlign(alBottom);
    box->Font()->SetColor(clRed);
    box->Font()->SetStyle(FontStyle(fsBold));
    box->Font()->SetHeight(-16);
    const QString text = ComponentToText(panel.get());
    // Placed inside the panel's raised bevel.
    EXPECT_TRUE(text.contains("  object Box: TPaintBox\n"
                              "    Left = 1\n"
                              "    Top = 39\n"
                              "    Width = 118\n"
                              "    Height = 40\n"
                              "    Align = alBottom\n"
                              "    Font.Color = clRed\n"
                              "    Font.Height = -16\n"
                              "    Font.Style = [fsBold]\n"
                              "  end\n"))
        << qPrintable(text);

    std::unique_ptr<TComponent> made(TextToComponent(text));
    auto* back = qobject_cast<TPanel*>(made.get());
    ASSERT_NE(back, nullptr);
    ASSERT_EQ(back->ControlCount(), 1);
    auto* backBox = qobject_cast<TPaintBox*>(back->Controls(0));
    ASSERT_NE(backBox, nullptr);
    EXPECT_EQ(backBox->Owner(), back);
    EXPECT_EQ(backBox->Align(), alBottom);
    EXPECT_EQ(backBox->Font()->Color(), clRed);
    EXPECT_EQ(backBox->Font()->Height(), -16);
    EXPECT_EQ(ComponentToText(back), text);
}
