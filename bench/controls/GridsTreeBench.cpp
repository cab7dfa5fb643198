// A styled string grid of 2 000 rows showing 30 of them, framed and with the line colours the
// windows set, repainted off screen; and a styled tree of 5 000 nodes (50 groups of 10 kinds of 9
// foods) saved to TAB-indented lines and read back.
#include "SkGrids.h"
#include "SkTreeVw.h"

#include <QImage>
#include <benchmark/benchmark.h>

namespace {

void StringGridRepaint(benchmark::State& state) {
    TSkStringGrid grid(nullptr);
    grid.SetColCount(7);
    grid.SetRowCount(2000);
    grid.SetBounds(0, 0, 655, 2 + 30 * 19 + 20);
    grid.SetFrameVisible(true);
    grid.SetFrameColor(8579227);
    grid.SetLineColor(33023);
    for (int r = 1; r < 2000; ++r) {
        grid.SetCells(0, r, QString::number(r));
        grid.SetCells(1, r, QStringLiteral("燕麦片（加糖）%1").arg(r));
        for (int c = 2; c < 7; ++c)
            grid.SetCells(c, r, QString::number(r * c * 0.7, 'f', 1));
    }
    grid.SetTopRow(900);
    for (auto _ : state) {
        grid.Invalidate();
        const QImage& image = grid.PaintOffscreen();
        benchmark::DoNotOptimize(image.constBits());
    }
}
BENCHMARK(StringGridRepaint)->Unit(benchmark::kMillisecond);

void TreeSaveAndLoad(benchmark::State& state) {
    TSkTreeView tree(nullptr);
    TStringList lines;
    for (int g = 0; g < 50; ++g) {
        lines.Add(QStringLiteral("谷类第%1组").arg(g));
        for (int k = 0; k < 10; ++k) {
            lines.Add(QStringLiteral("\t米面%1").arg(k));
            for (int f = 0; f < 9; ++f)
                lines.Add(QStringLiteral("\t\t粳米（标一）%1").arg(f));
        }
    }
    tree.LoadFromStrings(&lines);
    for (auto _ : state) {
        TStringList saved;
        tree.SaveToStrings(&saved);
        tree.LoadFromStrings(&saved);
        benchmark::DoNotOptimize(saved.Count());
    }
    state.counters["nodes"] = tree.Items()->Count();
}
BENCHMARK(TreeSaveAndLoad)->Unit(benchmark::kMillisecond);

}  // namespace
