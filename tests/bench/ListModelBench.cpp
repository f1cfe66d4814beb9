// What the windows build from the stores: the quick-paste menu's entries
// (100 favorites and 100 active texts) and the rows of a 100-item list view
// (the filter by the search keyword, then every cell's text), for texts of
// 1 KB and of 100 KB.
#include <benchmark/benchmark.h>

#include "bench/BenchData.h"
#include "core/ClipItem.h"
#include "core/ItemColumns.h"
#include "core/QuickPasteMenuModel.h"

namespace {

constexpr int Items = 100;

void quickPasteMenu(benchmark::State& state) {
    bench::FixedCapacity capacity(Items);
    ItemStore favorites(1, capacity, capacity);
    ItemStore active(0, capacity, capacity);
    const std::size_t units = static_cast<std::size_t>(state.range(0)) / 2;
    bench::fill(favorites, Items, units, 0);
    bench::fill(active, Items, units, 1000);
    for (auto _ : state) {
        std::vector<QuickPasteEntry> entries = QuickPasteMenuModel::build(favorites, active, 3);
        benchmark::DoNotOptimize(entries.data());
    }
}

// The rows a list view shows after its store changed: the items that match
// the keyword, each with the text of every column.
void listRows(benchmark::State& state, const char* keyword) {
    bench::FixedCapacity capacity(Items);
    ItemStore active(0, capacity, capacity);
    bench::fill(active, Items, static_cast<std::size_t>(state.range(0)) / 2, 0);
    active.setSearchText(keyword);
    const ItemColumns columns(0);
    for (auto _ : state) {
        std::vector<std::u16string> cells;
        int shown = 0;
        for (const ClipItem* item : active.snapshot()) {
            if (item->matchesWide(active.searchText()) != 1) continue;
            ++shown;
            for (int c = 0; c < columns.count(); ++c) cells.push_back(columns.cellText(c, *item, shown));
        }
        benchmark::DoNotOptimize(cells.data());
    }
}

void listRowsUnfiltered(benchmark::State& state) { listRows(state, ""); }
// A keyword that no text holds: every text is searched to its end.
void listRowsSearched(benchmark::State& state) { listRows(state, "missing"); }

}  // namespace

BENCHMARK(quickPasteMenu)->Name("QuickPasteMenu/Build")->Arg(1 << 10)->Arg(100 << 10)->Unit(benchmark::kMicrosecond);
BENCHMARK(listRowsUnfiltered)->Name("ListRows/All")->Arg(1 << 10)->Arg(100 << 10)->Unit(benchmark::kMicrosecond);
BENCHMARK(listRowsSearched)->Name("ListRows/Searched")->Arg(1 << 10)->Arg(100 << 10)->Unit(benchmark::kMicrosecond);
