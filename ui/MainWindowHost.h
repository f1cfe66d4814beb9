// What the main window asks of the application that runs it.
#pragma once

#include <windows.h>

class MainWindowHost {
public:
    virtual ~MainWindowHost() = default;
    // Saves both lists to the data file and keeps them: the session may go
    // on after a log-off query.
    virtual void saveStores() = 0;
    // The main window now exists (or, with null, is gone): message boxes
    // and the clipboard use it as their owner.
    virtual void mainWindowChanged(HWND window) = 0;
};
