// The program's own window messages.
#pragma once

#include <windows.h>

// Mouse events of the notification-area icon, to the main window
// (wParam: icon id, lParam: mouse message).
constexpr UINT WM_TRAY_CALLBACK = WM_USER + 200;
// The main window is being destroyed, to its owner (wParam 0, lParam 0).
constexpr UINT WM_MAIN_DESTROYED = WM_USER + 201;
// Posted by the owner to itself: the main window is gone for good, its
// object may be deleted now.
constexpr UINT WM_RELEASE_MAIN = WM_USER + 202;
