// The styled controls in form texts: a control's own refusal of a value comes back from the reader
// as EReadError with the line, dates outside the calendar are refused, and numbers come back exact.
#include "Forms.h"
#include "SkChkLst.h"
#include "SkEditDateTime.h"
#include "SkEditNumeric.h"
#include "SkPopupsCalendar.h"
#include "SkTabsPages.h"
#include "Streaming.h"

#include <gtest/gtest.h>
#include <memory>

namespace {
// The message of the EReadError reading `text` into `root` raises, or "" when it reads.
QString ReadFailure(const QString& text, TComponent* root) {
    try {
        TextToComponent(text, root);
        return QString();
    } catch (const EReadError& e) {
        return e.Message();
    }
}
}  // namespace

TEST(SkFormText, AControlsOwnRefusalComesBackAsAReadErrorWithTheLine) {
    auto form = std::make_unique<TForm>(nullptr);
    TSkPageControl linked(nullptr);  // brings in the page control's unit, which registers its classes
    const QString pages = ReadFailure("object Frm: TForm\n"
                                      "  object PC: TSkPageControl\n"
                                      "    object TabSheet1: TSkTabSheet\n"
                                      "      Caption = 'a'\n"
                                      "      PageIndex = 50\n"
                                      "    end\n"
                                      "  end\n"
                                      "end\n",
                                      form.get());
    EXPECT_TRUE(pages.contains("invalid PageIndex value")) << qPrintable(pages);
    EXPECT_TRUE(pages.contains("line 5")) << qPrintable(pages);

    TSkDateTimeEdit edit(nullptr);
    const QString bounds = ReadFailure("object E: TSkDateTimeEdit\n"
                                       "  MaxDate = 40000\n"
                                       "  MinDate = 45000\n"
                                       "end\n",
                                       &edit);
    EXPECT_TRUE(bounds.contains("line 3")) << qPrintable(bounds);
    EXPECT_EQ(edit.MinDate(), 0);
}

TEST(SkFormText, ADateOutsideTheCalendarIsRefusedWithTheLine) {
    TSkDateTimeEdit edit(nullptr);
    for (const char* property : {"Date", "MinDate", "MaxDate", "Time"}) {
        const QString message = ReadFailure(
            QStringLiteral("object E: TSkDateTimeEdit\n  %1 = 1e300\nend\n").arg(property), &edit);
        EXPECT_TRUE(message.contains("line 2")) << property << qPrintable(message);
    }
    EXPECT_EQ(edit.Date(), 0);
    TSkCalendar calendar(nullptr);
    EXPECT_NE(ReadFailure("object C: TSkCalendar\n  Date = -693594\nend\n", &calendar), "");
    // The calendar's own ends still read.
    TextToComponent("object E: TSkDateTimeEdit\n  Date = 2958465\nend\n", &edit);
    EXPECT_EQ(edit.Date(), 2958465);
}

TEST(SkFormText, ANumericEditKeepsItsNumbersThroughTheText) {
    TSkNumericEdit edit(nullptr);
    edit.SetName("edtWeight");
    edit.SetIntegersOnly(false);
    edit.SetDisplayFormat("0.000");
    edit.SetValue(1234567.125);
    edit.SetBlankValue(1e-7);
    edit.SetMin(-1e-7);
    edit.SetMax(2e6 + 1.0 / 3);  // all seventeen digits count
    const QString text = ComponentToText(&edit);
    std::unique_ptr<TComponent> made(TextToComponent(text));
    auto* back = qobject_cast<TSkNumericEdit*>(made.get());
    ASSERT_NE(back, nullptr);
    EXPECT_EQ(back->Value(), 1234567.125) << qPrintable(text);
    EXPECT_EQ(back->BlankValue(), 1e-7) << qPrintable(text);
    EXPECT_EQ(back->Min(), -1e-7) << qPrintable(text);
    EXPECT_EQ(back->Max(), 2e6 + 1.0 / 3) << qPrintable(text);
}

TEST(SkFormText, ACheckListsImageIndexMustFitItsField) {
    TSkCheckList list(nullptr);
    const QString message = ReadFailure("object L: TSkCheckList\n"
                                        "  Items.Strings = ('a' 'b')\n"
                                        "  Items.ItemImageIndex = (1 3000000000)\n"
                                        "end\n",
                                        &list);
    EXPECT_TRUE(message.contains("line 3")) << qPrintable(message);
    TextToComponent("object L: TSkCheckList\n"
                    "  Items.Strings = ('a' 'b')\n"
                    "  Items.ItemImageIndex = (-1 2147483647)\n"
                    "end\n",
                    &list);
    EXPECT_EQ(list.ItemImageIndex(0), -1);
    EXPECT_EQ(list.ItemImageIndex(1), 2147483647);
}

// The tab control's row depth is an int: a stored number beyond one is refused, not wrapped.
TEST(SkFormText, ATabControlsRowDepthMustFitAnInt) {
    TSkPageControl pages(nullptr);
    pages.SetName("PC");
    for (const char* depth : {"2147483648", "4294967295", "-2147483649"}) {
        const QString message = ReadFailure(
            QStringLiteral("object PC: TSkPageControl\n  FixedDimension = %1\nend\n").arg(depth), &pages);
        EXPECT_TRUE(message.contains("line 2")) << depth << qPrintable(message);
    }
    // The largest int still reads (the layout then measures the depth again).
    EXPECT_EQ(ReadFailure("object PC: TSkPageControl\n  FixedDimension = 2147483647\nend\n", &pages), "");
}
