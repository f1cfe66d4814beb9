#include "core/MinimumSize.h"

void MinimumSize::fixWidth(bool fromLeft, Rect& rect) const {
    if (fromLeft) {
        rect.left = rect.right - minWidth_;
    } else {
        rect.right = rect.left + minWidth_;
    }
}

void MinimumSize::fixHeight(bool fromTop, Rect& rect) const {
    if (fromTop) {
        rect.top = rect.bottom - minHeight_;
    } else {
        rect.bottom = rect.top + minHeight_;
    }
}

void MinimumSize::apply(int edge, Rect& rect) const {
    const bool narrow = rect.width() < minWidth_;
    const bool low = rect.height() < minHeight_;
    if (!narrow && !low) return;
    switch (edge) {
    case Left:
    case Right:
        fixWidth(edge == Left, rect);
        return;
    case Top:
    case Bottom:
        fixHeight(edge == Top, rect);
        return;
    case TopLeft:
    case TopRight:
    case BottomLeft:
    case BottomRight:
        if (narrow) fixWidth(edge == TopLeft || edge == BottomLeft, rect);
        if (low) fixHeight(edge == TopLeft || edge == TopRight, rect);
        return;
    default:
        return;
    }
}
