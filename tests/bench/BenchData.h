// Inputs the benchmarks share: texts of a given size as a clipboard would
// hand them over, and full stores.
#pragma once

#include <cstddef>
#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "core/ItemStore.h"
#include "core/MessageSink.h"
#include "core/StoreCapacity.h"

namespace bench {

// Deterministic bytes (not all alike, so no branch learns them).
std::vector<unsigned char> patternBytes(std::size_t size);

// A text of units UTF-16 code units: Chinese characters, Latin letters,
// digits and spaces, different for every seed.
std::u16string mixedText(std::size_t units, unsigned seed);

// The text as a clipboard block: UTF-16LE code units and a zero unit.
std::vector<unsigned char> clipboardBlock(const std::u16string& text);

// Both maxima fixed; messages are swallowed.
class FixedCapacity : public StoreCapacity, public MessageSink {
public:
    explicit FixedCapacity(std::int32_t maximum) : maximum_(maximum) {}
    std::int32_t activeCapacity() const override { return maximum_; }
    std::int32_t favoritesCapacity() const override { return maximum_; }
    int show(const std::string&, unsigned) override { return msgbox::IdOk; }

private:
    std::int32_t maximum_;
};

// Appends count items whose texts are textUnits code units long.
void fill(ItemStore& store, int count, std::size_t textUnits, unsigned firstSeed);

}  // namespace bench
