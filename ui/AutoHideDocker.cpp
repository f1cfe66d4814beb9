#include "ui/AutoHideDocker.h"

#include <string>

#include "core/DpiScale.h"
#include "core/MinimumSize.h"
#include "ui/WindowDpi.h"

namespace {

constexpr DWORD ExtendedFrameBounds = 9;  // DWMWA_EXTENDED_FRAME_BOUNDS

Rect toRect(const RECT& r) { return Rect{r.left, r.top, r.right, r.bottom}; }
RECT toRECT(const Rect& r) { return RECT{r.left, r.top, r.right, r.bottom}; }

// The window manager's library from the system folder, never one planted
// beside the program; null where the system has none.
HMODULE loadDwmapi() {
    wchar_t folder[MAX_PATH] = {};
    const UINT length = GetSystemDirectoryW(folder, MAX_PATH);
    if (length == 0 || length >= MAX_PATH) return nullptr;
    return LoadLibraryW((std::wstring(folder, length) + L"\\dwmapi.dll").c_str());
}

}  // namespace

AutoHideDocker::AutoHideDocker(const Parameters& parameters)
    : parameters_(parameters), dwmapi_(loadDwmapi()) {
    if (dwmapi_) {
        queryFrameBounds_ = reinterpret_cast<FrameBoundsQuery>(
            reinterpret_cast<void*>(GetProcAddress(dwmapi_.get(), "DwmGetWindowAttribute")));
    }
}

int AutoHideDocker::attach(HWND window) {
    if (isAttached() || window == nullptr || !IsWindow(window)) return 0;
    if (!hook(window)) return 0;
    window_ = window;
    measureTaskbar();
    return 1;
}

int AutoHideDocker::detach() {
    if (isAttached()) unhook();
    stopPolling();
    return 1;
}

// The taskbar as it is now; without one the last measure stays.
void AutoHideDocker::measureTaskbar() {
    HWND taskbar = FindWindowW(L"Shell_TrayWnd", nullptr);
    RECT bar{};
    if (taskbar == nullptr || !GetWindowRect(taskbar, &bar)) return;
    RECT workArea{0, 0, 0, GetSystemMetrics(SM_CYSCREEN)};
    SystemParametersInfoW(SPI_GETWORKAREA, 0, &workArea, 0);
    taskbarHeight_ = DockGeometry::bottomReserve(toRect(bar), GetSystemMetrics(SM_CYSCREEN),
                                                 workArea.bottom);
}

DockGeometry AutoHideDocker::geometry() const {
    // The strip and the distances follow the DPI of the window's monitor.
    const DpiScale scale(WindowDpi::of(window_));
    const ScreenMetrics screen{GetSystemMetrics(SM_CXSCREEN), GetSystemMetrics(SM_CYSCREEN),
                               WindowDpi::metric(SM_CYEDGE, scale.dpi()),
                               WindowDpi::metric(SM_CXFRAME, scale.dpi()),
                               taskbarHeight_};
    return DockGeometry(screen, scale.px(parameters_.snapDistance), frameInset());
}

void AutoHideDocker::startPolling() {
    if (polling_ || window_ == nullptr) return;
    if (SetTimer(window_, PollTimerId, static_cast<UINT>(parameters_.pollPeriod), nullptr) != 0) {
        polling_ = true;
    }
}

void AutoHideDocker::stopPolling() {
    if (!polling_) return;
    KillTimer(window_, PollTimerId);
    polling_ = false;
}

Rect AutoHideDocker::windowRect() const {
    RECT r{};
    GetWindowRect(window_, &r);
    return toRect(r);
}

FrameInset AutoHideDocker::frameInset() const {
    RECT visible{};
    if (queryFrameBounds_ == nullptr || window_ == nullptr ||
        FAILED(queryFrameBounds_(window_, ExtendedFrameBounds, &visible, sizeof visible))) {
        return FrameInset{};
    }
    return FrameInset::between(windowRect(), toRect(visible));
}

void AutoHideDocker::moveWindowTo(const Rect& r) {
    SetWindowPos(window_, HWND_TOPMOST, r.left, r.top, r.width(), r.height(), SWP_SHOWWINDOW);
}

void AutoHideDocker::hideAtEdge() {
    if (dockSide_ == DockSide::None && isAttached()) return;
    moveWindowTo(geometry().tucked(dockSide_, windowRect()));
    hidden_ = true;
}

void AutoHideDocker::showAtEdge() {
    if (dockSide_ == DockSide::None && isAttached()) return;
    moveWindowTo(geometry().shown(dockSide_, windowRect()));
    hidden_ = false;
}

// The pointer is over the window's frame or background.
bool AutoHideDocker::onNcHitTest(POINT, LRESULT&) {
    if (dockSide_ != DockSide::None) startPolling();
    if (hidden_) showAtEdge();
    return false;
}

bool AutoHideDocker::onTimer(UINT_PTR id) {
    if (id == PollTimerId) checkPointerLeft();
    return false;
}

void AutoHideDocker::checkPointerLeft() {
    POINT cursor{};
    GetCursorPos(&cursor);
    RECT around = toRECT(windowRect());
    const int margin = DpiScale(WindowDpi::of(window_)).px(parameters_.leaveMargin);
    InflateRect(&around, margin, margin);
    if (PtInRect(&around, cursor)) return;
    stopPolling();
    hideAtEdge();
}

bool AutoHideDocker::onSizing(UINT edge, RECT& rect, LRESULT&) {
    Rect proposed = toRect(rect);
    const DpiScale scale(WindowDpi::of(window_));
    MinimumSize(scale.px(parameters_.minWidth), scale.px(parameters_.minHeight))
        .apply(static_cast<int>(edge), proposed);
    rect = toRECT(proposed);
    return false;
}

// Docks by where the pointer is, not where the window is.
bool AutoHideDocker::onMoving(RECT& rect, LRESULT&) {
    POINT cursor{};
    GetCursorPos(&cursor);
    const DockGeometry dock = geometry();
    dockSide_ = dock.sideFor(cursor.x, cursor.y);
    rect = toRECT(dock.docked(dockSide_, toRect(rect)));
    if (dockSide_ == DockSide::None) stopPolling();
    return false;
}
