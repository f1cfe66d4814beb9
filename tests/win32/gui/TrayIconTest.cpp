#include "ui/CTrayIcon.h"
#include <gtest/gtest.h>
#include <cstdio>
TEST(TrayProbe, Shell) {
    HWND w = CreateWindowExW(0, L"STATIC", L"t", WS_POPUP, 0, 0, 10, 10, nullptr, nullptr, GetModuleHandleW(nullptr), nullptr);
    CTrayIcon tray(129);
    tray.setNotifyTarget(w, WM_USER + 200);
    SetLastError(0);
    BOOL r = tray.setIconFromResource(129);
    printf("add=%d err=%lu cbSize=%lu shown=%d flags=%u\n", r, GetLastError(), tray.data().cbSize, tray.isShown(), tray.data().uFlags);
    r = tray.setIconFromResource(129);
    printf("modify=%d shown=%d\n", r, tray.isShown());
    NOTIFYICONDATAA d = tray.data();
    printf("direct add again=%d\n", Shell_NotifyIconA(NIM_ADD, &d));
    r = tray.setIconFromResource(0);
    printf("delete=%d shown=%d\n", r, tray.isShown());
    printf("direct modify after delete=%d\n", Shell_NotifyIconA(NIM_MODIFY, &d));
    DestroyWindow(w);
}
