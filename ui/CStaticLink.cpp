#include "ui/CStaticLink.h"

#include <shellapi.h>
#include <windowsx.h>

#include <cctype>

#include "core/ProgramFolder.h"

namespace {

// The hand cursor, shared by all links and loaded at most once.
HCURSOR handCursor = nullptr;
bool handCursorTried = false;

bool startsWithNoCase(const std::string& text, const char* prefix) {
    for (std::size_t i = 0; prefix[i] != '\0'; ++i) {
        if (i >= text.size()) return false;
        if (std::tolower(static_cast<unsigned char>(text[i])) !=
            std::tolower(static_cast<unsigned char>(prefix[i]))) {
            return false;
        }
    }
    return true;
}

bool isAbsolutePath(const std::string& path) {
    if (path.empty()) return false;
    if (path[0] == '\\' || path[0] == '/') return true;
    return path.size() >= 2 && std::isalpha(static_cast<unsigned char>(path[0])) && path[1] == ':';
}

// True for the styles of a plain text static: left, centred or right.
bool isTextStatic(HWND hwnd) {
    const LONG_PTR type = GetWindowLongPtrW(hwnd, GWL_STYLE) & 0xFF;
    return type == SS_LEFT || type == SS_CENTER || type == SS_RIGHT;
}

}  // namespace

CStaticLink::CStaticLink(const char* target, bool deleteOnDestroy)
    : target_(target != nullptr ? target : ""), deleteOnDestroy_(deleteOnDestroy) {}

std::string CStaticLink::resolveTarget(const std::string& target) {
    if (target.empty() || target.find("://") != std::string::npos ||
        startsWithNoCase(target, "mailto:") || isAbsolutePath(target)) {
        return target;
    }
    return pathInFolder(programFolder(), target);
}

INT_PTR CStaticLink::openTarget() {
    if (target_.empty()) return 0;
    const std::wstring file = wintext::wide(resolveTarget(target_));
    HINSTANCE result =
        ShellExecuteW(nullptr, L"open", file.c_str(), nullptr, nullptr, SW_SHOWNORMAL);
    return reinterpret_cast<INT_PTR>(result);
}

void CStaticLink::setColour(COLORREF colour) {
    colour_ = colour;
    if (isAlive()) InvalidateRect(hwnd(), nullptr, TRUE);
}

bool CStaticLink::onNcHitTest(POINT, LRESULT& result) {
    if (!hovering_) {
        hovering_ = true;
        setColour(Hover);
        SetTimer(hwnd(), HoverTimer, 100, nullptr);
    }
    // Answering "client" makes the static get mouse messages without the
    // notify style.
    result = HTCLIENT;
    return true;
}

bool CStaticLink::onTimer(UINT_PTR) {
    const DWORD position = GetMessagePos();
    POINT point{GET_X_LPARAM(position), GET_Y_LPARAM(position)};
    ScreenToClient(hwnd(), &point);
    RECT client{};
    GetClientRect(hwnd(), &client);
    if (!PtInRect(&client, point)) {
        hovering_ = false;
        KillTimer(hwnd(), HoverTimer);
        setColour(Unvisited);
    }
    return false;
}

bool CStaticLink::onReflectedCtlColor(HDC dc, LRESULT& brush) {
    if (!isTextStatic(hwnd())) return false;
    if (!font_) {
        auto current = reinterpret_cast<HFONT>(SendMessageW(hwnd(), WM_GETFONT, 0, 0));
        LOGFONTW description{};
        if (current != nullptr && GetObjectW(current, sizeof(description), &description) != 0) {
            font_.reset(CreateFontIndirectW(&description));
        }
    }
    if (font_) SelectObject(dc, font_.get());
    SetTextColor(dc, colour_);
    SetBkMode(dc, TRANSPARENT);
    brush = reinterpret_cast<LRESULT>(GetStockObject(NULL_BRUSH));
    return true;
}

bool CStaticLink::onLButtonDown(UINT, POINT) {
    if (target_.empty()) {
        std::wstring found = wintext::loadString(static_cast<UINT>(GetDlgCtrlID(hwnd())));
        if (found.empty()) found = wintext::windowText(hwnd());
        target_ = wintext::narrow(found);
        if (target_.empty()) return true;
    }
    if (openTarget() <= 32) {
        MessageBeep(0);
    } else {
        setColour(Visited);
    }
    return true;
}

bool CStaticLink::onSetCursor(HWND, UINT, UINT, LRESULT& result) {
    if (handCursor == nullptr && !handCursorTried) {
        handCursor = LoadCursorW(nullptr, IDC_HAND);
        handCursorTried = true;
    }
    if (handCursor == nullptr) {
        result = FALSE;
        return true;
    }
    SetCursor(handCursor);
    result = TRUE;
    return true;
}

bool CStaticLink::onMessage(UINT msg, WPARAM, LPARAM, LRESULT&) {
    if (msg == WM_SETFONT) font_.reset();
    return false;
}

void CStaticLink::onFinalMessage() {
    if (deleteOnDestroy_) delete this;
}
