// Measures UTF-16 text in bytes of narrow text of the ANSI code page, one
// character at a time (a surrogate pair is one character): a character of
// the code page takes the bytes the code page gives it, 1 or 2; a character
// the code page lacks counts 2. A text wholly inside the code page measures
// exactly its narrow length, and the cuts made here fall where a cut of its
// narrow text at the same byte count falls; no character is ever split.
#pragma once

#include <cstddef>
#include <string>

class NarrowMeasure {
public:
    // UTF-16 units of the character at at: 2 for a surrogate pair, else 1.
    static std::size_t characterUnits(const std::u16string& text, std::size_t at);
    // Narrow bytes of the character at at.
    static std::size_t characterBytes(const std::u16string& text, std::size_t at);
    static std::size_t bytes(const std::u16string& text);
    // Units of the longest start of text that takes at most budget bytes.
    static std::size_t prefixUnits(const std::u16string& text, std::size_t budget);
    // True when the code page has every character of text.
    static bool inCodePage(const std::u16string& text);
};
