#include "core/DockGeometry.h"

namespace {

Rect atLeft(const Rect& r, int left) { return {left, r.top, left + r.width(), r.bottom}; }
Rect atTop(const Rect& r, int top) { return {r.left, top, r.right, top + r.height()}; }

}  // namespace

FrameInset FrameInset::between(const Rect& window, const Rect& visible) {
    const FrameInset inset{visible.left - window.left, visible.top - window.top,
                           window.right - visible.right, window.bottom - visible.bottom};
    const bool within = inset.left >= 0 && inset.top >= 0 && inset.right >= 0 &&
                        inset.bottom >= 0 && visible.width() > 0 && visible.height() > 0;
    return within ? inset : FrameInset{};
}

DockGeometry::DockGeometry(const ScreenMetrics& screen, int snapDistance, const FrameInset& inset)
    : screen_(screen), snapDistance_(snapDistance), inset_(inset) {}

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
        return atTop(proposed, -screen_.edge - inset_.top);
    case DockSide::Bottom:
        return atTop(proposed,
                     screen_.height - screen_.bottomReserve - proposed.height() + inset_.bottom);
    case DockSide::Left:
        return atLeft(proposed, -inset_.left);
    case DockSide::Right:
        return atLeft(proposed, screen_.width - proposed.width() + inset_.right);
    default:
        return proposed;
    }
}

Rect DockGeometry::tucked(DockSide side, const Rect& window) const {
    switch (side) {
    case DockSide::Left:
        return atLeft(window, screen_.frame + inset_.right - window.width());
    case DockSide::Top:
        return atTop(window, screen_.frame + inset_.bottom - window.height());
    case DockSide::Right:
        return atLeft(window, screen_.width - screen_.frame - inset_.left);
    case DockSide::Bottom:
        return atTop(window, screen_.height - screen_.frame - inset_.top);
    default:
        return window;
    }
}

Rect DockGeometry::shown(DockSide side, const Rect& window) const {
    switch (side) {
    case DockSide::Left:
        return atLeft(window, -inset_.left);
    case DockSide::Top:
        return atTop(window, -screen_.edge - inset_.top);
    case DockSide::Right:
        return atLeft(window, screen_.width - window.width() + inset_.right);
    case DockSide::Bottom:
        return atTop(window, screen_.height - window.height() + inset_.bottom);
    default:
        return window;
    }
}

int DockGeometry::bottomReserve(const Rect& taskbar, int screenHeight, int workAreaBottom) {
    const bool alongBottom = taskbar.width() >= taskbar.height() && taskbar.top > screenHeight / 2;
    if (alongBottom) return taskbar.height();
    return workAreaBottom < screenHeight ? screenHeight - workAreaBottom : 0;
}
