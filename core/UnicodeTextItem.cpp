#include "core/UnicodeTextItem.h"

#include <algorithm>
#include <cstring>
#include <vector>

#include "core/Clipboard.h"
#include "core/CodePage.h"
#include "core/TextCodec.h"

namespace {

// Bytes of narrow text the summary column shows before "...".
constexpr std::size_t SummaryBytes = 35;

// The longest prefix of at most limit bytes that ends on a character
// boundary of the double-byte code page.
std::size_t cutLength(const std::string& text, std::size_t limit) {
    std::size_t at = 0;
    while (at < limit && at < text.size()) {
        const unsigned char byte = static_cast<unsigned char>(text[at]);
        const std::size_t step = codepage::isLeadByte(byte) ? 2 : 1;
        if (at + step > limit) break;
        at += step;
    }
    return at;
}

std::vector<unsigned char> toLittleEndianBytes(const std::u16string& text) {
    std::vector<unsigned char> bytes(text.size() * 2);
    for (std::size_t i = 0; i < text.size(); ++i) {
        bytes[2 * i] = static_cast<unsigned char>(text[i] & 0xFF);
        bytes[2 * i + 1] = static_cast<unsigned char>((text[i] >> 8) & 0xFF);
    }
    return bytes;
}

}  // namespace

UnicodeTextItem::UnicodeTextItem() { setFormat(FormatUnicodeText); }

UnicodeTextItem::UnicodeTextItem(const char16_t* text)
    : UnicodeTextItem(text != nullptr ? std::u16string(text) : std::u16string()) {}

UnicodeTextItem::UnicodeTextItem(const std::u16string& text) {
    setFormat(FormatUnicodeText);
    const std::vector<unsigned char> bytes = toLittleEndianBytes(text);
    setText(bytes.data(), static_cast<std::int32_t>(bytes.size()));
}

std::string UnicodeTextItem::narrowText() const {
    const std::u16string wide = wideText();
    // Every UTF-16 unit becomes at most two bytes of the code page.
    const int capacity = byteLength() + 2;
    std::vector<char> out(static_cast<std::size_t>(capacity), '\0');
    if (toNarrow(wide.c_str(), out.data(), capacity) == 0) return std::string();
    const auto end = std::find(out.begin(), out.end(), '\0');
    return std::string(out.begin(), end);
}

std::string UnicodeTextItem::summary() const {
    const std::string text = narrowText();
    if (text.size() < SummaryBytes) return text;
    return text.substr(0, cutLength(text, SummaryBytes)) + "...";
}

int UnicodeTextItem::charCount() const { return storedCharCount(); }

int UnicodeTextItem::putOnClipboard(Clipboard& clipboard) const {
    static const unsigned char noText = 0;
    const unsigned char* bytes = text() != nullptr ? text() : &noText;
    // A refusing clipboard is not reported: the paste simply finds the
    // previous content.
    clipboard.putUnicodeText(bytes, static_cast<std::size_t>(byteLength()));
    return 0;
}

int UnicodeTextItem::matches(const char* keyword) const {
    if (keyword == nullptr || keyword[0] == '\0') return 1;
    const std::size_t length = std::strlen(keyword);
    std::vector<char16_t> wide(length + 1, u'\0');
    if (toWide(keyword, wide.data(), static_cast<int>(wide.size())) == 0) return 0;
    const auto end = std::find(wide.begin(), wide.end(), u'\0');
    const std::u16string needle(wide.begin(), end);
    return wideText().find(needle) != std::u16string::npos ? 1 : 0;
}
