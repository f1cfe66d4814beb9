// Where the bytes of a store block come from while the block is parsed: a
// buffer in memory, or a file read record by record, so that each text goes
// straight from the file into its item.
#pragma once

#include <cstdint>

class BlockSource {
public:
    virtual ~BlockSource() = default;
    // Copies count bytes from offset (counted from the block's first byte)
    // to `to`. False when they cannot all be had.
    virtual bool read(std::int32_t offset, unsigned char* to, std::int32_t count) = 0;
};
