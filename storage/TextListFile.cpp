#include "storage/TextListFile.h"

#include <cstdio>
#include <memory>
#include <new>

#include "core/TextListCodec.h"
#include "storage/AtomicFile.h"

namespace {

struct FileCloser {
    void operator()(std::FILE* file) const { std::fclose(file); }
};
using File = std::unique_ptr<std::FILE, FileCloser>;

constexpr std::size_t ChunkSize = 64 * 1024;

}  // namespace

TextListFile::Result TextListFile::read(const std::string& path,
                                        const TextListReader::EntrySink& sink) {
    File file(std::fopen(path.c_str(), "rb"));
    if (!file) return OpenFailed;
    try {
        TextListReader reader(sink);
        std::unique_ptr<char[]> chunk(new char[ChunkSize]);
        for (;;) {
            const std::size_t got = std::fread(chunk.get(), 1, ChunkSize, file.get());
            if (!reader.feed(chunk.get(), got)) return Ok;
            if (got < ChunkSize) break;
        }
        if (std::ferror(file.get()) != 0) return ReadFailed;
        reader.finish();
    } catch (const std::bad_alloc&) {
        return NoMemory;
    }
    return Ok;
}

TextListFile::Result TextListFile::write(const std::string& path,
                                         const std::vector<std::u16string>& texts) {
    const std::string bytes = TextListCodec::encodeTexts(texts);
    switch (AtomicFile::write(path, bytes.data(), bytes.size())) {
    case AtomicFile::Ok:
        return Ok;
    case AtomicFile::OpenFailed:
        return OpenFailed;
    default:
        return WriteFailed;
    }
}
