// Decodes a PNG (the registered "PNG" clipboard format that browsers and
// X programs offer) with the Windows Imaging Component into a packed DIB:
// a BITMAPINFOHEADER of 32 bits a pixel, no colour table, the rows
// bottom-up. COM must be initialised on the calling thread.
#pragma once

#include <cstdint>
#include <vector>

class PngDecoder {
public:
    // 0 and dib filled; -1 when the bytes do not decode, -2 when the DIB
    // would hold more than maxBytes.
    static int toDib(const std::vector<unsigned char>& png, std::int64_t maxBytes,
                     std::vector<unsigned char>& dib);
};
