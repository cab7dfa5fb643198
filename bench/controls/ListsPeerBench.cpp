// The styled lists and tree side by side with Qt's item widgets doing the same work: a check list
// filled one item at a time with each item ticked as it comes, a list box loaded with 10 000 items,
// and a tree of 10 000 nodes opened and closed whole. The list box with a horizontal scroll bar is
// compared with the same list box without one (its "peer"): the bar may cost a measure per item,
// not a measure of every item per item.
#include "PeerRatios.h"
#include "SkChkLst.h"
#include "SkLstBox.h"
#include "SkTreeVw.h"

#include <QApplication>
#include <QListWidget>
#include <QTreeWidget>
#include <type_traits>

namespace {

QString ActivityText(int i) {
    return QStringLiteral("慢跑（每小时八公里）%1\t%2 千卡").arg(i).arg(i % 600);
}

QString FoodText(int i) {
    return QStringLiteral("粳米（标一）%1").arg(i);
}

// Argument 0: items; argument 1: 1 when the list is on the screen while it fills.
void CheckListAddAndTick(benchmark::State& state) {
    const int count = int(state.range(0));
    for (auto _ : state) {
        TSkCheckList list(nullptr);
        list.SetBounds(0, 0, 300, 400);
        if (state.range(1)) list.Widget()->show();
        for (int i = 0; i < count; ++i) {
            list.Items()->Add(ActivityText(i));
            list.SetItemChecked(i, true);
        }
        QApplication::processEvents();
        benchmark::DoNotOptimize(list.ItemChecked(count - 1));
    }
}

void CheckableListWidgetAddAndTick(benchmark::State& state) {
    const int count = int(state.range(0));
    for (auto _ : state) {
        QListWidget list;
        list.resize(300, 400);
        if (state.range(1)) list.show();
        for (int i = 0; i < count; ++i) {
            auto* item = new QListWidgetItem(ActivityText(i), &list);
            item->setFlags(item->flags() | Qt::ItemIsUserCheckable);
            item->setCheckState(Qt::Checked);
        }
        QApplication::processEvents();
        benchmark::DoNotOptimize(list.item(count - 1)->checkState());
    }
}

// Argument 0: items; argument 1: with the horizontal scroll bar.
void ListBoxAdd(benchmark::State& state, bool bar) {
    const int count = int(state.range(0));
    for (auto _ : state) {
        TSkListBox list(nullptr);
        list.SetBounds(0, 0, 300, 400);
        list.SetHorzScrollBar(bar);
        list.Widget()->show();
        for (int i = 0; i < count; ++i)
            list.Items()->Add(FoodText(i));
        QApplication::processEvents();
        benchmark::DoNotOptimize(list.HorzExtent());
    }
}

// A list box filled with 10 000 items; when shown (argument 1), laid out and painted too.
void ListBoxLoad(benchmark::State& state) {
    const int count = int(state.range(0));
    for (auto _ : state) {
        TSkListBox list(nullptr);
        list.SetBounds(0, 0, 300, 400);
        if (state.range(1)) list.Widget()->show();
        for (int i = 0; i < count; ++i)
            list.Items()->Add(FoodText(i));
        QApplication::processEvents();
        benchmark::DoNotOptimize(list.Count());
    }
}

void ListWidgetLoad(benchmark::State& state) {
    const int count = int(state.range(0));
    for (auto _ : state) {
        QListWidget list;
        list.resize(300, 400);
        if (state.range(1)) list.show();
        for (int i = 0; i < count; ++i)
            list.addItem(FoodText(i));
        QApplication::processEvents();
        benchmark::DoNotOptimize(list.count());
    }
}

// The same 10 000 items handed over in one piece, as a window fills a list from a query.
void ListBoxAssign(benchmark::State& state) {
    QStringList lines;
    for (int i = 0; i < state.range(0); ++i)
        lines << FoodText(i);
    for (auto _ : state) {
        TSkListBox list(nullptr);
        list.SetBounds(0, 0, 300, 400);
        list.Widget()->show();
        list.Items()->Assign(lines);
        QApplication::processEvents();
        benchmark::DoNotOptimize(list.Count());
    }
}

void ListWidgetAddItems(benchmark::State& state) {
    QStringList lines;
    for (int i = 0; i < state.range(0); ++i)
        lines << FoodText(i);
    for (auto _ : state) {
        QListWidget list;
        list.resize(300, 400);
        list.show();
        list.addItems(lines);
        QApplication::processEvents();
        benchmark::DoNotOptimize(list.count());
    }
}

// 100 groups of 99 foods: 10 000 nodes.
template <class TAddGroup, class TAddFood> void FillFoods(TAddGroup addGroup, TAddFood addFood) {
    for (int g = 0; g < 100; ++g) {
        auto* group = addGroup(QStringLiteral("谷类及制品第%1组").arg(g));
        for (int f = 0; f < 99; ++f)
            addFood(group, FoodText(g * 100 + f));
    }
}

void FillTree(TSkTreeView& tree) {
    tree.SetBounds(0, 0, 300, 400);
    tree.Widget()->show();
    tree.Items()->BeginUpdate();
    FillFoods([&](const QString& text) { return tree.Items()->Add(nullptr, text); },
              [&](TTreeNode* group, const QString& text) { tree.Items()->AddChild(group, text); });
    tree.Items()->EndUpdate();
}

// Qt's tree widget as a program would set it up: no header, rows of one height.
void FillTree(QTreeWidget& tree) {
    tree.resize(300, 400);
    tree.setHeaderHidden(true);
    tree.setUniformRowHeights(true);
    tree.show();
    FillFoods([&](const QString& text) { return new QTreeWidgetItem(&tree, {text}); },
              [&](QTreeWidgetItem* group, const QString& text) { new QTreeWidgetItem(group, {text}); });
}

// The tree opened whole and closed again, painted after each.
template <class TTree> void TreeExpandAll(benchmark::State& state) {
    TTree tree(nullptr);
    FillTree(tree);
    QApplication::processEvents();
    for (auto _ : state) {
        if constexpr (std::is_same_v<TTree, QTreeWidget>) {
            tree.expandAll();
            QApplication::processEvents();
            tree.collapseAll();
        } else {
            tree.FullExpand();
            QApplication::processEvents();
            tree.FullCollapse();
        }
        QApplication::processEvents();
    }
}

// A tree filled and opened whole for the first time: every node measured once.
template <class TTree> void TreeFillAndExpandAll(benchmark::State& state) {
    for (auto _ : state) {
        TTree tree(nullptr);
        FillTree(tree);
        if constexpr (std::is_same_v<TTree, QTreeWidget>)
            tree.expandAll();
        else
            tree.FullExpand();
        QApplication::processEvents();
    }
}

const bool Registered = [] {
    for (auto* b : RegisterPeerPair("CheckListAddAndTick", CheckListAddAndTick, CheckableListWidgetAddAndTick))
        b->ArgNames({"items", "shown"})
            ->Args({1000, 0})
            ->Args({10000, 0})
            ->Args({100000, 0})
            ->Args({10000, 1})
            ->Unit(benchmark::kMillisecond);
    for (auto* b : RegisterPeerPair(
             "ListBoxAddWithHorzScrollBar", [](benchmark::State& s) { ListBoxAdd(s, true); },
             [](benchmark::State& s) { ListBoxAdd(s, false); }))
        b->ArgName("items")->Arg(4000)->Unit(benchmark::kMillisecond);
    for (auto* b : RegisterPeerPair("ListBoxLoad", ListBoxLoad, ListWidgetLoad))
        b->ArgNames({"items", "shown"})->Args({10000, 0})->Args({10000, 1})->Unit(benchmark::kMillisecond);
    for (auto* b : RegisterPeerPair("ListBoxAssign", ListBoxAssign, ListWidgetAddItems))
        b->ArgName("items")->Arg(10000)->Unit(benchmark::kMillisecond);
    for (auto* b : RegisterPeerPair("TreeExpandAll", TreeExpandAll<TSkTreeView>, TreeExpandAll<QTreeWidget>))
        b->Unit(benchmark::kMillisecond);
    for (auto* b : RegisterPeerPair("TreeFillAndExpandAll", TreeFillAndExpandAll<TSkTreeView>,
                                    TreeFillAndExpandAll<QTreeWidget>))
        b->Unit(benchmark::kMillisecond);
    return true;
}();

}  // namespace
