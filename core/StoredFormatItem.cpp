#include "core/StoredFormatItem.h"

#include <cstddef>

#include "core/Clipboard.h"
#include "core/TextCodec.h"

std::string StoredFormatItem::summary() const { return narrow(wideSummary()); }

int StoredFormatItem::putOnClipboard(Clipboard& clipboard) const {
    clipboard.putFormat(format(), text(), static_cast<std::size_t>(byteLength()));
    return 0;
}
