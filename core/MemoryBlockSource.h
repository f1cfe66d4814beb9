// A store block held in memory, as a block source.
#pragma once

#include <cstring>

#include "core/BlockSource.h"

class MemoryBlockSource : public BlockSource {
public:
    MemoryBlockSource(const unsigned char* bytes, std::int32_t length)
        : bytes_(bytes), length_(bytes != nullptr && length > 0 ? length : 0) {}

    bool read(std::int32_t offset, unsigned char* to, std::int32_t count) override {
        if (offset < 0 || count < 0 || offset > length_ || count > length_ - offset) return false;
        if (count > 0) std::memcpy(to, bytes_ + offset, static_cast<std::size_t>(count));
        return true;
    }

private:
    const unsigned char* bytes_;
    std::int32_t length_;
};
