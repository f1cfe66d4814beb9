// Where the item stores read their maxima: the user's settings, asked at
// every use, so that a changed maximum applies to the next add at once.
#pragma once

#include <cstdint>

class StoreCapacity {
public:
    virtual ~StoreCapacity() = default;
    // The maximum number of items of the active list and of the favorites,
    // as the user set them (no range checks).
    virtual std::int32_t activeCapacity() const = 0;
    virtual std::int32_t favoritesCapacity() const = 0;
};
