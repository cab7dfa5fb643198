// Filling trees and lists the size the windows fill: the food tree (21 groups, 92 subgroups,
// 1955 foods) and the longest health-information list (1223 entries).
#include "ComCtrls.h"
#include "StdCtrls.h"
#include "WidgetApplication.h"

#include <QApplication>
#include <benchmark/benchmark.h>

namespace {

void FillFoodTree(TTreeView& tree) {
    tree.Items()->BeginUpdate();
    int food = 0;
    for (int g = 0; g < 21; ++g) {
        TTreeNode* group = tree.Items()->Add(nullptr, QStringLiteral("食物类别%1").arg(g));
        for (int s = 0; s < (g < 8 ? 5 : 4); ++s) {
            TTreeNode* subgroup = tree.Items()->AddChild(group, QStringLiteral("亚类%1").arg(s));
            for (int f = 0; f < 21 && food < 1955; ++f, ++food)
                tree.Items()->AddChild(subgroup, QStringLiteral("食物%1").arg(food))->SetStateIndex(food + 1);
        }
    }
    tree.Items()->EndUpdate();
}

void BM_FillFoodTree(benchmark::State& state) {
    for (auto _ : state) {
        TTreeView tree(nullptr);
        FillFoodTree(tree);
        benchmark::DoNotOptimize(tree.Items()->Count());
    }
}
BENCHMARK(BM_FillFoodTree)->Unit(benchmark::kMillisecond);

// A search walks every node by index, as the recipe and food windows do.
void BM_WalkTreeByIndex(benchmark::State& state) {
    TTreeView tree(nullptr);
    FillFoodTree(tree);
    for (auto _ : state) {
        int found = 0;
        for (int i = 0; i < tree.Items()->Count(); ++i)
            if (tree.Items()->Item(i)->Level() == 2) ++found;
        benchmark::DoNotOptimize(found);
    }
}
BENCHMARK(BM_WalkTreeByIndex)->Unit(benchmark::kMillisecond);

void BM_FillListBox(benchmark::State& state) {
    TListBox list(nullptr);
    for (auto _ : state) {
        list.Items()->Clear();
        for (int i = 0; i < 1223; ++i)
            list.Items()->Add(QStringLiteral("养生茶%1").arg(i));
        benchmark::DoNotOptimize(list.Count());
    }
}
BENCHMARK(BM_FillListBox)->Unit(benchmark::kMillisecond);

}  // namespace

int main(int argc, char** argv) {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
    TWidgetApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
