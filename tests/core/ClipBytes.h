// Bytes of the clipboard formats the items keep besides text, built by hand.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "core/LittleEndian.h"

// A packed DIB: a BITMAPINFOHEADER, the colour table its depth needs and
// the pixel rows, all zero but the header.
inline std::vector<unsigned char> dibBytes(std::int32_t width, std::int32_t height,
                                           std::uint16_t bits = 24) {
    const std::int64_t stride = (static_cast<std::int64_t>(width) * bits + 31) / 32 * 4;
    const std::int64_t rows = height < 0 ? -static_cast<std::int64_t>(height) : height;
    const std::int64_t table = bits <= 8 ? 4 << bits : 0;
    std::vector<unsigned char> out(static_cast<std::size_t>(40 + table + stride * rows), 0);
    putInt32LE(&out[0], 40);
    putInt32LE(&out[4], width);
    putInt32LE(&out[8], height);
    putUint16LE(&out[12], 1);
    putUint16LE(&out[14], bits);
    return out;
}

// A DROPFILES block: the 20-byte header, then the paths, wide or narrow,
// each with its zero, and the empty path that ends the list.
inline std::vector<unsigned char> dropFilesBytes(const std::vector<std::u16string>& paths,
                                                 bool wide = true) {
    std::vector<unsigned char> out(20, 0);
    putInt32LE(&out[0], 20);
    putInt32LE(&out[16], wide ? 1 : 0);
    for (const std::u16string& path : paths) {
        for (char16_t unit : path) {
            out.push_back(static_cast<unsigned char>(unit & 0xFF));
            if (wide) out.push_back(static_cast<unsigned char>(unit >> 8));
        }
        out.insert(out.end(), wide ? 2 : 1, 0);
    }
    out.insert(out.end(), wide ? 2 : 1, 0);
    return out;
}
