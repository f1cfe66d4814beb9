#include "ui/CTrayIcon.h"

#include <cstring>
#include <string>
#include <utility>

#include "core/CodePage.h"
#include "ui/framework/Window.h"

namespace {

// Copies text into a tip field of the given capacity: at most capacity - 1
// bytes and the terminator, never the lead byte of a double-byte character
// without its trail byte.
void copyTip(CHAR* field, std::size_t capacity, const char* text) {
    std::size_t used = 0;
    while (text[used] != '\0') {
        const bool pair =
            codepage::isLeadByte(static_cast<unsigned char>(text[used])) && text[used + 1] != '\0';
        const std::size_t width = pair ? 2 : 1;
        if (used + width > capacity - 1) break;
        used += width;
    }
    std::memcpy(field, text, used);
    field[used] = '\0';
}

}  // namespace

CTrayIcon::CTrayIcon(UINT id) : data_() {
    // The first-version record: the shell reads no field after the 64-byte
    // tip (88 bytes in a 32-bit build, more on x64 for the wider handles).
    data_.cbSize = NOTIFYICONDATAA_V1_SIZE;
    data_.uID = id;
    loadTip(id);
}

CTrayIcon::~CTrayIcon() { setIconFromResource(0); }

void CTrayIcon::loadTip(UINT id) {
    const std::string tip = wintext::narrow(wintext::loadString(id));
    copyTip(data_.szTip, TipBytes, tip.c_str());
}

void CTrayIcon::setNotifyTarget(HWND window, UINT message) {
    data_.hWnd = window;
    data_.uCallbackMessage = message;
}

BOOL CTrayIcon::setIconFromResource(UINT id) {
    if (id == 0) {
        const BOOL result = setIcon(nullptr, nullptr);
        loadedIcon_.reset();
        return result;
    }
    loadTip(id);
    IconHandle icon(static_cast<HICON>(LoadImageW(GetModuleHandleW(nullptr), MAKEINTRESOURCEW(id),
                                                  IMAGE_ICON, GetSystemMetrics(SM_CXSMICON),
                                                  GetSystemMetrics(SM_CYSMICON),
                                                  LR_DEFAULTCOLOR)));
    const BOOL result = setIcon(icon.get(), nullptr);
    // The previous icon goes only once the shell shows the new one.
    loadedIcon_ = std::move(icon);
    return result;
}

BOOL CTrayIcon::setIcon(HICON icon, const char* tip) {
    data_.uFlags = 0;
    DWORD operation = NIM_DELETE;
    if (icon != nullptr) {
        operation = data_.hIcon != nullptr ? NIM_MODIFY : NIM_ADD;
        data_.hIcon = icon;
        data_.uFlags = NIF_ICON;
    } else if (data_.hIcon == nullptr) {
        return TRUE;
    }
    if (tip != nullptr) copyTip(data_.szTip, TipBytes, tip);
    if (data_.szTip[0] != '\0') data_.uFlags |= NIF_TIP;
    if (data_.uCallbackMessage != 0 && data_.hWnd != nullptr) data_.uFlags |= NIF_MESSAGE;

    const BOOL result = Shell_NotifyIconA(operation, &data_);
    if (operation == NIM_DELETE || !result) data_.hIcon = nullptr;
    return result;
}

int CTrayIcon::onNotify(WPARAM wParam, LPARAM lParam) {
    if (wParam != static_cast<WPARAM>(data_.uID)) return 0;
    if (lParam != WM_RBUTTONUP && lParam != WM_LBUTTONUP) return 0;

    MenuHandle menu(LoadMenuW(GetModuleHandleW(nullptr), MAKEINTRESOURCEW(data_.uID)));
    if (!menu) return 0;
    HMENU popup = GetSubMenu(menu.get(), 0);
    if (popup == nullptr) return 0;

    if (lParam == WM_RBUTTONUP) {
        SetMenuDefaultItem(popup, 0, TRUE);
        POINT cursor{};
        GetCursorPos(&cursor);
        SetForegroundWindow(data_.hWnd);
        TrackPopupMenu(popup, 0, cursor.x, cursor.y, 0, data_.hWnd, nullptr);
    } else {
        ShowWindow(data_.hWnd, SW_SHOWNORMAL);
    }
    return 1;
}
