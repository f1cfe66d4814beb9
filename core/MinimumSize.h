// Keeps a window that is being sized at least minWidth by minHeight pixels,
// by moving the edge the user drags.
#pragma once

#include "core/Rect.h"

class MinimumSize {
public:
    // The dragged edge as the sizing message names it.
    enum Edge {
        Left = 1, Right = 2, Top = 3, TopLeft = 4, TopRight = 5,
        Bottom = 6, BottomLeft = 7, BottomRight = 8
    };

    MinimumSize(int minWidth, int minHeight) : minWidth_(minWidth), minHeight_(minHeight) {}

    // Changes the proposed rectangle in place. Nothing changes while it is
    // large enough. A side edge then sets its own dimension to exactly the
    // minimum (whichever dimension was short); a corner corrects each short
    // dimension on its own.
    void apply(int edge, Rect& rect) const;

private:
    void fixWidth(bool fromLeft, Rect& rect) const;
    void fixHeight(bool fromTop, Rect& rect) const;

    int minWidth_;
    int minHeight_;
};
