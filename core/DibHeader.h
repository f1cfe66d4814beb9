// Reads the size of a packed DIB (a BITMAPINFOHEADER or a later header,
// its colour table or masks, then the pixels) without trusting any field:
// the size is known only when the header's sizes, the colour table and the
// pixels all fit in the bytes given. Never reads past them.
#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>

class DibHeader {
public:
    struct Size {
        std::int32_t width;
        std::int32_t height;  // always positive: a top-down DIB's height is turned
        // Where the pixels start: after the header, masks and colour table.
        std::int64_t pixelsAt = 0;
        std::int64_t headerBytes = 0;  // biSize
        std::uint16_t bitCount = 0;
        std::uint32_t compression = 0;  // BI_RGB 0, BI_BITFIELDS 3, ...
        bool topDown = false;           // the height was negative
    };

    // Bytes of a BITMAPINFOHEADER, the smallest header taken.
    static constexpr std::size_t InfoHeaderBytes = 40;
    // Most pixels a DIB may claim: what 32 MB hold at one bit a pixel.
    static constexpr std::int64_t MaxPixels = std::int64_t{1} << 28;

    // Width × height of the DIB in bytes[0, length), or nothing when the
    // header lies about what follows it.
    static std::optional<Size> read(const unsigned char* bytes, std::size_t length);
};
