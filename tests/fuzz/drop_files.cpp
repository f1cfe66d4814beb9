// The DROPFILES reader over any bytes, as a file-list item holds them:
// the paths it gives hold no zero and fit behind the offset, and the item's
// caption is "[文件]" or starts with "[文件] ".
#include <cstdint>
#include <string>

#include "FuzzCheck.h"
#include "core/DropFiles.h"
#include "core/FileListItem.h"
#include "core/LittleEndian.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    if (size > 1u << 20) return 0;
    const auto paths = DropFiles::read(data, size);
    if (paths) {
        fuzzCheck(!paths->empty(), "a list read holds a path");
        const std::uint32_t offset = static_cast<std::uint32_t>(readInt32LE(data));
        const bool wide = readInt32LE(data + 16) != 0;
        std::size_t units = 1;  // the empty path that ends the list
        for (const std::u16string& path : *paths) {
            fuzzCheck(path.find(u'\0') == std::u16string::npos, "a path holds no zero");
            units += path.size() + 1;
        }
        fuzzCheck(offset >= 20 && offset < size, "the list starts behind the header");
        if (wide) fuzzCheck(offset + 2 * units <= size, "the list fits behind the offset");
    }

    FileListItem item;
    item.setText(data, static_cast<std::int32_t>(size));
    const std::u16string caption = item.wideSummary();
    fuzzCheck(paths ? caption.rfind(u"[文件] ", 0) == 0 : caption == u"[文件]",
              "the caption shows the names or nothing");
    fuzzCheck(item.matches("") == 1, "the empty keyword matches");
    return 0;
}
