#pragma once

// Message pumping for the GUI tests: the test thread owns the windows under
// test, so it runs their messages itself while it waits.

#include <windows.h>

#include <functional>

// Runs the thread's messages until done() holds or the time is up; answers
// whether done() held.
inline bool pumpUntil(const std::function<bool()>& done, DWORD milliseconds = 5000) {
    const DWORD start = GetTickCount();
    for (;;) {
        MSG msg;
        while (PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) {
            TranslateMessage(&msg);
            DispatchMessageW(&msg);
        }
        if (done()) return true;
        if (GetTickCount() - start >= milliseconds) return false;
        Sleep(5);
    }
}

// Runs the thread's messages for the given time.
inline void pumpFor(DWORD milliseconds) {
    pumpUntil([] { return false; }, milliseconds);
}
