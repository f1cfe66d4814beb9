#include "ui/CenteredDialog.h"

namespace {

RECT workAreaOf(HWND window) {
    MONITORINFO monitor{};
    monitor.cbSize = sizeof monitor;
    if (GetMonitorInfoW(MonitorFromWindow(window, MONITOR_DEFAULTTONEAREST), &monitor)) {
        return monitor.rcWork;
    }
    RECT area{0, 0, GetSystemMetrics(SM_CXSCREEN), GetSystemMetrics(SM_CYSCREEN)};
    return area;
}

int centredWithin(int low, int high, int size, int areaLow, int areaHigh) {
    int at = low + (high - low - size) / 2;
    if (at + size > areaHigh) at = areaHigh - size;
    if (at < areaLow) at = areaLow;
    return at;
}

}  // namespace

bool CenteredDialog::onInitDialog() {
    HWND owner = GetWindow(hwnd(), GW_OWNER);
    const RECT area = workAreaOf(owner != nullptr ? owner : hwnd());
    RECT centre = area;
    if (owner != nullptr && IsWindowVisible(owner) && !IsIconic(owner)) GetWindowRect(owner, &centre);
    RECT box{};
    GetWindowRect(hwnd(), &box);
    const int width = box.right - box.left;
    const int height = box.bottom - box.top;
    SetWindowPos(hwnd(), nullptr, centredWithin(centre.left, centre.right, width, area.left, area.right),
                 centredWithin(centre.top, centre.bottom, height, area.top, area.bottom), 0, 0,
                 SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
    return true;
}
