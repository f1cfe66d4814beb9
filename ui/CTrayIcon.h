// The program's icon in the notification area: a right-button release opens
// the tray menu at the pointer, a left-button release shows the main window.
#pragma once

#include <windows.h>
#include <shellapi.h>

#include <cstddef>
#include <string>

#include "core/win32/Handles.h"

class CTrayIcon {
public:
    explicit CTrayIcon(UINT id);
    virtual ~CTrayIcon();
    CTrayIcon(const CTrayIcon&) = delete;
    CTrayIcon& operator=(const CTrayIcon&) = delete;

    void setNotifyTarget(HWND window, UINT message);
    BOOL setIconFromResource(UINT id);
    BOOL setIcon(HICON icon, const wchar_t* tip);
    // 1 when the notification was handled, else 0.
    virtual int onNotify(WPARAM wParam, LPARAM lParam);

    const NOTIFYICONDATAW& data() const { return data_; }
    bool isShown() const { return data_.hIcon != nullptr; }

    // The tip shows at most what 63 bytes of narrow text hold (as
    // NarrowMeasure counts them), as the classic narrow record did; the
    // wide record's 64 characters always have room for it.
    static constexpr std::size_t TipBytes = 63;

private:
    void loadTip(UINT id);

    NOTIFYICONDATAW data_;
    IconHandle loadedIcon_;  // the icon loaded by setIconFromResource
};
