// Narrow text in the ANSI code page <-> UTF-16. Both directions use the same
// code page, so that a text converted one way converts back unchanged.
#include "core/TextCodec.h"

#include "core/CodePage.h"

int toWide(const char* narrow, char16_t* out, int capacity) {
    if (narrow == nullptr || out == nullptr) return 0;
    int needed = codepage::ansiToUtf16(narrow, nullptr, 0);
    if (needed <= 0 || capacity < needed) return 0;
    return codepage::ansiToUtf16(narrow, out, capacity) > 0 ? 1 : 0;
}

int toNarrow(const char16_t* wide, char* out, int capacity) {
    if (wide == nullptr || out == nullptr) return 0;
    int needed = codepage::utf16ToAnsi(wide, nullptr, 0);
    if (needed <= 0 || capacity < needed) return 0;
    return codepage::utf16ToAnsi(wide, out, capacity) > 0 ? 1 : 0;
}

std::u16string widen(const std::string& narrow) {
    int needed = codepage::ansiToUtf16(narrow.c_str(), nullptr, 0);
    if (needed <= 0) return std::u16string();
    std::u16string wide(static_cast<std::size_t>(needed), u'\0');
    if (toWide(narrow.c_str(), &wide[0], needed) == 0) return std::u16string();
    wide.resize(static_cast<std::size_t>(needed - 1));
    return wide;
}

std::string narrow(const std::u16string& wide) {
    int needed = codepage::utf16ToAnsi(wide.c_str(), nullptr, 0);
    if (needed <= 0) return std::string();
    std::string text(static_cast<std::size_t>(needed), '\0');
    if (toNarrow(wide.c_str(), &text[0], needed) == 0) return std::string();
    text.resize(static_cast<std::size_t>(needed - 1));
    return text;
}
