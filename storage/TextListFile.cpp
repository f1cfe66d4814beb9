#include "storage/TextListFile.h"

#include <cstdio>
#include <memory>

#include "core/TextListCodec.h"
#include "storage/AtomicFile.h"

namespace {

struct FileCloser {
    void operator()(std::FILE* file) const { std::fclose(file); }
};
using File = std::unique_ptr<std::FILE, FileCloser>;

}  // namespace

TextListFile::Result TextListFile::read(const std::string& path,
                                        std::vector<std::string>& entries) {
    File file(std::fopen(path.c_str(), "rb"));
    if (!file) return OpenFailed;
    std::string bytes;
    char chunk[4096];
    for (;;) {
        const std::size_t got = std::fread(chunk, 1, sizeof chunk, file.get());
        bytes.append(chunk, got);
        if (got < sizeof chunk) break;
    }
    if (std::ferror(file.get()) != 0) return ReadFailed;
    entries = TextListCodec::decode(bytes);
    return Ok;
}

TextListFile::Result TextListFile::write(const std::string& path,
                                         const std::vector<std::string>& entries) {
    const std::string bytes = TextListCodec::encode(entries);
    switch (AtomicFile::write(path, bytes.data(), bytes.size())) {
    case AtomicFile::Ok:
        return Ok;
    case AtomicFile::OpenFailed:
        return OpenFailed;
    default:
        return WriteFailed;
    }
}
