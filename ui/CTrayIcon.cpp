#include "ui/CTrayIcon.h"

#include <algorithm>
#include <string>
#include <utility>

#include "core/NarrowMeasure.h"
#include "ui/framework/ModalScope.h"
#include "ui/framework/Window.h"

namespace {

// Copies the start of text that fits into TipBytes narrow bytes into the
// tip field, never half a character, and terminates it.
void copyTip(WCHAR* field, const std::u16string& text) {
    const std::size_t units = NarrowMeasure::prefixUnits(text, CTrayIcon::TipBytes);
    std::copy(text.begin(), text.begin() + static_cast<std::ptrdiff_t>(units), field);
    field[units] = L'\0';
}

}  // namespace

CTrayIcon::CTrayIcon(UINT id) : data_() {
    // The first-version record: the shell reads no field after the
    // 64-character tip (152 bytes in a 32-bit build, more on x64 for the
    // wider handles).
    data_.cbSize = NOTIFYICONDATAW_V1_SIZE;
    data_.uID = id;
    loadTip(id);
}

CTrayIcon::~CTrayIcon() { setIconFromResource(0); }

void CTrayIcon::loadTip(UINT id) {
    copyTip(data_.szTip, wintext::utf16(wintext::loadString(id)));
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

BOOL CTrayIcon::setIcon(HICON icon, const wchar_t* tip) {
    data_.uFlags = 0;
    DWORD operation = NIM_DELETE;
    if (icon != nullptr) {
        operation = data_.hIcon != nullptr ? NIM_MODIFY : NIM_ADD;
        data_.hIcon = icon;
        data_.uFlags = NIF_ICON;
    } else if (data_.hIcon == nullptr) {
        return TRUE;
    }
    if (tip != nullptr) copyTip(data_.szTip, wintext::utf16(tip));
    if (data_.szTip[0] != '\0') data_.uFlags |= NIF_TIP;
    if (data_.uCallbackMessage != 0 && data_.hWnd != nullptr) data_.uFlags |= NIF_MESSAGE;

    const BOOL result = Shell_NotifyIconW(operation, &data_);
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
        const ModalScope scope(data_.hWnd);
        if (scope.closing()) return 1;
        SetForegroundWindow(data_.hWnd);
        TrackPopupMenu(popup, 0, cursor.x, cursor.y, 0, data_.hWnd, nullptr);
    } else {
        ShowWindow(data_.hWnd, SW_SHOWNORMAL);
    }
    return 1;
}
