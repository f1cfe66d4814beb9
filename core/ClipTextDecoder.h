// Turns the bytes of a clipboard or dropped text block into a clip item.
// A block is read only within its size: the text ends at the first zero
// character or at the end of the block, whichever comes first. Nothing is
// trimmed and an empty text gives an item of length zero.
#pragma once

#include <cstddef>
#include <memory>

class ClipItem;

class ClipTextDecoder {
public:
    // A Unicode text block: UTF-16LE code units (an odd last byte is
    // ignored).
    static std::unique_ptr<ClipItem> fromUnicode(const unsigned char* bytes, std::size_t size);
    // An 8-bit text block in the ANSI code page, converted to UTF-16; none
    // when the conversion refuses.
    static std::unique_ptr<ClipItem> fromAnsi(const char* bytes, std::size_t size);
};
