// Adding a captured text to a full active list of 100, 1,000 and 10,000
// items: a text already in the list (its copy at the bottom, the farthest
// the search for it goes), and a new text (the search goes through the
// whole list, then the bottom item makes room). The items are made before
// the clock runs.
#include <benchmark/benchmark.h>

#include <algorithm>

#include "bench/BenchData.h"
#include "core/UnicodeTextItem.h"

namespace {

constexpr std::size_t TextUnits = 64;
constexpr int Batch = 256;

void addToFullList(benchmark::State& state, bool duplicate) {
    const int size = static_cast<int>(state.range(0));
    bench::FixedCapacity capacity(size);
    ItemStore store(0, capacity, capacity);
    bench::fill(store, size, TextUnits, 0);

    std::vector<std::unique_ptr<ClipItem>> ready;
    unsigned nextSeed = static_cast<unsigned>(size);
    // A duplicate of the bottom item moves it to the top, so the bottom
    // walks up the list: position size - 1 - k holds seed size - 1 - k.
    int nextBottom = size - 1;
    for (auto _ : state) {
        if (ready.empty()) {
            state.PauseTiming();
            for (int i = 0; i < Batch; ++i) {
                unsigned seed = 0;
                if (duplicate) {
                    seed = static_cast<unsigned>(nextBottom);
                    nextBottom = nextBottom == 0 ? size - 1 : nextBottom - 1;
                } else {
                    seed = nextSeed++;
                }
                ready.push_back(std::make_unique<UnicodeTextItem>(bench::mixedText(TextUnits, seed)));
            }
            std::reverse(ready.begin(), ready.end());
            state.ResumeTiming();
        }
        store.add(std::move(ready.back()), 1);
        ready.pop_back();
    }
    if (store.count() != size) state.SkipWithError("the list did not stay full");
}

void addDuplicate(benchmark::State& state) { addToFullList(state, true); }
void addNew(benchmark::State& state) { addToFullList(state, false); }

}  // namespace

BENCHMARK(addDuplicate)->Name("StoreAdd/DuplicateAtBottom")->Arg(100)->Arg(1000)->Arg(10000);
BENCHMARK(addNew)->Name("StoreAdd/NewText")->Arg(100)->Arg(1000)->Arg(10000);
