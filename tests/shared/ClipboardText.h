// Puts a text on the clipboard as CF_UNICODETEXT, for the test programs
// that play the part of another application copying text.
#pragma once

#include <windows.h>

#include <cstddef>
#include <cstring>

// With the clipboard open: empties it and sets count code units of text
// (terminated here); false when the block could not be made or set.
inline bool setClipboardUnicodeText(const wchar_t* text, std::size_t count) {
    HGLOBAL block = GlobalAlloc(GMEM_MOVEABLE, (count + 1) * sizeof(wchar_t));
    if (block == nullptr) return false;
    auto* to = static_cast<wchar_t*>(GlobalLock(block));
    std::memcpy(to, text, count * sizeof(wchar_t));
    to[count] = L'\0';
    GlobalUnlock(block);
    EmptyClipboard();
    if (SetClipboardData(CF_UNICODETEXT, block) != nullptr) return true;
    GlobalFree(block);
    return false;
}
