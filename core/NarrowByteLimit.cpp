#include "core/NarrowByteLimit.h"

#include <algorithm>

#include "core/TextCodec.h"

namespace {

// UTF-16 units of the character at at (a surrogate pair is one character).
std::size_t characterLength(const std::u16string& text, std::size_t at) {
    const bool pair = at + 1 < text.size() && text[at] >= 0xD800 && text[at] <= 0xDBFF &&
                      text[at + 1] >= 0xDC00 && text[at + 1] <= 0xDFFF;
    return pair ? 2 : 1;
}

// Bytes of narrow text of one character; at least one.
std::size_t narrowBytes(const std::u16string& character) {
    return std::max<std::size_t>(1, narrow(character).size());
}

}  // namespace

bool NarrowByteLimit::fits(const std::u16string& text) const {
    return narrow(text).size() <= maxBytes_;
}

std::u16string NarrowByteLimit::prefixWithin(const std::u16string& text, std::size_t budget) {
    std::size_t at = 0;
    std::size_t used = 0;
    while (at < text.size()) {
        const std::size_t length = characterLength(text, at);
        const std::size_t bytes = narrowBytes(text.substr(at, length));
        if (used + bytes > budget) break;
        used += bytes;
        at += length;
    }
    return text.substr(0, at);
}

NarrowByteLimit::Fitted NarrowByteLimit::fit(const std::u16string& before,
                                             const std::u16string& after) const {
    // The edit replaced before[head, size - tail) by after[head, size - tail).
    const std::size_t shorter = std::min(before.size(), after.size());
    std::size_t head = 0;
    while (head < shorter && before[head] == after[head]) ++head;
    std::size_t tail = 0;
    while (tail < shorter - head &&
           before[before.size() - 1 - tail] == after[after.size() - 1 - tail]) {
        ++tail;
    }
    const std::u16string kept = after.substr(0, head) + after.substr(after.size() - tail);
    const std::size_t keptBytes = narrow(kept).size();
    if (keptBytes > maxBytes_) {
        const std::u16string start = prefixWithin(after, maxBytes_);
        return {start, start.size()};
    }
    const std::u16string inserted = after.substr(head, after.size() - head - tail);
    const std::u16string fitting = prefixWithin(inserted, maxBytes_ - keptBytes);
    return {after.substr(0, head) + fitting + after.substr(after.size() - tail),
            head + fitting.size()};
}
