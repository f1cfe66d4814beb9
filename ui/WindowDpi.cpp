#include "ui/WindowDpi.h"

#include "core/DpiScale.h"

namespace {
using GetDpiForWindowFn = UINT(WINAPI*)(HWND);
using GetSystemMetricsForDpiFn = int(WINAPI*)(int, UINT);
using SetDialogDpiChangeBehaviorFn = BOOL(WINAPI*)(HWND, int, int);
// DDC_DISABLE_ALL: neither the font nor the controls are changed by the
// dialog manager.
constexpr int DialogKeepsEverything = 1;

template <typename Function>
Function cast(FARPROC address) {
    return reinterpret_cast<Function>(reinterpret_cast<void*>(address));
}
}  // namespace

FARPROC WindowDpi::user32Function(const char* name) {
    HMODULE user32 = GetModuleHandleW(L"user32.dll");
    return user32 != nullptr ? GetProcAddress(user32, name) : nullptr;
}

int WindowDpi::systemDpi() {
    HDC screen = GetDC(nullptr);
    const int dpi = screen != nullptr ? GetDeviceCaps(screen, LOGPIXELSY) : 0;
    if (screen != nullptr) ReleaseDC(nullptr, screen);
    return dpi > 0 ? dpi : DpiScale::Standard;
}

int WindowDpi::of(HWND window) {
    const auto forWindow = cast<GetDpiForWindowFn>(user32Function("GetDpiForWindow"));
    const UINT dpi = forWindow != nullptr && window != nullptr ? forWindow(window) : 0;
    return dpi > 0 ? static_cast<int>(dpi) : systemDpi();
}

int WindowDpi::metric(int index, int dpi) {
    const auto forDpi =
        cast<GetSystemMetricsForDpiFn>(user32Function("GetSystemMetricsForDpi"));
    if (forDpi != nullptr) return forDpi(index, static_cast<UINT>(dpi));
    return MulDiv(GetSystemMetrics(index), dpi, systemDpi());
}

void WindowDpi::keepDialogLayoutOwn(HWND dialog) {
    const auto behaviour =
        cast<SetDialogDpiChangeBehaviorFn>(user32Function("SetDialogDpiChangeBehavior"));
    if (behaviour != nullptr) behaviour(dialog, DialogKeepsEverything, DialogKeepsEverything);
}
