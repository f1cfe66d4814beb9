#include "core/DraggedItems.h"

#include "core/ClipItem.h"
#include "core/DropFiles.h"

void DraggedItems::add(const ClipItem& item) {
    ++count_;
    const auto* bytes = item.text();
    const auto length = static_cast<std::size_t>(item.byteLength());
    switch (item.format()) {
    case ClipItem::FormatDib:
        if (image_.empty() && bytes != nullptr) image_.assign(bytes, bytes + length);
        return;
    case ClipItem::FormatFileList:
        // A block that cannot be read gives no paths.
        if (const auto paths = DropFiles::read(bytes, length)) {
            paths_.insert(paths_.end(), paths->begin(), paths->end());
        }
        return;
    default:
        texts_.add(item);
    }
}

std::vector<unsigned char> DraggedItems::files() const {
    if (paths_.empty()) return {};
    return DropFiles::write(paths_);
}
