#include "core/MainLayout.h"

#include <algorithm>

namespace {
// Pixels at 96 DPI.
constexpr int Margin = 8;
constexpr int CaptionWidth = 150;
constexpr int SearchWidth = 50;
constexpr int TextHeight = 16;  // a caption, label or link
constexpr int Gap = 4;          // between a text and what follows it
constexpr int SearchOverhang = 2;  // a search box reaches this far above and below its caption
}  // namespace

MainLayout::MainLayout(int w, int ch, int h, DpiScale scale, int lineHeight) {
    const int d = ch - h;
    const int third = d / 3;
    const int twoThirds = 2 * d / 3;  // not 2 * (d / 3): the remainder counts
    // The middle band's caption sits across the line between the first and
    // the second third, the preview label across the one between the second
    // and the last; each line has an upper and a lower edge (a pixel apart
    // when the division leaves a remainder).
    const int firstLine = h + third;
    const int firstLineBelow = ch - twoThirds;
    const int secondLine = h + twoThirds;
    const int secondLineBelow = ch - third;

    const int margin = scale.px(Margin);
    const int captionRight = margin + scale.px(CaptionWidth);
    const int searchLeft = w - margin - scale.px(SearchWidth);
    const int right = w - margin;
    const int gap = scale.px(Gap);
    const int overhang = scale.px(SearchOverhang);
    const int text = std::max(scale.px(TextHeight), lineHeight);
    const int above = text / 2;
    const int below = text - above;

    const int top = h + gap;
    favoritesCaption_ = {margin, top, captionRight, top + text};
    favoritesSearch_ = {searchLeft, top - overhang, right, top + text + overhang};
    favoritesView_ = {margin, top + text + gap, right, firstLineBelow - below - gap};

    activeCaption_ = {margin, firstLine - above, captionRight, firstLineBelow + below};
    activeSearch_ = {searchLeft, firstLine - above - overhang, right,
                     firstLineBelow + below + overhang};
    activeView_ = {margin, firstLine + below + gap, right, secondLineBelow - above - gap};

    previewLabel_ = {margin, secondLine - above, right, secondLineBelow + below};
    webLogLink_ = {margin, ch - gap - text, right, ch - gap};
    previewPane_ = {margin, secondLine + below + gap, right, webLogLink_.top - gap};
}

std::array<int, 3> MainLayout::activeColumnWidths(int w) {
    return {2 * w / 20, 12 * w / 20, 4 * w / 20};
}

std::array<int, 4> MainLayout::favoritesColumnWidths(int w) {
    return {2 * w / 20, 3 * w / 20, 9 * w / 20, 4 * w / 20};
}
