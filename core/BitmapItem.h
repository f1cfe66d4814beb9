// A copied image (format 8): the bytes are a packed DIB, kept and pasted
// as they were copied. Its caption is "[图片 W×H]", or "[图片 ?]" when the
// header lies about the bytes.
#pragma once

#include "core/ClipItem.h"

class BitmapItem : public ClipItem {
public:
    // A packed DIB of more bytes than this is not kept.
    static constexpr std::int64_t MaxBytes = std::int64_t{32} * 1024 * 1024;

    // An empty item, to be filled by setText or deserialize.
    BitmapItem();

    std::u16string wideSummary() const override;
    std::string summary() const override;
    int putOnClipboard(Clipboard& clipboard) const override;
    // An image matches only the empty keyword.
    int matches(const char* keyword) const override;
    int matchesWide(const std::u16string& keyword) const override;
    bool isEditable() const override { return false; }
    bool countsCharacters() const override { return false; }
};
