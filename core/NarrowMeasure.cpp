#include "core/NarrowMeasure.h"

#include "core/CodePage.h"

namespace {

// Bytes a character the code page lacks is counted as.
constexpr std::size_t ForeignBytes = 2;

bool isHighSurrogate(char16_t unit) { return unit >= 0xD800 && unit <= 0xDBFF; }
bool isLowSurrogate(char16_t unit) { return unit >= 0xDC00 && unit <= 0xDFFF; }

// The code page's bytes for the character at at; 0 when it lacks it.
int codePageBytes(const std::u16string& text, std::size_t at) {
    // ASCII is one byte in every code page the program runs with.
    if (text[at] < 0x80) return 1;
    const int units = static_cast<int>(NarrowMeasure::characterUnits(text, at));
    return codepage::ansiCharBytes(&text[at], units);
}

}  // namespace

std::size_t NarrowMeasure::characterUnits(const std::u16string& text, std::size_t at) {
    const bool pair = at + 1 < text.size() && isHighSurrogate(text[at]) &&
                      isLowSurrogate(text[at + 1]);
    return pair ? 2 : 1;
}

std::size_t NarrowMeasure::characterBytes(const std::u16string& text, std::size_t at) {
    const int bytes = codePageBytes(text, at);
    return bytes > 0 ? static_cast<std::size_t>(bytes) : ForeignBytes;
}

std::size_t NarrowMeasure::bytes(const std::u16string& text) {
    std::size_t total = 0;
    for (std::size_t at = 0; at < text.size(); at += characterUnits(text, at)) {
        total += characterBytes(text, at);
    }
    return total;
}

std::size_t NarrowMeasure::prefixUnits(const std::u16string& text, std::size_t budget) {
    std::size_t at = 0;
    std::size_t used = 0;
    while (at < text.size()) {
        const std::size_t bytes = characterBytes(text, at);
        if (used + bytes > budget) break;
        used += bytes;
        at += characterUnits(text, at);
    }
    return at;
}

bool NarrowMeasure::inCodePage(const std::u16string& text) {
    for (std::size_t at = 0; at < text.size(); at += characterUnits(text, at)) {
        if (codePageBytes(text, at) == 0) return false;
    }
    return true;
}
