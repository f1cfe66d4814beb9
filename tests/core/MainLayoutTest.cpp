#include "core/MainLayout.h"

#include <gtest/gtest.h>

#include <ostream>

void PrintTo(const Rect& r, std::ostream* os) {
    *os << "{" << r.left << ", " << r.top << ", " << r.right << ", " << r.bottom << "}";
}

namespace {

// Client 300 x 501, buttons 22 high: D = 479, D/3 = 159, 2D/3 = 319 (twice
// D/3 would be 318).
TEST(MainLayoutTest, RectanglesOfA300By501Client) {
    const MainLayout layout(300, 501, 22);
    EXPECT_EQ(layout.favoritesCaption(), (Rect{8, 26, 158, 42}));
    EXPECT_EQ(layout.favoritesSearch(), (Rect{242, 24, 292, 44}));
    EXPECT_EQ(layout.favoritesView(), (Rect{8, 46, 292, 170}));
    EXPECT_EQ(layout.activeCaption(), (Rect{8, 173, 158, 190}));
    EXPECT_EQ(layout.activeSearch(), (Rect{242, 171, 292, 192}));
    EXPECT_EQ(layout.activeView(), (Rect{8, 193, 292, 330}));
    EXPECT_EQ(layout.previewLabel(), (Rect{8, 333, 292, 350}));
    EXPECT_EQ(layout.previewPane(), (Rect{8, 353, 292, 477}));
    EXPECT_EQ(layout.webLogLink(), (Rect{8, 481, 292, 497}));
}

// Client 261 x 442, buttons 26 high: D = 416, D/3 = 138, 2D/3 = 277.
TEST(MainLayoutTest, RectanglesOfA261By442Client) {
    const MainLayout layout(261, 442, 26);
    EXPECT_EQ(layout.favoritesCaption(), (Rect{8, 30, 158, 46}));
    EXPECT_EQ(layout.favoritesSearch(), (Rect{203, 28, 253, 48}));
    EXPECT_EQ(layout.favoritesView(), (Rect{8, 50, 253, 153}));
    EXPECT_EQ(layout.activeCaption(), (Rect{8, 156, 158, 173}));
    EXPECT_EQ(layout.activeSearch(), (Rect{203, 154, 253, 175}));
    EXPECT_EQ(layout.activeView(), (Rect{8, 176, 253, 292}));
    EXPECT_EQ(layout.previewLabel(), (Rect{8, 295, 253, 312}));
    EXPECT_EQ(layout.previewPane(), (Rect{8, 315, 253, 418}));
    EXPECT_EQ(layout.webLogLink(), (Rect{8, 422, 253, 438}));
}

TEST(MainLayoutTest, ColumnWidthsTruncateEachProduct) {
    // A view 284 wide (client 300).
    EXPECT_EQ(MainLayout::activeColumnWidths(284), (std::array<int, 3>{28, 170, 56}));
    EXPECT_EQ(MainLayout::favoritesColumnWidths(284), (std::array<int, 4>{28, 42, 127, 56}));
    // A view 245 wide (client 261).
    EXPECT_EQ(MainLayout::activeColumnWidths(245), (std::array<int, 3>{24, 147, 49}));
    EXPECT_EQ(MainLayout::favoritesColumnWidths(245), (std::array<int, 4>{24, 36, 110, 49}));
    // The 200-pixel example of the list control.
    EXPECT_EQ(MainLayout::favoritesColumnWidths(200), (std::array<int, 4>{20, 30, 90, 40}));
    EXPECT_EQ(MainLayout::activeColumnWidths(200), (std::array<int, 3>{20, 120, 40}));
}

// Whatever the height, the three bands follow each other from top to bottom
// without overlapping, and the search boxes stay 50 pixels wide against the
// right margin.
TEST(MainLayoutTest, BandsNeverOverlapAtUsualSizes) {
    for (int h : {22, 26}) {
        for (int ch = 200; ch <= 900; ++ch) {
            const MainLayout l(250, ch, h);
            SCOPED_TRACE(testing::Message() << "CH " << ch << " H " << h);
            EXPECT_LE(l.favoritesCaption().bottom, l.favoritesView().top);
            EXPECT_LE(l.favoritesView().bottom, l.activeCaption().top);
            EXPECT_LE(l.activeCaption().bottom, l.activeView().top);
            EXPECT_LE(l.activeView().bottom, l.previewLabel().top);
            EXPECT_LE(l.previewLabel().bottom, l.previewPane().top);
            EXPECT_LE(l.previewPane().bottom, l.webLogLink().top);
            EXPECT_LE(l.webLogLink().bottom, ch);
            EXPECT_EQ(l.activeSearch().width(), 50);
            EXPECT_EQ(l.favoritesSearch().right, 242);
        }
    }
}

}  // namespace
