#include "core/DockGeometry.h"
#include "core/MinimumSize.h"

#include <gtest/gtest.h>

#include <ostream>

void PrintTo(const Rect& r, std::ostream* os);

namespace {

// A 1024 x 768 screen, 3D edge 2, frame 4, a 30-pixel taskbar at the
// bottom; the pointer docks within 20 pixels.
const ScreenMetrics Screen{1024, 768, 2, 4, 30};
const DockGeometry Dock(Screen, 20);
const Rect Window{100, 50, 300, 550};  // 200 x 500

TEST(DockGeometryTest, PointerDocksTopAndBottomBeforeTheSides) {
    struct Case { int x, y; DockSide side; };
    const Case cases[] = {
        {500, 20, DockSide::Top},     {500, 0, DockSide::Top},
        {500, 21, DockSide::None},    {5, 10, DockSide::Top},
        {500, 718, DockSide::Bottom}, {500, 717, DockSide::None},
        {5, 760, DockSide::Bottom},   {1020, 760, DockSide::Bottom},
        {19, 300, DockSide::Left},    {20, 300, DockSide::None},
        {1004, 300, DockSide::Right}, {1003, 300, DockSide::None},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << "pointer " << c.x << ", " << c.y);
        EXPECT_EQ(c.side, Dock.sideFor(c.x, c.y));
    }
}

TEST(DockGeometryTest, DockedTuckedAndShownPositionsPerSide) {
    struct Case { DockSide side; Rect docked, tucked, shown; };
    const Case cases[] = {
        {DockSide::Top, {100, -2, 300, 498}, {100, -496, 300, 4}, {100, -2, 300, 498}},
        {DockSide::Bottom, {100, 238, 300, 738}, {100, 764, 300, 1264}, {100, 268, 300, 768}},
        {DockSide::Left, {0, 50, 200, 550}, {-196, 50, 4, 550}, {0, 50, 200, 550}},
        {DockSide::Right, {824, 50, 1024, 550}, {1020, 50, 1220, 550}, {824, 50, 1024, 550}},
        {DockSide::None, Window, Window, Window},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(static_cast<int>(c.side));
        EXPECT_EQ(c.docked, Dock.docked(c.side, Window));
        EXPECT_EQ(c.tucked, Dock.tucked(c.side, Window));
        EXPECT_EQ(c.shown, Dock.shown(c.side, Window));
    }
}

// Newer systems count invisible resize borders into the window's rectangle:
// here 7 pixels at the left, the right and the bottom, the visible frame
// {107, 50, 293, 543}. That frame goes against the edges, and tucked away
// 4 pixels of it stay on the screen.
TEST(DockGeometryTest, PositionsPutTheVisibleFrameAgainstTheEdge) {
    const Rect visible{107, 50, 293, 543};
    const FrameInset inset = FrameInset::between(Window, visible);
    EXPECT_EQ(7, inset.left);
    EXPECT_EQ(0, inset.top);
    EXPECT_EQ(7, inset.right);
    EXPECT_EQ(7, inset.bottom);
    EXPECT_EQ(0, FrameInset::between(Window, {90, 50, 293, 543}).left) << "not within: none";

    const DockGeometry dock(Screen, 20, inset);
    struct Case { DockSide side; Rect docked, tucked, shown; };
    const Case cases[] = {
        {DockSide::Top, {100, -2, 300, 498}, {100, -489, 300, 11}, {100, -2, 300, 498}},
        {DockSide::Bottom, {100, 245, 300, 745}, {100, 764, 300, 1264}, {100, 275, 300, 775}},
        {DockSide::Left, {-7, 50, 193, 550}, {-189, 50, 11, 550}, {-7, 50, 193, 550}},
        {DockSide::Right, {831, 50, 1031, 550}, {1013, 50, 1213, 550}, {831, 50, 1031, 550}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(static_cast<int>(c.side));
        EXPECT_EQ(c.docked, dock.docked(c.side, Window));
        EXPECT_EQ(c.tucked, dock.tucked(c.side, Window));
        EXPECT_EQ(c.shown, dock.shown(c.side, Window));
    }
}

// A taskbar along the bottom keeps its height free; beside a taskbar at the
// left, the right or the top only the work area's bottom counts.
TEST(DockGeometryTest, BottomReserveFollowsWhereTheTaskbarLies) {
    EXPECT_EQ(30, DockGeometry::bottomReserve({0, 738, 1024, 768}, 768, 738));
    EXPECT_EQ(0, DockGeometry::bottomReserve({0, 0, 60, 768}, 768, 768));
    EXPECT_EQ(0, DockGeometry::bottomReserve({964, 0, 1024, 768}, 768, 768));
    EXPECT_EQ(0, DockGeometry::bottomReserve({0, 0, 1024, 30}, 768, 768));
    EXPECT_EQ(12, DockGeometry::bottomReserve({0, 0, 60, 768}, 768, 756));

    const DockGeometry besideSideTaskbar({1024, 768, 2, 4, 0}, 20);
    EXPECT_EQ(DockSide::None, besideSideTaskbar.sideFor(500, 300));
    EXPECT_EQ(DockSide::None, besideSideTaskbar.sideFor(500, 747));
    EXPECT_EQ(DockSide::Bottom, besideSideTaskbar.sideFor(500, 748));
    EXPECT_EQ((Rect{100, 268, 300, 768}), besideSideTaskbar.docked(DockSide::Bottom, Window));
}

TEST(MinimumSizeTest, DraggedEdgeKeeps200By400) {
    const MinimumSize limit(200, 400);
    struct Case { int edge; Rect proposed, result; };
    const Case cases[] = {
        // 150 x 300: both short.
        {1, {0, 0, 150, 300}, {-50, 0, 150, 300}},
        {2, {0, 0, 150, 300}, {0, 0, 200, 300}},
        {3, {0, 0, 150, 300}, {0, -100, 150, 300}},
        {6, {0, 0, 150, 300}, {0, 0, 150, 400}},
        {4, {0, 0, 150, 300}, {-50, -100, 150, 300}},
        {5, {0, 0, 150, 300}, {0, -100, 200, 300}},
        {7, {0, 0, 150, 300}, {-50, 0, 150, 400}},
        {8, {0, 0, 150, 300}, {0, 0, 200, 400}},
        {9, {0, 0, 150, 300}, {0, 0, 150, 300}},
        // 300 x 300: only too low. A side edge still sets its own dimension.
        {1, {0, 0, 300, 300}, {100, 0, 300, 300}},
        {4, {0, 0, 300, 300}, {0, -100, 300, 300}},
        {8, {0, 0, 300, 300}, {0, 0, 300, 400}},
        // Large enough: untouched from every edge.
        {1, {0, 0, 300, 500}, {0, 0, 300, 500}},
        {8, {0, 0, 200, 400}, {0, 0, 200, 400}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << "edge " << c.edge);
        Rect rect = c.proposed;
        limit.apply(c.edge, rect);
        EXPECT_EQ(c.result, rect);
    }
}

}  // namespace
