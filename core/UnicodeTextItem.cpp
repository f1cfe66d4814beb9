#include "core/UnicodeTextItem.h"

#include <climits>
#include <cstring>

#include "core/Clipboard.h"
#include "core/NarrowMeasure.h"
#include "core/TextCodec.h"

namespace {

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

std::string UnicodeTextItem::summary() const { return narrowOf(wideSummary()); }

// Only the head of the text is measured, however long the text: each
// character counts at least one byte, so 36 characters (at most 72 code
// units) are enough to know the first 35 bytes and whether there are more.
std::u16string UnicodeTextItem::wideSummary() const {
    bool whole = false;
    const std::u16string head = wideTextHead(2 * (SummaryBytes + 1), &whole);
    if (whole && NarrowMeasure::bytes(head) < SummaryBytes) return head;
    return cutCaption(head);
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
    const std::u16string wide = widen(keyword);
    // A keyword that does not convert matches nothing.
    if (wide.empty()) return 0;
    return matchesWide(wide);
}

int UnicodeTextItem::matchesWide(const std::u16string& keyword) const {
    return findUnits(text(), storedCharCount(), keyword) ? 1 : 0;
}
