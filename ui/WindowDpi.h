// The DPI of a window's monitor and the sizes that go with it. The
// per-monitor functions exist only on newer systems (and not all of them in
// Wine), so they are looked up at run time; where one is missing the
// system's DPI and metrics stand in.
#pragma once

#include <windows.h>

class WindowDpi {
public:
    // The DPI of window's monitor (GetDpiForWindow), else the system's
    // (LOGPIXELSY of the screen).
    static int of(HWND window);
    // A system metric at dpi (GetSystemMetricsForDpi), else the system's
    // metric scaled from the system's DPI.
    static int metric(int index, int dpi);
    // Leaves the fonts and controls of dialog to the dialog when its DPI
    // changes (SetDialogDpiChangeBehavior); nothing where that is missing.
    static void keepDialogLayoutOwn(HWND dialog);

private:
    static int systemDpi();
    static FARPROC user32Function(const char* name);
};
