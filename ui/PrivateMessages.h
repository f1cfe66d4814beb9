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

// Modal loops, to the root owner of the window they run over (see
// ui/framework/ModalScope.h); wParam 0 and lParam 0 unless said otherwise.
// A modal loop starts: answers ModalRefused while the program is closing.
constexpr UINT WM_MODAL_ENTER = WM_USER + 203;
// The innermost modal loop has ended.
constexpr UINT WM_MODAL_LEAVE = WM_USER + 204;
// The innermost modal loop shows its window (lParam: the window).
constexpr UINT WM_MODAL_SHOWN = WM_USER + 205;
// Answers ModalRefused while the program is closing, else 0.
constexpr UINT WM_MODAL_CLOSING = WM_USER + 206;
// Answers the window of the innermost modal loop that showed one, else 0.
constexpr UINT WM_MODAL_FRONT = WM_USER + 207;
// The confirmed exit, from the main window to its owner: answers 1 when the
// owner takes it over.
constexpr UINT WM_EXIT_REQUEST = WM_USER + 208;
// Posted by the owner to itself: every modal loop has unwound.
constexpr UINT WM_EXIT_UNWOUND = WM_USER + 209;

constexpr LRESULT ModalRefused = 1;
