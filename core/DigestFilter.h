// The digests a store was given while it reads a block, by their first
// eight bytes: a digest it never saw is certainly not in the store, so the
// store need not search its items for it. One that it saw may be (or may
// have left it since), and the store searches as usual. An open table with
// linear probing: no allocation per digest.
#pragma once

#include <cstdint>
#include <vector>

class DigestFilter {
public:
    explicit DigestFilter(std::size_t expected);

    void insert(const unsigned char* digest);
    bool mayHold(const unsigned char* digest) const;

private:
    static std::uint64_t keyOf(const unsigned char* digest);
    std::size_t slotOf(std::uint64_t key) const;
    void grow();

    std::vector<std::uint64_t> slots_;  // 0: empty
    std::size_t used_ = 0;
};
