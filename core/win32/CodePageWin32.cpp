// Code-page conversion on Windows: the system's ANSI code page and UTF-16.
#include "core/CodePage.h"

#include <windows.h>

namespace codepage {

int ansiToUtf16(const char* in, char16_t* out, int outUnits) {
    if (in == nullptr) return 0;
    if (out == nullptr) outUnits = 0;
    if (outUnits < 0) return 0;
    return MultiByteToWideChar(CP_ACP, 0, in, -1, reinterpret_cast<wchar_t*>(out), outUnits);
}

int utf16ToAnsi(const char16_t* in, char* out, int outBytes) {
    if (in == nullptr) return 0;
    if (out == nullptr) outBytes = 0;
    if (outBytes < 0) return 0;
    // No best fit: a character the code page lacks becomes the default
    // character, never a look-alike (À is not à, ² is not 2).
    return WideCharToMultiByte(CP_ACP, WC_NO_BEST_FIT_CHARS, reinterpret_cast<const wchar_t*>(in),
                               -1, out, outBytes, nullptr, nullptr);
}

bool isLeadByte(unsigned char byte) { return IsDBCSLeadByte(byte) != FALSE; }

int ansiCharBytes(const char16_t* character, int units) {
    if (character == nullptr || units < 1 || units > 2) return 0;
    char out[8];
    BOOL usedDefault = FALSE;
    const int bytes = WideCharToMultiByte(CP_ACP, WC_NO_BEST_FIT_CHARS,
                                          reinterpret_cast<const wchar_t*>(character), units, out,
                                          sizeof out, nullptr, &usedDefault);
    return bytes > 0 && usedDefault == FALSE ? bytes : 0;
}

}  // namespace codepage
