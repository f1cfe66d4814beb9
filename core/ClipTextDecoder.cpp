#include "core/ClipTextDecoder.h"

#include <cstring>
#include <string>

#include "core/CodePage.h"
#include "core/UnicodeTextItem.h"

std::unique_ptr<ClipItem> ClipTextDecoder::fromUnicode(const unsigned char* bytes,
                                                       std::size_t size) {
    if (bytes == nullptr) size = 0;
    const std::size_t units = size / 2;
    std::u16string text;
    text.reserve(units);
    for (std::size_t i = 0; i < units; ++i) {
        const char16_t unit = static_cast<char16_t>(bytes[2 * i] | (bytes[2 * i + 1] << 8));
        if (unit == u'\0') break;
        text.push_back(unit);
    }
    return std::make_unique<UnicodeTextItem>(text);
}

std::unique_ptr<ClipItem> ClipTextDecoder::fromAnsi(const char* bytes, std::size_t size) {
    if (bytes == nullptr) size = 0;
    const void* end = size > 0 ? std::memchr(bytes, '\0', size) : nullptr;
    const std::size_t length =
        end != nullptr ? static_cast<std::size_t>(static_cast<const char*>(end) - bytes) : size;
    const std::string narrowText(bytes != nullptr ? bytes : "", length);
    const int units = codepage::ansiToUtf16(narrowText.c_str(), nullptr, 0);
    if (units <= 0) return nullptr;
    std::u16string wide(static_cast<std::size_t>(units), u'\0');
    if (codepage::ansiToUtf16(narrowText.c_str(), &wide[0], units) <= 0) return nullptr;
    wide.resize(static_cast<std::size_t>(units - 1));
    return std::make_unique<UnicodeTextItem>(wide);
}
