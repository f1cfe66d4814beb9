// The DIB header reader over any bytes, as an image item holds them: a size
// is given only for a header whose pixels fit in the bytes, and the item's
// caption is the size or "[图片 ?]".
#include <cstdint>
#include <string>

#include "FuzzCheck.h"
#include "core/BitmapItem.h"
#include "core/DibHeader.h"
#include "core/LittleEndian.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    if (size > 1u << 20) return 0;
    const auto read = DibHeader::read(data, size);
    if (read) {
        fuzzCheck(size >= 40, "a size needs a whole header");
        fuzzCheck(read->width > 0 && read->height > 0, "a size is positive");
        fuzzCheck(static_cast<std::int64_t>(read->width) * read->height <= (std::int64_t{1} << 28),
                  "a size is at most 2^28 pixels");
        const std::uint32_t headerBytes = static_cast<std::uint32_t>(readInt32LE(data));
        fuzzCheck(headerBytes >= 40 && headerBytes <= size, "the header fits");
    }

    BitmapItem item;
    item.setText(data, static_cast<std::int32_t>(size));
    const std::u16string caption = item.wideSummary();
    fuzzCheck(read ? caption.rfind(u"[图片 ", 0) == 0 && caption != u"[图片 ?]" : caption == u"[图片 ?]",
              "the caption shows the size or ?");
    return 0;
}
