#include "core/DigestFilter.h"

DigestFilter::DigestFilter(std::size_t expected) {
    std::size_t size = 64;
    while (size < 2 * expected) size *= 2;
    slots_.assign(size, 0);
}

std::uint64_t DigestFilter::keyOf(const unsigned char* digest) {
    std::uint64_t key = 0;
    for (int i = 0; i < 8; ++i) key = (key << 8) | digest[i];
    // 0 marks an empty slot; a digest that starts with eight zero bytes
    // shares its key with one that starts 00..01 (a filter may say "maybe").
    return key != 0 ? key : 1;
}

// The slot that holds key, or the empty slot where it would go.
std::size_t DigestFilter::slotOf(std::uint64_t key) const {
    const std::size_t mask = slots_.size() - 1;
    std::size_t at = static_cast<std::size_t>(key) & mask;
    while (slots_[at] != 0 && slots_[at] != key) at = (at + 1) & mask;
    return at;
}

void DigestFilter::insert(const unsigned char* digest) {
    if (2 * (used_ + 1) > slots_.size()) grow();
    const std::uint64_t key = keyOf(digest);
    const std::size_t at = slotOf(key);
    if (slots_[at] == 0) {
        slots_[at] = key;
        ++used_;
    }
}

bool DigestFilter::mayHold(const unsigned char* digest) const {
    return slots_[slotOf(keyOf(digest))] != 0;
}

void DigestFilter::grow() {
    std::vector<std::uint64_t> old(slots_.size() * 2, 0);
    old.swap(slots_);
    for (std::uint64_t key : old) {
        if (key != 0) slots_[slotOf(key)] = key;
    }
}
