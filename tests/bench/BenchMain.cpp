// Runs the benchmarks and prints, after Google Benchmark's own report, the
// ratio of each figure to its reference with its goal. Exit status 0 when
// every goal that was run was met, 1 otherwise.
#include <benchmark/benchmark.h>

#include "bench/RatioReporter.h"

namespace {

std::vector<RatioReporter::Ratio> ratios() {
    return {
        {"MD5 of 16 KB / OpenSSL", "Md5/Quillbox/16384", "Md5/OpenSSL/16384", 1.3},
        {"MD5 of 16 MB / OpenSSL", "Md5/Quillbox/16777216", "Md5/OpenSSL/16777216", 1.3},

        {"poolfile.bin 100+100 x 1 KB write / raw safe write", "PoolFile/Write/0", "PoolFile/RawSafeWrite/0", 1.5},
        {"poolfile.bin 10 x 1 MB write / raw safe write", "PoolFile/Write/1", "PoolFile/RawSafeWrite/1", 1.5},
        {"poolfile.bin 100+100 x 1 KB write / raw plain write", "PoolFile/Write/0", "PoolFile/RawPlainWrite/0", 0},
        {"poolfile.bin 10 x 1 MB write / raw plain write", "PoolFile/Write/1", "PoolFile/RawPlainWrite/1", 0},
        {"poolfile.bin 100+100 x 1 KB read / raw read", "PoolFile/Read/0", "PoolFile/RawRead/0", 1.5},
        {"poolfile.bin 10 x 1 MB read / raw read", "PoolFile/Read/1", "PoolFile/RawRead/1", 1.5},
        {"poolfile.bin 10,000 x 64 B read / raw read", "PoolFile/Read/2", "PoolFile/RawRead/2", 0},

        {"add duplicate to full list: 1,000 / 100 items", "StoreAdd/DuplicateAtBottom/1000", "StoreAdd/DuplicateAtBottom/100", 0},
        {"add duplicate to full list: 10,000 / 100 items", "StoreAdd/DuplicateAtBottom/10000", "StoreAdd/DuplicateAtBottom/100", 0},
        {"add new text to full list: 1,000 / 100 items", "StoreAdd/NewText/1000", "StoreAdd/NewText/100", 0},
        {"add new text to full list: 10,000 / 100 items", "StoreAdd/NewText/10000", "StoreAdd/NewText/100", 0},

        {"capture 10 MB text / MD5 of its bytes", "Capture/Item/10485760", "Capture/Md5Only/10485760", 3.0},
        {"capture 1 MB text / MD5 of its bytes", "Capture/Item/1048576", "Capture/Md5Only/1048576", 0},
        {"capture 100 KB text / MD5 of its bytes", "Capture/Item/102400", "Capture/Md5Only/102400", 0},
        {"capture 1 KB text / MD5 of its bytes", "Capture/Item/1024", "Capture/Md5Only/1024", 0},

        {"quick-paste menu 100+100 items: 100 KB / 1 KB texts", "QuickPasteMenu/Build/102400", "QuickPasteMenu/Build/1024", 0},
        {"list rows 100 items: 100 KB / 1 KB texts", "ListRows/All/102400", "ListRows/All/1024", 0},
        {"list rows 100 items searched: 100 KB / 1 KB texts", "ListRows/Searched/102400", "ListRows/Searched/1024", 0},
    };
}

std::vector<RatioReporter::CounterGoal> counterGoals() {
    return {
        {"capture 100 MB text: peak memory / text size", "Capture/PeakMemory/104857600/iterations:1",
         "peak_per_text_byte", 3.0},
        {"capture 100 MB text: memory kept / text size", "Capture/PeakMemory/104857600/iterations:1",
         "kept_per_text_byte", 0},
    };
}

}  // namespace

int main(int argc, char** argv) {
    benchmark::Initialize(&argc, argv);
    if (benchmark::ReportUnrecognizedArguments(argc, argv)) return 2;
    RatioReporter reporter(ratios(), counterGoals());
    benchmark::RunSpecifiedBenchmarks(&reporter);
    benchmark::Shutdown();
    return reporter.allGoalsMet() ? 0 : 1;
}
