#include "SkIntLst.h"
#include "SkIntLstHolder.h"

#include <gtest/gtest.h>
#include <vector>

namespace {

std::vector<int> ItemsOf(const TSkIntegerList& list) {
    std::vector<int> items;
    for (int i = 0; i < list.Count(); ++i)
        items.push_back(list.Items(i));
    return items;
}

TSkIntegerList ListOf(std::initializer_list<int> values, TDuplicates duplicates = dupAccept) {
    TSkIntegerList list;
    list.SetDuplicates(duplicates);
    for (int v : values)
        list.Add(v);
    return list;
}

template <class E, class F> QString MessageOf(F&& f) {
    try {
        f();
    } catch (const E& e) {
        return e.Message();
    }
    return QStringLiteral("(nothing raised)");
}

}  // namespace

TEST(SkIntegerList, NewListAcceptsAnyIntegerAndKeepsAddingOrder) {
    TSkIntegerList list;
    EXPECT_EQ(list.Add(2147483647), 0);
    EXPECT_EQ(list.Add(-2147483647 - 1), 1);
    EXPECT_EQ(list.Add(0), 2);
    EXPECT_EQ(ItemsOf(list), (std::vector<int>{2147483647, -2147483647 - 1, 0}));
}

TEST(SkIntegerList, DupIgnoreKeepsOneValueAndAddReturnsWhereItIs) {
    TSkIntegerList list;  // dupIgnore by default
    list.Add(9);
    list.Add(5);
    // The value is not added again; the caller learns its index, not a position past the end.
    EXPECT_EQ(list.Add(5), 1);
    EXPECT_EQ(ItemsOf(list), (std::vector<int>{9, 5}));
    // Insert follows the same rule in an unsorted list.
    list.Insert(0, 9);
    EXPECT_EQ(list.Count(), 2);

    list.SetSorted(true);
    EXPECT_EQ(ItemsOf(list), (std::vector<int>{5, 9}));
    EXPECT_EQ(list.Add(9), 1);
    EXPECT_EQ(list.Count(), 2);
}

TEST(SkIntegerList, SortedListsPlaceValuesByTheDuplicatesRule) {
    TSkIntegerList accept = ListOf({3, 1, 3});
    accept.SetSorted(true);
    TSkIntegerList sorted;
    sorted.SetSorted(true);
    sorted.SetDuplicates(dupAccept);
    EXPECT_EQ(sorted.Add(3), 0);
    EXPECT_EQ(sorted.Add(1), 0);
    sorted.Add(3);
    EXPECT_EQ(ItemsOf(sorted), (std::vector<int>{1, 3, 3}));
    EXPECT_EQ(ItemsOf(accept), (std::vector<int>{1, 3, 3}));

    sorted.SetDuplicates(dupError);
    EXPECT_EQ(MessageOf<EListError>([&] { sorted.Add(1); }), QStringLiteral("Duplicates not allowed"));
    EXPECT_EQ(sorted.Count(), 3);
    int index = -1;
    EXPECT_FALSE(sorted.Find(2, index));
    EXPECT_EQ(index, 1);
    EXPECT_TRUE(sorted.Find(3, index));
    EXPECT_EQ(sorted.IndexOf(3), index);
    EXPECT_EQ(sorted.IndexOf(4), -1);
}

TEST(SkIntegerList, SortOrdersTheItemsOnce) {
    TSkIntegerList list = ListOf({5, -1, 7, 3, 3, 0, 12, -8});
    list.Sort();
    EXPECT_EQ(ItemsOf(list), (std::vector<int>{-8, -1, 0, 3, 3, 5, 7, 12}));
}

TEST(SkIntegerList, SortedListsRefuseWritesThatCouldBreakTheOrder) {
    TSkIntegerList list = ListOf({1, 5, 9});
    list.SetSorted(true);
    EXPECT_EQ(MessageOf<EListError>([&] { list.Insert(0, 0); }),
              QStringLiteral("Operation not allowed on sorted list"));
    // Writing an item would put 100 before 5 and 9; the list refuses and keeps its order.
    EXPECT_EQ(MessageOf<EListError>([&] { list.SetItems(0, 100); }),
              QStringLiteral("Operation not allowed on sorted list"));
    // Exchanging or moving would leave 9 before 1, where the halving search no longer finds them.
    EXPECT_EQ(MessageOf<EListError>([&] { list.Exchange(0, 2); }),
              QStringLiteral("Operation not allowed on sorted list"));
    EXPECT_EQ(MessageOf<EListError>([&] { list.Move(2, 0); }),
              QStringLiteral("Operation not allowed on sorted list"));
    EXPECT_EQ(ItemsOf(list), (std::vector<int>{1, 5, 9}));
    for (int value : {1, 5, 9})
        EXPECT_GE(list.IndexOf(value), 0) << value;
    int index = -1;
    EXPECT_TRUE(list.Find(9, index));
}

TEST(SkIntegerList, IndexesOutsideTheListRaiseTheListError) {
    TSkIntegerList list = ListOf({1, 2});
    EXPECT_EQ(MessageOf<EListError>([&] { list.Insert(3, 7); }),
              QStringLiteral("List index out of bounds (3)"));
    EXPECT_EQ(MessageOf<EListError>([&] { list.Insert(-1, 7); }),
              QStringLiteral("List index out of bounds (-1)"));
    EXPECT_THROW(list.Items(2), EListError);
    EXPECT_THROW(list.Delete(-1), EListError);
    list.Insert(2, 7);  // at the end
    list.Exchange(0, 2);
    list.Move(0, 1);
    EXPECT_EQ(ItemsOf(list), (std::vector<int>{2, 7, 1}));
    list.Delete(1);
    EXPECT_EQ(ItemsOf(list), (std::vector<int>{2, 1}));
}

TEST(SkIntegerList, RangeChecksEveryWriteAndGuardsItsEnds) {
    TSkIntegerList list;
    list.SetMax(20);
    list.SetMin(10);
    EXPECT_EQ(MessageOf<EOutOfRange>([&] { list.Add(21); }), QStringLiteral("Value must be within 10..20"));
    list.Add(10);
    list.Add(20);
    EXPECT_THROW(list.SetItems(0, 9), EOutOfRange);
    EXPECT_THROW(list.Insert(0, 30), EOutOfRange);
    EXPECT_EQ(ItemsOf(list), (std::vector<int>{10, 20}));

    TSkIntegerList seven = ListOf({7});
    EXPECT_EQ(MessageOf<EOutOfRange>([&] { seven.SetMin(10); }),
              QStringLiteral("Unable to set new minimum value.\rList contains values below 10"));
    EXPECT_EQ(seven.Min(), 0);
    EXPECT_EQ(MessageOf<EOutOfRange>([&] { seven.SetMax(5); }),
              QStringLiteral("Unable to set new maximum value.\rList contains values above 5"));
    EXPECT_EQ(seven.Max(), 0);

    // A minimum above the maximum raises the maximum with it, and the other way round.
    TSkIntegerList empty;
    empty.SetMin(50);
    EXPECT_EQ(empty.Max(), 50);
    empty.SetMax(-5);
    EXPECT_EQ(empty.Min(), -5);
}

TEST(SkIntegerList, AssignAddsUnderTheDestinationsRules) {
    TSkIntegerList source = ListOf({4, 2, 4, 1});
    TSkIntegerList dest;  // dupIgnore, sorted
    dest.SetSorted(true);
    dest.Add(99);
    dest.Assign(&source);
    EXPECT_EQ(ItemsOf(dest), (std::vector<int>{1, 2, 4}));
    source.AddIntegers(&source);  // onto itself: doubles once
    EXPECT_EQ(source.Count(), 8);
}

TEST(SkIntegerListStreaming, RoundTripsRangeAndItems) {
    TSkIntListHolder holder;
    holder.List.SetMin(-3);
    holder.List.SetMax(40);
    for (int v : {30, -3, 7})
        holder.List.Add(v);
    const QString text = ComponentToText(&holder);
    EXPECT_TRUE(text.contains(QStringLiteral("Integers = (30 -3 7)"))) << text.toStdString();

    TSkIntListHolder read;
    TextToComponent(text, &read);
    EXPECT_EQ(ItemsOf(read.List), (std::vector<int>{30, -3, 7}));
    EXPECT_EQ(read.List.Min(), -3);
    EXPECT_EQ(read.List.Max(), 40);
}

TEST(SkIntegerListStreaming, WritesOnlyWhatDiffersFromANewList) {
    TSkIntListHolder holder;
    const QString text = ComponentToText(&holder);
    EXPECT_FALSE(text.contains(QStringLiteral("Min")));
    EXPECT_FALSE(text.contains(QStringLiteral("Max")));
    EXPECT_FALSE(text.contains(QStringLiteral("Integers")));
}

TEST(SkIntegerListStreaming, StoredItemsLoadEvenWhenTheStoredRangeExcludesThem) {
    TSkIntListHolder read;
    TextToComponent(QStringLiteral("object TSkIntListHolder\n  Min = 10\n  Max = 20\n"
                                   "  Integers = (3 15 30)\nend\n"),
                    &read);
    EXPECT_EQ(ItemsOf(read.List), (std::vector<int>{3, 15, 30}));
    EXPECT_EQ(read.List.Min(), 10);
    // Later writes are checked against the stored range.
    EXPECT_THROW(read.List.Add(5), EOutOfRange);
}

TEST(SkIntegerListStreaming, AnOwnerStreamsItsListUnderItsOwnName) {
    TSkPrefixedIntListHolder holder;
    holder.List.Add(12);
    holder.List.Add(-40);
    const QString text = ComponentToText(&holder);
    EXPECT_TRUE(text.contains(QStringLiteral("Stops.Integers = (12 -40)"))) << text.toStdString();
    TSkPrefixedIntListHolder read;
    read.List.Add(1);
    TextToComponent(text, &read);
    EXPECT_EQ(ItemsOf(read.List), (std::vector<int>{12, -40}));
}

// The reader takes numbers of up to 32 bits of either sign; one that an int cannot hold is refused with
// its line rather than wrapped into another number.
TEST(SkIntegerListStreaming, NumbersBeyondAnIntAreRefusedWithTheirLine) {
    const struct {
        const char* Text;
        const char* Line;
    } refused[] = {
        {"object TSkIntListHolder\n  Min = 2147483648\nend\n", "line 2"},
        {"object TSkIntListHolder\n  Min = 1\n  Max = 4294967295\nend\n", "line 3"},
        {"object TSkIntListHolder\n  Integers = (\n    1\n    3000000000)\nend\n", "line 4"},
        {"object TSkPrefixedIntListHolder\n  Stops.Integers = (2147483648)\nend\n", "line 2"},
    };
    for (const auto& c : refused) {
        TSkIntListHolder plain;
        TSkPrefixedIntListHolder prefixed;
        TComponent* into =
            QString(c.Text).contains("Prefixed") ? static_cast<TComponent*>(&prefixed) : &plain;
        const QString message = MessageOf<EReadError>([&] { TextToComponent(QString(c.Text), into); });
        EXPECT_TRUE(message.contains(c.Line) && message.contains("out of range"))
            << c.Text << qPrintable(message);
        EXPECT_EQ(plain.List.Max(), 0) << c.Text;
    }
    // The ends of an int read as they stand.
    TSkIntListHolder read;
    TextToComponent(QStringLiteral("object TSkIntListHolder\n  Min = -2147483648\n  Max = 2147483647\n"
                                   "  Integers = (-2147483648 2147483647)\nend\n"),
                    &read);
    EXPECT_EQ(read.List.Min(), INT32_MIN);
    EXPECT_EQ(read.List.Max(), INT32_MAX);
    EXPECT_EQ(ItemsOf(read.List), (std::vector<int>{INT32_MIN, INT32_MAX}));
}
