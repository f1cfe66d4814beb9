#include "core/UnicodeTextItem.h"

#include <algorithm>
#include <climits>
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

// The UTF-16 text (up to its first zero unit) as narrow text; "" when the
// conversion refuses. Every code unit becomes at most two bytes of the code
// page.
std::string narrowOf(const std::u16string& wide) {
    const long long capacity = 2 * static_cast<long long>(wide.size()) + 2;
    if (capacity > INT_MAX) return std::string();
    std::string out(static_cast<std::size_t>(capacity), '\0');
    if (toNarrow(wide.c_str(), &out[0], static_cast<int>(capacity)) == 0) return std::string();
    out.resize(std::strlen(out.c_str()));
    return out;
}

// True when needle occurs in the first units code units of the UTF-16LE
// bytes. Searched in place, without a copy of the text: memchr finds the
// candidates by the low byte of the needle's first unit.
bool findUnits(const unsigned char* bytes, std::int32_t units, const std::u16string& needle) {
    const std::size_t m = needle.size();
    if (m == 0) return true;
    if (bytes == nullptr || units < 0 || static_cast<std::size_t>(units) < m) return false;
    const std::size_t lastStart = static_cast<std::size_t>(units) - m;
    const unsigned char low = static_cast<unsigned char>(needle[0] & 0xFF);
    const unsigned char* const end = bytes + 2 * lastStart + 1;
    for (const unsigned char* p = bytes; p < end;) {
        const void* hit = std::memchr(p, low, static_cast<std::size_t>(end - p));
        if (hit == nullptr) return false;
        const std::size_t offset = static_cast<std::size_t>(static_cast<const unsigned char*>(hit) - bytes);
        p = bytes + offset + 1;
        if (offset % 2 != 0) continue;
        std::size_t k = 0;
        while (k < m && (bytes[offset + 2 * k] | (bytes[offset + 2 * k + 1] << 8)) == needle[k]) ++k;
        if (k == m) return true;
    }
    return false;
}

}  // namespace

UnicodeTextItem::UnicodeTextItem() { setFormat(FormatUnicodeText); }

UnicodeTextItem::UnicodeTextItem(const char16_t* text)
    : UnicodeTextItem(text != nullptr ? std::u16string(text) : std::u16string()) {}

UnicodeTextItem::UnicodeTextItem(const std::u16string& text) {
    setFormat(FormatUnicodeText);
    setWideText(text.data(), text.size());
}

std::string UnicodeTextItem::narrowText() const { return narrowOf(wideText()); }

// Only the head of the text is converted, however long the text: each code
// point gives at least one byte of narrow text, so twice as many code units
// as the summary has bytes are enough to know its first 35 bytes and
// whether there are more.
std::string UnicodeTextItem::summary() const {
    std::size_t headUnits = 2 * SummaryBytes;
    bool whole = false;
    std::string text = narrowOf(wideTextHead(headUnits, &whole));
    while (!whole && text.size() < SummaryBytes) {
        headUnits *= 2;
        text = narrowOf(wideTextHead(headUnits, &whole));
    }
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
    return findUnits(text(), storedCharCount(), needle) ? 1 : 0;
}
