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

// At 96, 144 and 192 DPI, at the window's first size (its template's) and a
// larger one, with the font that DPI gives (9 points: 12, 18, 24 pixels a
// line) and a larger one: no two children overlap, each lies in the client
// area below the toolbar, and every caption, label and link holds a line of
// its font.
TEST(MainLayoutTest, ScaledLayoutsFitTheirTexts) {
    struct Case {
        int dpi, lineHeight, buttonHeight, width, height;
    };
    const Case cases[] = {
        {96, 12, 26, 261, 442},  {96, 12, 22, 420, 700},  {96, 20, 22, 261, 442},
        {144, 18, 31, 391, 663}, {144, 18, 31, 600, 1000}, {144, 27, 31, 391, 663},
        {192, 24, 38, 522, 884}, {192, 24, 38, 800, 1400}, {192, 36, 38, 522, 884},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << "DPI " << c.dpi << ", line " << c.lineHeight
                                        << ", client " << c.width << " x " << c.height);
        const MainLayout l(c.width, c.height, c.buttonHeight, DpiScale(c.dpi), c.lineHeight);
        const Rect all[] = {l.favoritesCaption(), l.favoritesSearch(), l.favoritesView(),
                            l.activeCaption(),    l.activeSearch(),    l.activeView(),
                            l.previewLabel(),     l.previewPane(),     l.webLogLink()};
        for (std::size_t i = 0; i < 9; ++i) {
            const Rect& r = all[i];
            EXPECT_TRUE(r.left >= 0 && r.top >= c.buttonHeight && r.right <= c.width &&
                        r.bottom <= c.height && r.width() > 0 && r.height() > 0)
                << "child " << i;
            for (std::size_t j = i + 1; j < 9; ++j) {
                const Rect& o = all[j];
                EXPECT_TRUE(r.right <= o.left || o.right <= r.left || r.bottom <= o.top ||
                            o.bottom <= r.top)
                    << "children " << i << " and " << j << " overlap";
            }
        }
        for (const Rect& text : {l.favoritesCaption(), l.activeCaption(), l.previewLabel(),
                                 l.webLogLink()}) {
            EXPECT_GE(text.height(), c.lineHeight);
        }
        // The search boxes grow with the DPI: 50 pixels at 96.
        EXPECT_EQ(l.activeSearch().width(), 50 * c.dpi / 96);
    }
}

// The toolbar's icons are drawn at 16, 20, 24 and 32 pixels: the largest
// that is not larger than 16 pixels at the DPI.
TEST(MainLayoutTest, ToolbarImagesFollowTheDpi) {
    const int cases[][2] = {{96, 16},  {120, 20}, {144, 24}, {168, 24},
                            {192, 32}, {288, 32}, {72, 16},  {0, 16}};
    for (const auto& c : cases) {
        EXPECT_EQ(c[1], DpiScale(c[0]).toolbarImageSize()) << "DPI " << c[0];
    }
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
