#include "core/DropFiles.h"

#include <cstdint>

#include "core/LittleEndian.h"
#include "core/TextCodec.h"

namespace {

constexpr std::size_t OffsetAt = 0;
constexpr std::size_t WideAt = 16;

using Paths = std::vector<std::u16string>;

// Wide paths from at; false when no empty path ends the list.
bool readWide(const unsigned char* bytes, std::size_t length, std::size_t at, Paths& paths) {
    std::u16string path;
    for (; at + 2 <= length; at += 2) {
        const char16_t unit = static_cast<char16_t>(bytes[at] | (bytes[at + 1] << 8));
        if (unit != u'\0') {
            path.push_back(unit);
            continue;
        }
        if (path.empty()) return true;
        paths.push_back(path);
        path.clear();
    }
    return false;
}

// Narrow paths (the ANSI code page) from at; false when unterminated.
bool readNarrow(const unsigned char* bytes, std::size_t length, std::size_t at, Paths& paths) {
    std::string path;
    for (; at < length; ++at) {
        if (bytes[at] != 0) {
            path.push_back(static_cast<char>(bytes[at]));
            continue;
        }
        if (path.empty()) return true;
        paths.push_back(widen(path));
        path.clear();
    }
    return false;
}

}  // namespace

std::optional<Paths> DropFiles::read(const unsigned char* bytes, std::size_t length) {
    if (bytes == nullptr || length < HeaderBytes) return std::nullopt;
    const std::uint32_t offset = static_cast<std::uint32_t>(readInt32LE(bytes + OffsetAt));
    if (offset < HeaderBytes || offset >= length) return std::nullopt;
    const bool wide = readInt32LE(bytes + WideAt) != 0;
    Paths paths;
    const bool ended = wide ? readWide(bytes, length, offset, paths)
                            : readNarrow(bytes, length, offset, paths);
    if (!ended || paths.empty()) return std::nullopt;
    return paths;
}

std::vector<unsigned char> DropFiles::write(const Paths& paths) {
    std::vector<unsigned char> block(HeaderBytes, 0);
    putInt32LE(&block[OffsetAt], static_cast<std::int32_t>(HeaderBytes));
    putInt32LE(&block[WideAt], 1);
    for (const std::u16string& path : paths) {
        for (const char16_t unit : path) {
            block.push_back(static_cast<unsigned char>(unit & 0xFF));
            block.push_back(static_cast<unsigned char>(unit >> 8));
        }
        block.insert(block.end(), 2, 0);
    }
    block.insert(block.end(), 2, 0);
    return block;
}
