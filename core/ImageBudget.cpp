#include "core/ImageBudget.h"

#include "core/ClipItem.h"

namespace {

bool isImage(const ClipItem& item) { return item.format() == ClipItem::FormatDib; }

}  // namespace

bool ImageBudget::admits(const ClipItem& item) {
    return !isImage(item) || item.byteLength() <= MaxImageBytes;
}

int ImageBudget::trim(std::list<std::unique_ptr<ClipItem>>& items) {
    std::int64_t total = 0;
    for (const auto& item : items) {
        if (isImage(*item)) total += item->byteLength();
    }
    int dropped = 0;
    for (auto it = items.end(); total > MaxTotalBytes && it != items.begin();) {
        --it;
        if (!isImage(**it)) continue;
        total -= (*it)->byteLength();
        it = items.erase(it);
        ++dropped;
    }
    return dropped;
}
