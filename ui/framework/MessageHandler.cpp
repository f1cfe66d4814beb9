#include "ui/framework/MessageHandler.h"

#include <windowsx.h>

namespace {
POINT pointFromLParam(LPARAM lParam) {
    return POINT{GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)};
}

RECT& rectFromLParam(LPARAM lParam) { return *reinterpret_cast<RECT*>(lParam); }
}  // namespace

void MessageHandler::setCommandRange(int first, int last) {
    commandRangeFirst_ = first;
    commandRangeLast_ = last;
}

bool MessageHandler::crackCommand(WPARAM wParam, LPARAM lParam) {
    const int id = LOWORD(wParam);
    if (id >= commandRangeFirst_ && id <= commandRangeLast_) return onCommandRange(id);
    return onCommand(id, HIWORD(wParam), reinterpret_cast<HWND>(lParam));
}

bool MessageHandler::crack(UINT msg, WPARAM wParam, LPARAM lParam, LRESULT& result) {
    return crackTyped(msg, wParam, lParam, result) || onMessage(msg, wParam, lParam, result);
}

bool MessageHandler::crackTyped(UINT msg, WPARAM wParam, LPARAM lParam, LRESULT& result) {
    switch (msg) {
    case WM_COMMAND:
        return crackCommand(wParam, lParam);
    case WM_NOTIFY:
        return lParam != 0 && onNotify(*reinterpret_cast<NMHDR*>(lParam), result);
    case WM_SIZE:
        return onSize(static_cast<UINT>(wParam), LOWORD(lParam), HIWORD(lParam));
    case WM_TIMER:
        return onTimer(wParam);
    case WM_CLOSE:
        return onClose();
    case WM_DESTROY:
        return onDestroy();
    case WM_PAINT:
        return onPaint();
    case WM_NCPAINT:
        return onNcPaint(reinterpret_cast<HRGN>(wParam));
    case WM_SYSCOMMAND:
        return onSysCommand(static_cast<UINT>(wParam), lParam);
    case WM_MOUSEMOVE:
        return onMouseMove(static_cast<UINT>(wParam), pointFromLParam(lParam));
    case WM_LBUTTONDOWN:
        return onLButtonDown(static_cast<UINT>(wParam), pointFromLParam(lParam));
    case WM_KEYDOWN:
        return onKeyDown(static_cast<UINT>(wParam), static_cast<UINT>(lParam));
    case WM_SETCURSOR:
        return onSetCursor(reinterpret_cast<HWND>(wParam), LOWORD(lParam), HIWORD(lParam),
                           result);
    case WM_NCHITTEST:
        return onNcHitTest(pointFromLParam(lParam), result);
    case WM_CONTEXTMENU:
        return onContextMenu(reinterpret_cast<HWND>(wParam), pointFromLParam(lParam));
    case WM_SIZING:
        return lParam != 0 && onSizing(static_cast<UINT>(wParam), rectFromLParam(lParam), result);
    case WM_MOVING:
        return lParam != 0 && onMoving(rectFromLParam(lParam), result);
    case WM_HOTKEY:
        return onHotKey(static_cast<int>(wParam), LOWORD(lParam), HIWORD(lParam));
    case WM_DRAWCLIPBOARD:
        return onDrawClipboard(wParam, lParam);
    case WM_CHANGECBCHAIN:
        return onChangeCbChain(reinterpret_cast<HWND>(wParam), reinterpret_cast<HWND>(lParam));
    case WM_ACTIVATEAPP:
        return onActivateApp(wParam != FALSE, static_cast<DWORD>(lParam), result);
    default:
        return false;
    }
}

bool MessageHandler::onCommand(int, int, HWND) { return false; }
bool MessageHandler::onCommandRange(int) { return false; }
bool MessageHandler::onNotify(NMHDR&, LRESULT&) { return false; }
bool MessageHandler::onSize(UINT, int, int) { return false; }
bool MessageHandler::onTimer(UINT_PTR) { return false; }
bool MessageHandler::onClose() { return false; }
bool MessageHandler::onDestroy() { return false; }
bool MessageHandler::onPaint() { return false; }
bool MessageHandler::onNcPaint(HRGN) { return false; }
bool MessageHandler::onSysCommand(UINT, LPARAM) { return false; }
bool MessageHandler::onMouseMove(UINT, POINT) { return false; }
bool MessageHandler::onLButtonDown(UINT, POINT) { return false; }
bool MessageHandler::onKeyDown(UINT, UINT) { return false; }
bool MessageHandler::onSetCursor(HWND, UINT, UINT, LRESULT&) { return false; }
bool MessageHandler::onNcHitTest(POINT, LRESULT&) { return false; }
bool MessageHandler::onContextMenu(HWND, POINT) { return false; }
bool MessageHandler::onSizing(UINT, RECT&, LRESULT&) { return false; }
bool MessageHandler::onMoving(RECT&, LRESULT&) { return false; }
bool MessageHandler::onHotKey(int, UINT, UINT) { return false; }
bool MessageHandler::onDrawClipboard(WPARAM, LPARAM) { return false; }
bool MessageHandler::onChangeCbChain(HWND, HWND) { return false; }
bool MessageHandler::onActivateApp(bool, DWORD, LRESULT&) { return false; }
bool MessageHandler::onMessage(UINT, WPARAM, LPARAM, LRESULT&) { return false; }
