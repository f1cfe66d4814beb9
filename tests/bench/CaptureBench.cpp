// Capturing a copied text: a clipboard block of UTF-16 text in, a clip item
// with its digest and its summary out, against the MD5 of the same bytes
// alone. And the memory a capture of a 100 MB text takes at its peak.
#include <benchmark/benchmark.h>

#include "bench/BenchData.h"
#include "bench/HeapMeter.h"
#include "core/ClipItem.h"
#include "core/ClipTextDecoder.h"
#include "core/Md5.h"

namespace {

// The block of a text of the given size in bytes, made once per size.
const std::vector<unsigned char>& blockOf(std::int64_t textBytes) {
    static std::int64_t madeFor = -1;
    static std::vector<unsigned char> block;
    if (madeFor != textBytes) {
        block.clear();
        block.shrink_to_fit();
        block = bench::clipboardBlock(bench::mixedText(static_cast<std::size_t>(textBytes / 2), 7));
        madeFor = textBytes;
    }
    return block;
}

void capture(benchmark::State& state) {
    const std::vector<unsigned char>& block = blockOf(state.range(0));
    for (auto _ : state) {
        std::unique_ptr<ClipItem> item = ClipTextDecoder::fromUnicode(block.data(), block.size());
        std::u16string summary = item->wideSummary();
        benchmark::DoNotOptimize(summary.data());
        benchmark::DoNotOptimize(item->digest());
    }
}

void digestOnly(benchmark::State& state) {
    const std::vector<unsigned char>& block = blockOf(state.range(0));
    const std::uint32_t textBytes = static_cast<std::uint32_t>(block.size() - 2);
    unsigned char digest[16];
    for (auto _ : state) {
        MD5_CTX context;
        MD5Init(&context);
        MD5Update(&context, block.data(), textBytes);
        MD5Final(digest, &context);
        benchmark::DoNotOptimize(digest);
    }
}

// Peak memory of one capture: the clipboard block (which the capture is
// handed) plus the most the capture itself holds at once, as a multiple of
// the text's size; and what the finished item keeps.
void capturePeak(benchmark::State& state) {
    const std::vector<unsigned char>& block = blockOf(state.range(0));
    const double textBytes = static_cast<double>(block.size() - 2);
    double peakRatio = 0;
    double keptRatio = 0;
    for (auto _ : state) {
        const std::size_t before = HeapMeter::live();
        HeapMeter::resetPeak();
        std::unique_ptr<ClipItem> item = ClipTextDecoder::fromUnicode(block.data(), block.size());
        std::u16string summary = item->wideSummary();
        benchmark::DoNotOptimize(summary.data());
        peakRatio = (static_cast<double>(block.size()) + static_cast<double>(HeapMeter::peak() - before)) /
                    textBytes;
        keptRatio = static_cast<double>(HeapMeter::live() - before) / textBytes;
    }
    state.counters["peak_per_text_byte"] = peakRatio;
    state.counters["kept_per_text_byte"] = keptRatio;
}

}  // namespace

BENCHMARK(capture)->Name("Capture/Item")->Arg(10 << 20)->Unit(benchmark::kMillisecond);
BENCHMARK(digestOnly)->Name("Capture/Md5Only")->Arg(10 << 20)->Unit(benchmark::kMillisecond);
BENCHMARK(capture)->Name("Capture/Item")->Arg(1 << 10)->Arg(100 << 10)->Arg(1 << 20)->Unit(benchmark::kMicrosecond);
BENCHMARK(digestOnly)->Name("Capture/Md5Only")->Arg(1 << 10)->Arg(100 << 10)->Arg(1 << 20)->Unit(benchmark::kMicrosecond);
BENCHMARK(capturePeak)->Name("Capture/PeakMemory")->Arg(100 << 20)->Iterations(1)->Unit(benchmark::kMillisecond);
