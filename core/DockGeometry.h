// Where a window docked at a screen edge goes: docked while it is dragged
// near an edge, tucked away (only a frame-wide strip left on the screen)
// and shown in full again. Pure arithmetic over the screen's metrics.
#pragma once

#include "core/Rect.h"

enum class DockSide { Left = 0, Top = 1, Right = 2, Bottom = 3, None = 4 };

struct ScreenMetrics {
    int width;          // the screen's width and height
    int height;
    int edge;           // height of a 3D edge: a window docked at the top hides it
    int frame;          // width of a sizing frame: what stays visible when tucked away
    int bottomReserve;  // pixels kept free below a window docked at the bottom
};

// How far the visible frame of a window lies inside its rectangle on each
// side: the invisible resize borders of newer systems (about 7 pixels at
// the left, the right and the bottom); zero where the two are the same.
struct FrameInset {
    int left = 0;
    int top = 0;
    int right = 0;
    int bottom = 0;

    // The inset of a visible frame within a window; zero when visible does
    // not lie within window (as when the two were measured at different
    // scales).
    static FrameInset between(const Rect& window, const Rect& visible);
};

class DockGeometry {
public:
    // The positions put the window's visible frame against the edges, so
    // the strip left when it is tucked away is frame pixels of that frame.
    DockGeometry(const ScreenMetrics& screen, int snapDistance, const FrameInset& inset = {});

    // The side a window being dragged docks to with the pointer at (x, y):
    // the top and the bottom win over the left and the right.
    DockSide sideFor(int x, int y) const;
    // The proposed rectangle of a drag, moved against side (None: as it is).
    Rect docked(DockSide side, const Rect& proposed) const;
    // The window moved out of the screen except for a frame-wide strip.
    Rect tucked(DockSide side, const Rect& window) const;
    // The window fully on the screen against side.
    Rect shown(DockSide side, const Rect& window) const;

    // The bottom reserve for a taskbar with this rectangle: its height when
    // it lies along the bottom of the screen; with a taskbar anywhere else
    // (at the left, the right or the top), what the work area leaves free
    // below it.
    static int bottomReserve(const Rect& taskbar, int screenHeight, int workAreaBottom);

private:
    ScreenMetrics screen_;
    int snapDistance_;
    FrameInset inset_;
};
