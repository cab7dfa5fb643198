// Loading a check list from a stream of 10 000 lines in the check-list line format, as a window
// reloads the items it saved.
#include "SkChkLst.h"
#include "Streams.h"

#include <benchmark/benchmark.h>

namespace {
QByteArray SavedLines(int count) {
    QByteArray bytes;
    for (int i = 0; i < count; ++i) {
        TPacket packet;
        packet.State = std::uint8_t(i % 3);
        packet.Enabled = i % 7 != 0;
        packet.ImageIndex = i % 5 == 0 ? -1 : i % 40;
        bytes +=
            CheckListLine(packet, QStringLiteral("活动 %1\t%2 千卡").arg(i).arg(i % 600)).toUtf8() + "\r\n";
    }
    return bytes;
}

// Argument 1, a set: 1 the list measures its columns for automatic tab stops after the load, 2 it
// measures its widest item for a horizontal scroll bar.
void CheckListLoad(benchmark::State& state) {
    TSkCheckList list(nullptr);
    if (state.range(1) & 1) list.SetTabStopsMode(tsmAutomatic);
    if (state.range(1) & 2) list.SetHorzScrollBar(true);
    TMemoryStream stream;
    stream.SetBytes(SavedLines(int(state.range(0))));
    for (auto _ : state) {
        stream.SetPosition(0);
        list.Items()->LoadFromStream(&stream);
        benchmark::DoNotOptimize(list.Items()->Count());
    }
}
BENCHMARK(CheckListLoad)
    ->Args({10000, 0})
    ->Args({10000, 1})
    ->Args({10000, 2})
    ->Args({10000, 3})
    ->Unit(benchmark::kMillisecond);

// The items copied in from a packet list, one item after another, as a list built anew takes them back;
// the same argument set as above.
void CheckListAssign(benchmark::State& state) {
    TSkCheckList list(nullptr);
    if (state.range(1) & 1) list.SetTabStopsMode(tsmAutomatic);
    if (state.range(1) & 2) list.SetHorzScrollBar(true);
    TMemoryStream stream;
    stream.SetBytes(SavedLines(int(state.range(0))));
    list.Items()->LoadFromStream(&stream);
    TPacketStringList source;
    source.AddStrings(list.Items());
    for (auto _ : state) {
        list.Items()->Assign(&source);
        benchmark::DoNotOptimize(list.Items()->Count());
    }
}
BENCHMARK(CheckListAssign)
    ->Args({1000, 0})
    ->Args({1000, 1})
    ->Args({1000, 2})
    ->Args({1000, 3})
    ->Unit(benchmark::kMillisecond);

void CheckListSave(benchmark::State& state) {
    TSkCheckList list(nullptr);
    TMemoryStream stream;
    stream.SetBytes(SavedLines(int(state.range(0))));
    list.Items()->LoadFromStream(&stream);
    for (auto _ : state) {
        TMemoryStream out;
        list.Items()->SaveToStream(&out);
        benchmark::DoNotOptimize(out.Size());
    }
}
BENCHMARK(CheckListSave)->Arg(10000)->Unit(benchmark::kMillisecond);
}  // namespace
