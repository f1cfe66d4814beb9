#include "core/MainLayout.h"

namespace {
constexpr int Margin = 8;
constexpr int CaptionRight = 158;  // captions are 150 pixels wide
constexpr int SearchWidth = 50;
}  // namespace

MainLayout::MainLayout(int w, int ch, int h) {
    const int d = ch - h;
    const int third = d / 3;
    const int twoThirds = 2 * d / 3;  // not 2 * (d / 3): the remainder counts

    favoritesCaption_ = {Margin, h + 4, CaptionRight, h + 20};
    favoritesSearch_ = {w - Margin - SearchWidth, h + 2, w - Margin, h + 22};
    favoritesView_ = {Margin, h + 24, w - Margin, ch - twoThirds - 12};

    activeCaption_ = {Margin, third + h - 8, CaptionRight, ch - twoThirds + 8};
    activeSearch_ = {w - Margin - SearchWidth, third + h - 10, w - Margin, ch - twoThirds + 10};
    activeView_ = {Margin, third + h + 12, w - Margin, ch - third - 12};

    previewLabel_ = {Margin, twoThirds + h - 8, w - Margin, ch - third + 8};
    previewPane_ = {Margin, twoThirds + h + 12, w - Margin, ch - 24};
    webLogLink_ = {Margin, ch - 20, w - Margin, ch - 4};
}

std::array<int, 3> MainLayout::activeColumnWidths(int w) {
    return {2 * w / 20, 12 * w / 20, 4 * w / 20};
}

std::array<int, 4> MainLayout::favoritesColumnWidths(int w) {
    return {2 * w / 20, 3 * w / 20, 9 * w / 20, 4 * w / 20};
}
