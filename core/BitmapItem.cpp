#include "core/BitmapItem.h"

#include <string>

#include "core/DibHeader.h"
#include "core/TextCodec.h"

namespace {

std::u16string decimal(std::int32_t value) {
    const std::string digits = std::to_string(value);
    return std::u16string(digits.begin(), digits.end());
}

}  // namespace

BitmapItem::BitmapItem() { setFormat(FormatDib); }

std::u16string BitmapItem::wideSummary() const {
    const auto size = DibHeader::read(text(), static_cast<std::size_t>(byteLength()));
    if (!size) return cutCaption(u"[图片 ?]");
    return cutCaption(u"[图片 " + decimal(size->width) + u"×" + decimal(size->height) + u"]");
}

int BitmapItem::matches(const char* keyword) const {
    return keyword == nullptr || keyword[0] == '\0' ? 1 : 0;
}

int BitmapItem::matchesWide(const std::u16string& keyword) const { return keyword.empty() ? 1 : 0; }
