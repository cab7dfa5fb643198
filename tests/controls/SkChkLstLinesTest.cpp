// The check list's text lines and the string lists that carry packets.
#include "FileSizeLimit.h"
#include "SkChkLst.h"
#include "Streams.h"
#include "SysUtils.h"

#include <QTemporaryDir>
#include <functional>
#include <gtest/gtest.h>

namespace {
TPacket Packet(int enabled, int state, int image, int disabledImage) {
    return {std::uint8_t(state), std::uint8_t(enabled), image, disabledImage};
}

QByteArray Saved(const TSkCheckListStrings* items) {
    TMemoryStream stream;
    items->SaveToStream(&stream);
    return stream.Bytes();
}

// Two items: "abc" checked with image 5, "跑步" disabled and grayed with disabled image 7.
void AddTwoItems(TSkCheckList& list) {
    list.Items()->Add("abc");
    list.SetItemChecked(0, true);
    list.SetItemImageIndex(0, 5);
    list.Items()->Add("跑步");
    list.SetItemEnabled(1, false);
    list.SetItemState(1, cbGrayed);
    list.SetItemDisabledIndex(1, 7);
}

const QByteArray TwoItemLines =
    QByteArray("@1 1 005 --- abc\r\n@0 2 --- 007 ") + QString("跑步").toUtf8() + "\r\n";

void Load(TSkCheckListStrings* items, const QByteArray& bytes) {
    TMemoryStream stream;
    stream.SetBytes(bytes);
    items->LoadFromStream(&stream);
}
}  // namespace

TEST(CheckListLine, FieldsSitAtFixedPlaces) {
    EXPECT_EQ(CheckListLine(Packet(1, 1, 5, -1), "abc"), "@1 1 005 --- abc");
    EXPECT_EQ(CheckListLine(Packet(0, 2, -1, 12), "运动"), "@0 2 --- 012 运动");
    EXPECT_EQ(CheckListLine(Packet(1, 0, 0, 999), ""), "@1 0 000 999 ");
    // Indexes that do not fit three characters widen their field.
    EXPECT_EQ(CheckListLine(Packet(1, 0, 1234, -5), "x"), "@1 0 1234 -005 x");

    const TCheckListLine read = ReadCheckListLine("@1 1 005 --- abc");
    EXPECT_EQ(read.Packet, Packet(1, 1, 5, -1));
    EXPECT_EQ(read.Text, "abc");
    EXPECT_EQ(ReadCheckListLine("@0 2 --- 012 运动 跑步").Packet, Packet(0, 2, -1, 12));
    EXPECT_EQ(ReadCheckListLine("@0 2 --- 012 运动 跑步").Text, "运动 跑步");
}

TEST(CheckListLine, OlderAndPlainLines) {
    const TCheckListLine older = ReadCheckListLine("&1 2 abc");
    EXPECT_EQ(older.Packet, Packet(1, 2, -1, -1));
    EXPECT_EQ(older.Text, "abc");
    const TCheckListLine plain = ReadCheckListLine("abc");
    EXPECT_EQ(plain.Packet, TPacket{});
    EXPECT_EQ(plain.Text, "abc");
    EXPECT_EQ(ReadCheckListLine("").Text, "");
    EXPECT_EQ(ReadCheckListLine("").Packet, TPacket{});
}

TEST(CheckListLine, StateDigitsBeyondGrayedAreGrayed) {
    EXPECT_EQ(ReadCheckListLine("@1 7 --- --- a").Packet.State, 2);
    EXPECT_EQ(ReadCheckListLine("&1 9 a").Packet.State, 2);
    EXPECT_EQ(ReadCheckListLine("@1 x --- --- a").Packet.State, 0);
}

TEST(CheckListLine, ShortAndMalformedLinesKeepDefaults) {
    EXPECT_EQ(ReadCheckListLine("@").Packet, Packet(0, 0, -1, -1));
    EXPECT_EQ(ReadCheckListLine("@").Text, "");
    EXPECT_EQ(ReadCheckListLine("@1").Packet, Packet(1, 0, -1, -1));
    EXPECT_EQ(ReadCheckListLine("@1 1 0").Packet, Packet(1, 1, 0, -1));
    EXPECT_EQ(ReadCheckListLine("@1 1 abc def text").Packet, Packet(1, 1, -1, -1));
    EXPECT_EQ(ReadCheckListLine("@1 1 abc def text").Text, "text");
    EXPECT_EQ(ReadCheckListLine("&").Text, "");
    // A wide index shifts the later fields; the reader takes the fixed places all the same.
    const TCheckListLine wide = ReadCheckListLine("@1 0 1234 --- x");
    EXPECT_EQ(wide.Packet.ImageIndex, 123);
    EXPECT_EQ(wide.Packet.DisabledIndex, -1);
    EXPECT_EQ(wide.Text, " x");
}

TEST(CheckListLine, StreamsSplitIntoLines) {
    EXPECT_EQ(SplitStreamLines(""), QStringList());
    EXPECT_EQ(SplitStreamLines("a\r\nb\r\n"), QStringList({"a", "b"}));
    EXPECT_EQ(SplitStreamLines("a\n\r\nb"), QStringList({"a", "", "b"}));
    EXPECT_EQ(SplitStreamLines("\r\n"), QStringList({""}));
}

TEST(CheckListToggle, StatesCycle) {
    EXPECT_EQ(NextToggleState(cbUnchecked, false), cbChecked);
    EXPECT_EQ(NextToggleState(cbUnchecked, true), cbGrayed);
    EXPECT_EQ(NextToggleState(cbChecked, true), cbUnchecked);
    EXPECT_EQ(NextToggleState(cbGrayed, false), cbChecked);
}

TEST(PacketStringList, PacketsFollowTheLines) {
    TPacketStringList list;
    list.Add("a");
    list.AddWithPacket("b", nullptr, Packet(0, 2, 3, 4));
    list.Insert(0, "c");
    EXPECT_EQ(list.Packets(0), TPacket{});
    EXPECT_EQ(list.Packets(2), Packet(0, 2, 3, 4));
    list.Delete(0);
    EXPECT_EQ(list.Packets(1), Packet(0, 2, 3, 4));
    list.Clear();
    EXPECT_THROW(list.Packets(0), EListError);
}

TEST(CheckListStrings, SaveWritesOneLinePerItem) {
    TSkCheckList list(nullptr);
    EXPECT_EQ(Saved(list.Items()), QByteArray());  // an empty list writes nothing
    AddTwoItems(list);
    EXPECT_EQ(Saved(list.Items()), TwoItemLines);

    TSkCheckList copy(nullptr);
    copy.Items()->Add("old");
    Load(copy.Items(), Saved(list.Items()));
    ASSERT_EQ(copy.Items()->Count(), 2);
    EXPECT_EQ(copy.Items()->Strings(0), "abc");
    EXPECT_TRUE(copy.ItemChecked(0));
    EXPECT_EQ(copy.ItemImageIndex(0), 5);
    EXPECT_EQ(copy.ItemDisabledIndex(0), -1);
    EXPECT_EQ(copy.ItemState(1), cbGrayed);
    EXPECT_FALSE(copy.ItemEnabled(1));
    EXPECT_EQ(copy.ItemDisabledIndex(1), 7);
}

TEST(CheckListStrings, AMalformedLineNeverStopsTheLoad) {
    TSkCheckList list(nullptr);
    Load(list.Items(), QByteArray("@1 1 001 --- first\r\n@\r\n&\r\n@1 9 zz\r\n\xff\xfe broken\r\n"
                                  "@0 1 --- --- last"));
    ASSERT_EQ(list.Items()->Count(), 6);
    EXPECT_EQ(list.Items()->Strings(0), "first");
    EXPECT_EQ(list.ItemImageIndex(0), 1);
    EXPECT_EQ(list.ItemState(3), cbGrayed);
    EXPECT_EQ(list.Items()->Strings(5), "last");
    EXPECT_FALSE(list.ItemEnabled(5));
    EXPECT_TRUE(list.ItemChecked(5));
    EXPECT_FALSE(list.Items()->Updating());  // the list repaints again
}

TEST(CheckListStrings, AnIndexOutsideTheItemsRaisesTheListError) {
    TSkCheckList list(nullptr);
    list.Items()->Add("a");
    EXPECT_THROW(list.ItemState(1), EListError);
    EXPECT_THROW(list.SetItemChecked(-1, true), EListError);
    EXPECT_THROW(list.SetItemEnabled(1, false), EListError);
    EXPECT_THROW(list.SetItemImageIndex(5, 1), EListError);
    EXPECT_THROW(list.ItemDisabledIndex(-3), EListError);
    EXPECT_THROW(list.Items()->Packets(1), EListError);
    EXPECT_THROW(list.Items()->Exchange(0, 1), EListError);
    EXPECT_EQ(list.Items()->Count(), 1);
}

TEST(CheckListStrings, PacketsTravelWithTheirItems) {
    TSkCheckList list(nullptr);
    for (const char* s : {"a", "b", "c", "d"})
        list.Items()->Add(s);
    list.SetItemState(1, cbChecked);
    list.SetItemState(2, cbGrayed);
    list.SetItemEnabled(3, false);

    list.Items()->Insert(0, "z");
    EXPECT_EQ(list.ItemState(2), cbChecked);
    EXPECT_EQ(list.ItemState(0), cbUnchecked);
    list.Items()->Delete(0);
    list.Items()->Exchange(1, 3);  // a b c d -> a d c b
    EXPECT_EQ(list.Items()->Strings(1), "d");
    EXPECT_FALSE(list.ItemEnabled(1));
    EXPECT_EQ(list.ItemState(3), cbChecked);
    list.Items()->Move(3, 0);  // b a d c
    EXPECT_EQ(list.Items()->Strings(0), "b");
    EXPECT_EQ(list.ItemState(0), cbChecked);
    EXPECT_FALSE(list.ItemEnabled(2));
    list.SetItemIndex(3);
    list.Items()->SetStrings(3, "c2");  // a changed text keeps its packet and the current item
    EXPECT_EQ(list.ItemState(3), cbGrayed);
    EXPECT_EQ(list.ItemIndex(), 3);
}

TEST(CheckListStrings, AssignCopiesPacketsAndDecodesPlainLines) {
    TSkCheckList source(nullptr), target(nullptr);
    source.Items()->Add("a");
    source.Items()->Add("b");
    source.SetItemState(1, cbGrayed);
    source.SetItemImageIndex(1, 4);
    target.SetItems(source.Items());
    ASSERT_EQ(target.Items()->Count(), 2);
    EXPECT_EQ(target.ItemState(1), cbGrayed);
    EXPECT_EQ(target.ItemImageIndex(1), 4);
    target.Items()->AddStrings(target.Items());  // from itself: doubles the items
    EXPECT_EQ(target.Items()->Count(), 4);
    EXPECT_EQ(target.ItemState(3), cbGrayed);

    TStringList plain;
    plain.Add("&0 1 old");
    plain.Add("@1 2 003 --- new");
    plain.Add("plain");
    target.Items()->AddStrings(&plain);
    EXPECT_EQ(target.Items()->Strings(4), "old");
    EXPECT_FALSE(target.ItemEnabled(4));
    EXPECT_TRUE(target.ItemChecked(4));
    EXPECT_EQ(target.ItemImageIndex(5), 3);
    EXPECT_EQ(target.Items()->Strings(6), "plain");
    EXPECT_EQ(target.ItemState(6), cbUnchecked);
}

TEST(CheckListStrings, WhatALineCannotCarryIsRefusedSoWhatIsSavedLoadsBackEqual) {
    TSkCheckList list(nullptr);
    for (const char* s : {"@1 1 005 --- looks like a line", "&1 2 older", "  blanks\tand tab ", "", "跑步"})
        list.Items()->Add(s);
    list.SetItemState(1, cbGrayed);
    list.SetItemEnabled(2, false);
    list.SetItemImageIndex(3, 999);
    list.SetItemDisabledIndex(3, 0);
    list.SetItemImageIndex(4, -1);
    const QByteArray saved = Saved(list.Items());
    TSkCheckList copy(nullptr);
    Load(copy.Items(), saved);
    ASSERT_EQ(copy.Items()->Count(), 5);
    for (int i = 0; i < 5; ++i) {
        EXPECT_EQ(copy.Items()->Strings(i), list.Items()->Strings(i)) << i;
        EXPECT_EQ(copy.Items()->Packets(i), list.Items()->Packets(i)) << i;
    }

    // A line break would make two items, a wide index would shift the text, a state beyond grayed
    // would come back grayed: each stops the save and writes nothing.
    auto refused = [](const std::function<void(TSkCheckList&)>& spoil, const char* why) {
        TSkCheckList bad(nullptr);
        bad.Items()->Add("first");
        bad.Items()->Add("second");
        spoil(bad);
        TMemoryStream stream;
        try {
            bad.Items()->SaveToStream(&stream);
            ADD_FAILURE() << why;
        } catch (const EWriteError& e) {
            EXPECT_TRUE(e.Message().contains("第 2 项")) << qPrintable(e.Message());
        }
        EXPECT_EQ(stream.Size(), 0) << why;
    };
    refused([](TSkCheckList& l) { l.Items()->SetStrings(1, "two\nlines"); }, "LF");
    refused([](TSkCheckList& l) { l.Items()->SetStrings(1, "two\rlines"); }, "CR");
    refused([](TSkCheckList& l) { l.SetItemImageIndex(1, 1000); }, "image 1000");
    refused([](TSkCheckList& l) { l.SetItemDisabledIndex(1, -2); }, "disabled image -2");
    refused([](TSkCheckList& l) { l.Items()->Packets(1).State = 3; }, "state 3");
}

TEST(CheckListFiles, TheFileHoldsTheLinesAndReadsBackEqual) {
    QTemporaryDir dir;
    const QString file = dir.filePath("items.txt");
    TSkCheckList list(nullptr);
    AddTwoItems(list);
    list.Items()->SaveToFile(file);
    ASSERT_TRUE(QFile::exists(file));
    EXPECT_EQ(FileBytes(file), TwoItemLines);

    TSkCheckList copy(nullptr);
    copy.Items()->Add("old");
    copy.Items()->LoadFromFile(file);
    ASSERT_EQ(copy.Items()->Count(), 2);
    EXPECT_EQ(copy.Items()->ToQStringList(), QStringList({"abc", "跑步"}));
    EXPECT_EQ(copy.Items()->Packets(0), Packet(1, 1, 5, -1));
    EXPECT_EQ(copy.Items()->Packets(1), Packet(0, 2, -1, 7));

    EXPECT_THROW(list.Items()->SaveToFile(dir.filePath("missing/items.txt")), EFCreateError);
    EXPECT_THROW(copy.Items()->LoadFromFile(dir.filePath("missing.txt")), EFOpenError);
    EXPECT_EQ(copy.Items()->Count(), 2);  // a failed load keeps the items
}

TEST(CheckListFiles, ASaveThatFailsRaisesAndLeavesTheOldFileWhole) {
    QTemporaryDir dir;
    const QString file = dir.filePath("items.txt");
    TSkCheckList list(nullptr);
    for (int i = 0; i < 10; ++i)
        list.Items()->Add(QStringLiteral("项目 %1").arg(i));
    list.Items()->SaveToFile(file);
    const QByteArray before = FileBytes(file);
    list.Items()->Add("one more");
    {
        TFileSizeLimit full(32);
        EXPECT_THROW(list.Items()->SaveToFile(file), EFCreateError);
    }
    EXPECT_EQ(FileBytes(file), before);
    EXPECT_EQ(FilesIn(dir.path()), QStringList{"items.txt"});
    // A line the format cannot carry leaves the file alone as well.
    list.Items()->SetStrings(0, "two\nlines");
    EXPECT_THROW(list.Items()->SaveToFile(file), EWriteError);
    EXPECT_EQ(FileBytes(file), before);
}
