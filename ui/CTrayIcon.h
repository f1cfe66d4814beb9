// The program's icon in the notification area: a right-button release opens
// the tray menu at the pointer, a left-button release shows the main window.
#pragma once

#include <windows.h>
#include <shellapi.h>

#include <cstddef>

#include "core/win32/Handles.h"

class CTrayIcon {
public:
    explicit CTrayIcon(UINT id);
    virtual ~CTrayIcon();
    CTrayIcon(const CTrayIcon&) = delete;
    CTrayIcon& operator=(const CTrayIcon&) = delete;

    void setNotifyTarget(HWND window, UINT message);
    BOOL setIconFromResource(UINT id);
    BOOL setIcon(HICON icon, const char* tip);
    // 1 when the notification was handled, else 0.
    virtual int onNotify(WPARAM wParam, LPARAM lParam);

    const NOTIFYICONDATAA& data() const { return data_; }
    bool isShown() const { return data_.hIcon != nullptr; }

    // Room for the tip in the classic record: 63 bytes of text and the
    // terminator.
    static constexpr std::size_t TipBytes = 64;

private:
    void loadTip(UINT id);

    NOTIFYICONDATAA data_;
    IconHandle loadedIcon_;  // the icon loaded by setIconFromResource
};
