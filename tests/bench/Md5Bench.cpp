// MD5 of 16 KB and 16 MB buffers: the program's MD5 (the exported
// functions, as the clip item calls them) against OpenSSL's.
#include <benchmark/benchmark.h>

#include "bench/BenchData.h"
#include "bench/OpenSslMd5.h"
#include "core/Md5.h"

namespace {

void quillboxMd5(benchmark::State& state) {
    const std::vector<unsigned char> data = bench::patternBytes(static_cast<std::size_t>(state.range(0)));
    unsigned char digest[16];
    for (auto _ : state) {
        MD5_CTX context;
        MD5Init(&context);
        MD5Update(&context, data.data(), static_cast<std::uint32_t>(data.size()));
        MD5Final(digest, &context);
        benchmark::DoNotOptimize(digest);
    }
    state.SetBytesProcessed(state.iterations() * state.range(0));
}

void opensslMd5(benchmark::State& state) {
    const std::vector<unsigned char> data = bench::patternBytes(static_cast<std::size_t>(state.range(0)));
    OpenSslMd5 md5;
    unsigned char digest[16];
    for (auto _ : state) {
        if (!md5.digest(data.data(), data.size(), digest)) {
            state.SkipWithError("OpenSSL's MD5 is not available");
            break;
        }
        benchmark::DoNotOptimize(digest);
    }
    state.SetBytesProcessed(state.iterations() * state.range(0));
}

}  // namespace

BENCHMARK(quillboxMd5)->Name("Md5/Quillbox")->Arg(16 << 10)->Arg(16 << 20)->Unit(benchmark::kMicrosecond);
BENCHMARK(opensslMd5)->Name("Md5/OpenSSL")->Arg(16 << 10)->Arg(16 << 20)->Unit(benchmark::kMicrosecond);
