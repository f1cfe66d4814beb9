#include "core/DockGeometry.h"

namespace {

Rect atLeft(const Rect& r, int left) { return {left, r.top, left + r.width(), r.bottom}; }
Rect atTop(const Rect& r, int top) { return {r.left, top, r.right, top + r.height()}; }

}  // namespace

DockGeometry::DockGeometry(const ScreenMetrics& screen, int snapDistance)
    : screen_(screen), snapDistance_(snapDistance) {}

DockSide DockGeometry::sideFor(int x, int y) const {
    if (y <= snapDistance_) return DockSide::Top;
    if (y >= screen_.height - screen_.bottomReserve - snapDistance_) return DockSide::Bottom;
    if (x < snapDistance_) return DockSide::Left;
    if (x >= screen_.width - snapDistance_) return DockSide::Right;
    return DockSide::None;
}

Rect DockGeometry::docked(DockSide side, const Rect& proposed) const {
    switch (side) {
    case DockSide::Top:
        return atTop(proposed, -screen_.edge);
    case DockSide::Bottom:
        return atTop(proposed, screen_.height - screen_.bottomReserve - proposed.height());
    case DockSide::Left:
        return atLeft(proposed, 0);
    case DockSide::Right:
        return atLeft(proposed, screen_.width - proposed.width());
    default:
        return proposed;
    }
}

Rect DockGeometry::tucked(DockSide side, const Rect& window) const {
    switch (side) {
    case DockSide::Left:
        return atLeft(window, screen_.frame - window.width());
    case DockSide::Top:
        return atTop(window, screen_.frame - window.height());
    case DockSide::Right:
        return atLeft(window, screen_.width - screen_.frame);
    case DockSide::Bottom:
        return atTop(window, screen_.height - screen_.frame);
    default:
        return window;
    }
}

Rect DockGeometry::shown(DockSide side, const Rect& window) const {
    switch (side) {
    case DockSide::Left:
        return atLeft(window, 0);
    case DockSide::Top:
        return atTop(window, -screen_.edge);
    case DockSide::Right:
        return atLeft(window, screen_.width - window.width());
    case DockSide::Bottom:
        return atTop(window, screen_.height - window.height());
    default:
        return window;
    }
}

int DockGeometry::bottomReserve(const Rect& taskbar, int screenHeight, int workAreaBottom) {
    const bool alongBottom = taskbar.width() >= taskbar.height() && taskbar.top > screenHeight / 2;
    if (alongBottom) return taskbar.height();
    return workAreaBottom < screenHeight ? screenHeight - workAreaBottom : 0;
}
