// Writing and reading poolfile.bin full of items (100 favorites and 100
// active texts of 1 KB; 10 active texts of 1 MB), against writing and
// reading the same bytes raw: the raw write goes through the same safe
// replacement (temporary file, flushed to disk, renamed over the target),
// and, for comparison, without the flush and the rename.
#include <benchmark/benchmark.h>

#include <unistd.h>

#include <algorithm>
#include <cstdio>
#include <filesystem>
#include <string>

#include "bench/BenchData.h"
#include "core/ItemStore.h"
#include "storage/StoreFile.h"

namespace {

struct PoolContent {
    int favorites;
    int active;
    std::size_t textUnits;
};

// Arg 0: 100 + 100 items of 1 KB; arg 1: 10 items of 1 MB; arg 2: a full
// active list of 10,000 items of 64 bytes.
PoolContent contentOf(std::int64_t which) {
    if (which == 2) return PoolContent{0, 10000, 32};
    return which == 0 ? PoolContent{100, 100, 512} : PoolContent{0, 10, 512 * 1024};
}

class PoolFixture {
public:
    explicit PoolFixture(std::int64_t which)
        : capacity_(std::max(100, contentOf(which).active)),
          favorites_(1, capacity_, capacity_),
          active_(0, capacity_, capacity_),
          folder_(std::filesystem::temp_directory_path() /
                  ("qb-bench-" + std::to_string(::getpid()))),
          file_(folder_.string(), capacity_) {
        std::filesystem::create_directories(folder_);
        const PoolContent content = contentOf(which);
        bench::fill(favorites_, content.favorites, content.textUnits, 1);
        bench::fill(active_, content.active, content.textUnits, 1000);
        bytes_.resize(static_cast<std::size_t>(favorites_.serializedSize() + active_.serializedSize()));
        favorites_.serialize(bytes_.data());
        active_.serialize(bytes_.data() + favorites_.serializedSize());
    }
    ~PoolFixture() {
        std::error_code ignored;
        std::filesystem::remove_all(folder_, ignored);
    }

    StoreFile& file() { return file_; }
    ItemStore& favorites() { return favorites_; }
    ItemStore& active() { return active_; }
    const std::vector<unsigned char>& bytes() const { return bytes_; }
    std::string path(const char* name) const { return (folder_ / name).string(); }
    bench::FixedCapacity& capacity() { return capacity_; }

private:
    bench::FixedCapacity capacity_;
    ItemStore favorites_;
    ItemStore active_;
    std::filesystem::path folder_;
    StoreFile file_;
    std::vector<unsigned char> bytes_;
};

void setBytes(benchmark::State& state, const PoolFixture& pool) {
    state.SetBytesProcessed(state.iterations() * static_cast<std::int64_t>(pool.bytes().size()));
}

void saveAll(benchmark::State& state) {
    PoolFixture pool(state.range(0));
    for (auto _ : state) {
        if (pool.file().saveAll(&pool.favorites(), &pool.active(), StoreFile::PoolFileName) != 0) {
            state.SkipWithError("saveAll failed");
            break;
        }
    }
    setBytes(state, pool);
}

// The same bytes, already in memory, written with the same safe replacement.
void rawSafeWrite(benchmark::State& state) {
    PoolFixture pool(state.range(0));
    const std::string target = pool.path("raw.bin");
    const std::string temporary = target + ".tmp";
    for (auto _ : state) {
        std::FILE* out = std::fopen(temporary.c_str(), "wb");
        if (out == nullptr) {
            state.SkipWithError("cannot write");
            break;
        }
        std::fwrite(pool.bytes().data(), 1, pool.bytes().size(), out);
        std::fflush(out);
        ::fsync(::fileno(out));
        std::fclose(out);
        std::rename(temporary.c_str(), target.c_str());
    }
    setBytes(state, pool);
}

void rawPlainWrite(benchmark::State& state) {
    PoolFixture pool(state.range(0));
    const std::string target = pool.path("raw.bin");
    for (auto _ : state) {
        std::FILE* out = std::fopen(target.c_str(), "wb");
        if (out == nullptr) {
            state.SkipWithError("cannot write");
            break;
        }
        std::fwrite(pool.bytes().data(), 1, pool.bytes().size(), out);
        std::fclose(out);
    }
    setBytes(state, pool);
}

void loadAll(benchmark::State& state) {
    PoolFixture pool(state.range(0));
    pool.file().saveAll(&pool.favorites(), &pool.active(), StoreFile::PoolFileName);
    for (auto _ : state) {
        ItemStore favorites(1, pool.capacity(), pool.capacity());
        ItemStore active(0, pool.capacity(), pool.capacity());
        if (pool.file().loadAll(&favorites, &active, StoreFile::PoolFileName) != 0) {
            state.SkipWithError("loadAll failed");
            break;
        }
        benchmark::DoNotOptimize(active.itemAt(0));
        // Destroying the stores is not part of the read.
        state.PauseTiming();
        favorites.clear();
        active.clear();
        state.ResumeTiming();
    }
    setBytes(state, pool);
}

void rawRead(benchmark::State& state) {
    PoolFixture pool(state.range(0));
    pool.file().saveAll(&pool.favorites(), &pool.active(), StoreFile::PoolFileName);
    const std::string path = pool.path(StoreFile::PoolFileName);
    for (auto _ : state) {
        std::FILE* in = std::fopen(path.c_str(), "rb");
        if (in == nullptr) {
            state.SkipWithError("cannot read");
            break;
        }
        std::fseek(in, 0, SEEK_END);
        const long size = std::ftell(in);
        std::fseek(in, 0, SEEK_SET);
        std::unique_ptr<unsigned char[]> bytes(new unsigned char[static_cast<std::size_t>(size)]);
        benchmark::DoNotOptimize(std::fread(bytes.get(), 1, static_cast<std::size_t>(size), in));
        std::fclose(in);
        bytes.reset();
        // As often as the read of the stores stops its clock.
        state.PauseTiming();
        state.ResumeTiming();
    }
    setBytes(state, pool);
}

}  // namespace

BENCHMARK(saveAll)->Name("PoolFile/Write")->Arg(0)->Arg(1)->Unit(benchmark::kMillisecond);
BENCHMARK(rawSafeWrite)->Name("PoolFile/RawSafeWrite")->Arg(0)->Arg(1)->Unit(benchmark::kMillisecond);
BENCHMARK(rawPlainWrite)->Name("PoolFile/RawPlainWrite")->Arg(0)->Arg(1)->Unit(benchmark::kMillisecond);
BENCHMARK(loadAll)->Name("PoolFile/Read")->Arg(0)->Arg(1)->Arg(2)->Unit(benchmark::kMillisecond);
BENCHMARK(rawRead)->Name("PoolFile/RawRead")->Arg(0)->Arg(1)->Arg(2)->Unit(benchmark::kMillisecond);
