// A copied image (format 8): the bytes are a packed DIB, kept and pasted
// as they were copied. Its caption is "[图片 W×H]", or "[图片 ?]" when the
// header lies about the bytes.
#pragma once

#include "core/StoredFormatItem.h"

class BitmapItem : public StoredFormatItem {
public:
    // A packed DIB of more bytes than this is not kept.
    static constexpr std::int64_t MaxBytes = std::int64_t{32} * 1024 * 1024;

    // An empty item, to be filled by setText or deserialize.
    BitmapItem();

    std::u16string wideSummary() const override;
    // An image matches only the empty keyword.
    int matches(const char* keyword) const override;
    int matchesWide(const std::u16string& keyword) const override;
};
