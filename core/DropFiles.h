// Reads the paths of a DROPFILES block (a 20-byte header whose first field
// is the offset of the list, then zero-terminated paths ending with an
// empty one; wide or narrow as the header's fWide says) without trusting
// the offset: never reads past the bytes given. Writes one with wide paths.
#pragma once

#include <cstddef>
#include <optional>
#include <string>
#include <vector>

class DropFiles {
public:
    static constexpr std::size_t HeaderBytes = 20;

    // The paths as UTF-16, or nothing when the offset points outside the
    // bytes or into the header, or the list is unterminated or empty.
    static std::optional<std::vector<std::u16string>> read(const unsigned char* bytes,
                                                            std::size_t length);
    // A block of the paths, wide, the list right after the header; no point,
    // not in a non-client area.
    static std::vector<unsigned char> write(const std::vector<std::u16string>& paths);
};
