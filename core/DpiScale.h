// Pixel sizes for a monitor of a given DPI. Every size of the program's own
// windows is written for 96 DPI (100 %) and scaled from there, so nothing
// changes at 96 DPI.
#pragma once

class DpiScale {
public:
    static constexpr int Standard = 96;

    // A DPI of 0 or below (unknown) counts as the standard one.
    explicit DpiScale(int dpi) : dpi_(dpi > 0 ? dpi : Standard) {}

    int dpi() const { return dpi_; }
    // pixelsAt96 at this DPI, rounded to the nearest pixel.
    int px(int pixelsAt96) const;
    // The side of the toolbar's images: the largest drawn size (16, 20, 24
    // or 32) not above 16 pixels scaled, 16 at the least.
    int toolbarImageSize() const;

private:
    int dpi_;
};
