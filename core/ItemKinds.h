// Which item class holds a record of a given clipboard format.
#pragma once

#include <cstdint>
#include <memory>

class ClipItem;

class ItemKinds {
public:
    // An empty item of the kind made for the format: a BitmapItem for 8, a
    // FileListItem for 15, a UnicodeTextItem for 13; none for any other.
    static std::unique_ptr<ClipItem> emptyFor(std::uint16_t format);
    // The same, except that any other format gets a UnicodeTextItem that
    // keeps it: how the store files read every record.
    static std::unique_ptr<ClipItem> emptyForRecord(std::uint16_t format);
};
