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

// The message of the EReadError a text raises, or "" when it reads.
QString ReadFailure(const QString& text, TComponent* root = nullptr) {
    try {
        std::unique_ptr<TComponent> made(TextToComponent(text, root));
        if (root) made.release();
        return QString();
    } catch (const EReadError& e) {
        return e.Message();
    }
}

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
    root.SetTint(RGB(1, 2, 3));  // a colour without a name is written as its number
    EXPECT_TRUE(ComponentToText(&root).contains("\n  Tint = 197121\n"));
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
                    "    'b'#9'c'#$263A''#128512\n"
                    "  Count = $1F\n"
                    "  Tint = 16711680\n"
                    "  Styles = []\n"
                    "  Ratio = -1.5E+1\n"
                    "end",
                    &probe);
    EXPECT_EQ(probe.Text(), QStringLiteral("ab\tc☺😀"));  // the last one code point in two units
    EXPECT_EQ(probe.Text().size(), 7);
    EXPECT_EQ(probe.Count(), 31);
    EXPECT_EQ(probe.Tint(), clBlue);
    EXPECT_EQ(probe.Styles(), 0u);
    EXPECT_DOUBLE_EQ(probe.Ratio(), -15);
    EXPECT_EQ(probe.Name(), "P");
    probe.SetBuddy(&probe);
    TextToComponent("object P: TProbe Count = -$1F Buddy = nil end", &probe);
    EXPECT_EQ(probe.Count(), -31);
    EXPECT_EQ(probe.Buddy(), nullptr);
    // The last code point there is, and a reference through the root's name.
    TextToComponent("object P: TProbe\n  Text = #$10FFFF\n  Buddy = P.C\n  object C: TProbe\n  end\nend",
                    &probe);
    EXPECT_EQ(probe.Text(), QString::fromUcs4(U"\U0010FFFF"));
    EXPECT_EQ(probe.Buddy(), probe.FindComponent("C"));
    EXPECT_NE(probe.Buddy(), nullptr);
    // An object without a name has none.
    std::unique_ptr<TComponent> unnamed(TextToComponent("object TProbe\nend"));
    EXPECT_EQ(unnamed->Name(), "");
}

TEST_F(Streaming, NamesOfEarlierVersionsAreReadThroughDefinePropertiesAndNeverWritten) {
    TProbe probe;
    TextToComponent("object P: TProbe\n"
                    "  Count = 4\n"
                    "  OldCount = 2\n"
                    "  Legacy = ('x' 'y' [a, b] 3 -1.5e-3+4)\n"
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

// What a component's own writer writes comes out in the text form, which the reader takes back.
TEST_F(Streaming, ADefinedPropertyWritesValuesOfEveryKind) {
    TWriter writer;
    writer.DefineProperty(
        "Data", nullptr,
        [](TWriter& w) {
            w.WriteListBegin();
            w.WriteBoolean(true);
            w.WriteInteger(-12);
            w.WriteFloat(2);
            w.WriteFloat(0.5);
            w.WriteString("it's a\tb");
            w.WriteString("");
            w.WriteFloat(1e22);
            w.WriteIdent("clRed");
            w.WriteSet({"a", "b"});
            w.WriteListBegin();
            w.WriteListEnd();
            w.WriteListEnd();
        },
        true);
    writer.DefineProperty(
        "None", nullptr, [](TWriter& w) { w.WriteInteger(1); }, false);
    writer.DefineProperty(
        "Next", nullptr, [](TWriter& w) { w.WriteIdent("shStar"); }, true);
    const QString data = "(True -12 2.0 0.5 'it''s a'#9'b' '' 1e+22 clRed [a, b] ())";
    EXPECT_EQ(writer.Text(), "Data = " + data + "\nNext = shStar\n");
    TProbe probe;
    EXPECT_EQ(ReadFailure("object P: TProbe\n  Legacy = " + data + "\nend", &probe), "");
}

TEST_F(Streaming, AFaultyTextRaisesWithItsLineAndLeavesNothingBehind) {
    TProbe probe;
    try {
        TextToComponent("object P: TProbe\n  Text = 'a' +\n 'b'\n  Nothing = 2\nend", &probe);
        FAIL();
    } catch (const EReadError& e) {
        EXPECT_TRUE(e.Message().contains("Nothing")) << qPrintable(e.Message());
        EXPECT_TRUE(e.Message().contains("line 4")) << qPrintable(e.Message());
    }
    EXPECT_EQ(probe.ComponentState(), 0u);
    for (const char* text : {"Text = #$110000", "Styles = [fsBold fsItalic]", "Count = 1.2.3", "Summary = 1"})
        EXPECT_NE(ReadFailure(QStringLiteral("object P: TProbe\n  %1\nend").arg(text), &probe), "") << text;
    EXPECT_NE(ReadFailure("object P: TProbe\nend\nend", &probe), "");  // text after the end
    EXPECT_THROW(TextToComponent("object P: TProbe\n  Count = 'x'\nend", &probe), EReadError);
    EXPECT_THROW(TextToComponent("object P: TProbe\n  Shape = shCircle\nend", &probe), EReadError);
    // A string ends on its own line: a quote on a later one does not close it.
    const QString open = ReadFailure("object P: TProbe\n  Text = 'open\n  Count = 1'\nend", &probe);
    EXPECT_TRUE(open.contains("line 2")) << qPrintable(open);
    EXPECT_THROW(TextToComponent("object P: TPanel\nend", &probe), EReadError);  // another class

    // Components made before the fault are freed again.
    const int alive = TProbe::Alive;
    EXPECT_THROW(TextToComponent("object P: TProbe\n  object C: TProbe\n  end\n  object D: TNoSuchClass\n"
                                 "  end\nend"),
                 EClassNotFound);
    EXPECT_EQ(TProbe::Alive, alive);
    // A reference is resolved at the end; its fault names the line it stands on.
    const QString missing = ReadFailure("object P: TProbe Buddy = Missing\nend");
    EXPECT_TRUE(missing.contains("Missing") && missing.contains("line 1")) << qPrintable(missing);
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

namespace {
QString NestedObjects(int levels) {
    QString text;
    for (int i = 0; i < levels; ++i)
        text += QStringLiteral("object C%1: TProbe\n").arg(i);
    for (int i = 0; i < levels; ++i)
        text += QStringLiteral("end\n");
    return text;
}

QString NestedLists(int levels) {
    return "object P: TProbe\n  Legacy = " + QString(levels, '(') + "1" + QString(levels, ')') + "\nend\n";
}
}  // namespace

TEST_F(Streaming, AComponentNamedAgainInsideItselfOrBesideItselfIsRefused) {
    // A nested object that repeats an enclosing one's name would become its own parent.
    const QString inside = ReadFailure("object Form1: TPanel\n"
                                       "  object A: TPanel\n"
                                       "    object A: TPanel\n"
                                       "    end\n"
                                       "  end\n"
                                       "end\n");
    EXPECT_TRUE(inside.contains("inside itself")) << qPrintable(inside);
    EXPECT_TRUE(inside.contains("line 3")) << qPrintable(inside);
    const int alive = TProbe::Alive;
    const QString twice =
        ReadFailure("object R: TProbe\n  object A: TProbe\n  end\n  object A: TProbe\n  end\nend");
    EXPECT_TRUE(twice.contains("already exists")) << qPrintable(twice);
    EXPECT_TRUE(twice.contains("line 4")) << qPrintable(twice);
    EXPECT_EQ(TProbe::Alive, alive);
}

TEST_F(Streaming, NestingBeyondItsBoundIsRefusedWithTheLineInsteadOfExhaustingTheStack) {
    TProbe probe;
    EXPECT_EQ(ReadFailure(NestedLists(TReader::MaxNesting), &probe), "");
    for (const int levels : {TReader::MaxNesting + 1, 100000}) {
        const QString message = ReadFailure(NestedLists(levels), &probe);
        EXPECT_TRUE(message.contains("nested") && message.contains("line 2")) << qPrintable(message);
    }
    EXPECT_EQ(probe.ComponentState(), 0u);

    const int alive = TProbe::Alive;
    EXPECT_EQ(ReadFailure(NestedObjects(TReader::MaxNesting)), "");
    for (const int levels : {TReader::MaxNesting + 1, 100000}) {
        const QString message = ReadFailure(NestedObjects(levels));
        EXPECT_TRUE(message.contains("nested") && message.contains("line 257")) << qPrintable(message);
    }
    EXPECT_EQ(TProbe::Alive, alive);  // what was made before is freed again
}

TEST_F(Streaming, AnIntegerThatDoesNotFitItsPropertyIsRefusedInsteadOfCut) {
    RegisterStrictProbe();
    TProbe probe;
    const QString message = ReadFailure("object P: TProbe\n  Count = 4294967396\nend", &probe);
    EXPECT_TRUE(message.contains("out of range") && message.contains("line 2")) << qPrintable(message);
    EXPECT_EQ(probe.Count(), 3);
    for (const char* value : {"2147483648", "-2147483649", "$100000000"})
        EXPECT_NE(ReadFailure(QStringLiteral("object P: TProbe\n  Count = %1\nend").arg(value), &probe), "")
            << value;
    // Defined properties read 32 bits as well; 2^32 is one more than 32 bits hold, with a sign or without.
    for (const char* value : {"OldCount = 4294967296", "Tint = 4294967296", "Tint = $100000000"}) {
        const QString refused = ReadFailure(QStringLiteral("object P: TProbe\n  %1\nend").arg(value), &probe);
        EXPECT_TRUE(refused.contains("line 2")) << value << qPrintable(refused);
    }
    TStrictProbe strict;
    EXPECT_NE(ReadFailure("object P: TStrictProbe\n  Small = 32768\nend", &strict), "");
    EXPECT_EQ(strict.Small(), 0);
    EXPECT_NE(ReadFailure("object P: TStrictProbe\n  Port = 65536\nend", &strict), "");
    EXPECT_NE(ReadFailure("object P: TStrictProbe\n  Port = -1\nend", &strict), "");
    EXPECT_EQ(strict.Port(), 0);
    for (const char* value : {"4294967296", "-1"})
        EXPECT_NE(ReadFailure(QStringLiteral("object P: TStrictProbe\n  Big = %1\nend").arg(value), &strict),
                  "");
    EXPECT_EQ(strict.Big(), 0u);

    // The ends of each range still stand.
    TextToComponent("object P: TProbe\n  Count = -2147483648\n  Tint = $FFFFFFFF\nend", &probe);
    EXPECT_EQ(probe.Count(), INT32_MIN);
    EXPECT_EQ(probe.Tint(), 0xFFFFFFFFu);
    TextToComponent("object P: TProbe\n  Count = 2147483647\nend", &probe);
    EXPECT_EQ(probe.Count(), INT32_MAX);
    TextToComponent("object P: TStrictProbe\n  Small = -32768\n  Port = 65535\n  Big = 4294967295\nend",
                    &strict);
    EXPECT_EQ(strict.Small(), -32768);
    EXPECT_EQ(strict.Port(), 65535);
    EXPECT_EQ(strict.Big(), 4294967295u);
}

TEST_F(Streaming, APropertysOwnRefusalComesBackAsAReadErrorWithItsLine) {
    RegisterStrictProbe();
    TStrictProbe probe;
    const QString message =
        ReadFailure("object P: TStrictProbe\n  Percent = 50\n  Percent = 150\nend", &probe);
    EXPECT_TRUE(message.contains("150 is no percentage")) << qPrintable(message);
    EXPECT_TRUE(message.contains("line 3")) << qPrintable(message);
    EXPECT_EQ(probe.Percent(), 50);
    EXPECT_EQ(probe.ComponentState(), 0u);
    // A reference is set once everything is read; its refusal names the reference's own line.
    const QString partner = ReadFailure("object P: TStrictProbe\n  Partner = P\n  Percent = 1\nend", &probe);
    EXPECT_TRUE(partner.contains("own partner") && partner.contains("line 2")) << qPrintable(partner);
}

TEST_F(Streaming, ADateOutsideTheCalendarIsRefused) {
    RegisterStrictProbe();
    TStrictProbe probe;
    for (const char* day : {"1e300", "-1e300", "-693594", "2958466"}) {
        const QString message =
            ReadFailure(QStringLiteral("object P: TStrictProbe\n  Day = %1\nend").arg(day), &probe);
        EXPECT_TRUE(message.contains("line 2")) << day << qPrintable(message);
        EXPECT_EQ(probe.Day(), 0) << day;
    }
    // 0001-01-01 12:00 and 9999-12-31 23:45 are the calendar's first and last days.
    for (const double day : {-693593.5, 2958465.99, 0.0, 45000.25}) {
        TextToComponent(QStringLiteral("object P: TStrictProbe\n  Day = %1\nend").arg(day, 0, 'g', 17),
                        &probe);
        EXPECT_EQ(probe.Day(), day);
    }
    // A float that is no date takes any value.
    TProbe other;
    TextToComponent("object P: TProbe\n  Ratio = 1e300\nend", &other);
    EXPECT_EQ(other.Ratio(), 1e300);
}

TEST_F(Streaming, FloatsComeBackFromTheTextExactly) {
    for (const double value :
         {1234567.125, 1e-7, 0.1, 1.0 / 3, -2.5e-300, 1.7976931348623157e308, 4.9e-324}) {
        TProbe probe;
        probe.SetName("P");
        probe.SetRatio(value);
        std::unique_ptr<TComponent> made(TextToComponent(ComponentToText(&probe)));
        EXPECT_EQ(qobject_cast<TProbe*>(made.get())->Ratio(), value) << qPrintable(ComponentToText(&probe));
    }
}

TEST_F(Streaming, ReadingManySiblingsTellsEachComponentLittle) {
    RegisterStrictProbe();
    const int count = 2000;
    QString text = "object R: TStrictProbe\n";
    for (int i = 0; i < count; ++i)
        text += QStringLiteral("  object S%1: TStrictProbe\n    Percent = 5\n  end\n").arg(i);
    text += "end\n";
    TStrictProbe::Notifications = 0;
    std::unique_ptr<TComponent> made(TextToComponent(text));
    ASSERT_EQ(made->ComponentCount(), count);
    // Each new component is news to its owner, not to every sibling before it (count² / 2).
    EXPECT_LT(TStrictProbe::Notifications, 4 * count);
}
