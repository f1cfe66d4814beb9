#include "core/ClipTextDecoder.h"

#include <cstdint>
#include <cstring>
#include <string>

#include "core/CodePage.h"
#include "core/UnicodeTextItem.h"

namespace {

// The number of code units before the first zero unit of a block of units
// UTF-16 code units (all of them when none is zero).
std::size_t unitsBeforeZero(const unsigned char* bytes, std::size_t units) {
    std::size_t i = 0;
    while (i < units && (bytes[2 * i] | bytes[2 * i + 1]) != 0) ++i;
    return i;
}

}  // namespace

// The block's bytes go into the item as they are (they are already
// UTF-16LE): one copy, whose digest is computed in place.
std::unique_ptr<ClipItem> ClipTextDecoder::fromUnicode(const unsigned char* bytes,
                                                       std::size_t size) {
    if (bytes == nullptr) size = 0;
    std::size_t units = unitsBeforeZero(bytes, size / 2);
    if (units > static_cast<std::size_t>(INT32_MAX / 2)) units = INT32_MAX / 2;
    auto item = std::make_unique<UnicodeTextItem>();
    item->setText(bytes, static_cast<std::int32_t>(units * 2));
    return item;
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
