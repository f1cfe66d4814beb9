#include "core/ItemKinds.h"

#include "core/BitmapItem.h"
#include "core/FileListItem.h"
#include "core/UnicodeTextItem.h"

std::unique_ptr<ClipItem> ItemKinds::emptyFor(std::uint16_t format) {
    switch (format) {
    case ClipItem::FormatUnicodeText:
        return std::make_unique<UnicodeTextItem>();
    case ClipItem::FormatDib:
        return std::make_unique<BitmapItem>();
    case ClipItem::FormatFileList:
        return std::make_unique<FileListItem>();
    default:
        return nullptr;
    }
}

std::unique_ptr<ClipItem> ItemKinds::emptyForRecord(std::uint16_t format) {
    std::unique_ptr<ClipItem> item = emptyFor(format);
    return item ? std::move(item) : std::make_unique<UnicodeTextItem>();
}
