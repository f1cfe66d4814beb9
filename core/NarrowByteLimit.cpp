#include "core/NarrowByteLimit.h"

#include <algorithm>

#include "core/NarrowMeasure.h"

bool NarrowByteLimit::fits(const std::u16string& text) const {
    return NarrowMeasure::bytes(text) <= maxBytes_;
}

std::u16string NarrowByteLimit::prefixWithin(const std::u16string& text, std::size_t budget) {
    return text.substr(0, NarrowMeasure::prefixUnits(text, budget));
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
    const std::size_t keptBytes = NarrowMeasure::bytes(kept);
    if (keptBytes > maxBytes_) {
        const std::u16string start = prefixWithin(after, maxBytes_);
        return {start, start.size()};
    }
    const std::u16string inserted = after.substr(head, after.size() - head - tail);
    const std::u16string fitting = prefixWithin(inserted, maxBytes_ - keptBytes);
    return {after.substr(0, head) + fitting + after.substr(after.size() - tail),
            head + fitting.size()};
}
