// Encodes a packed DIB (a BITMAPINFOHEADER or a later header, its colour
// table or masks, the pixels) as a PNG with the Windows Imaging Component,
// for the registered "PNG" clipboard format that browsers and X programs
// read. Uncompressed DIBs of 1, 4, 8, 16, 24 and 32 bits a pixel, with
// BI_RGB or BI_BITFIELDS, rows top-down or bottom-up; the PNG holds 24-bit
// colour (the fourth byte of a 32-bit BI_RGB pixel is no alpha).
#pragma once

#include <cstddef>
#include <vector>

class PngEncoder {
public:
    // 0 and png filled; -1 when the DIB's header lies or its kind is not
    // one handled, -2 when COM or the encoder is not there or fails.
    // Initialises COM for the call when the thread has none.
    static int fromDib(const unsigned char* dib, std::size_t length, std::vector<unsigned char>& png);
};
