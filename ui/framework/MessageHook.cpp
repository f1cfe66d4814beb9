#include "ui/framework/MessageHook.h"

#include <commctrl.h>

MessageHook::~MessageHook() { unhook(); }

bool MessageHook::hook(HWND window) {
    if (window_ != nullptr || window == nullptr || !IsWindow(window)) return false;
    if (!SetWindowSubclass(window, &MessageHook::hookProc, subclassId(),
                           reinterpret_cast<DWORD_PTR>(this))) {
        return false;
    }
    window_ = window;
    return true;
}

void MessageHook::unhook() {
    if (window_ == nullptr) return;
    RemoveWindowSubclass(window_, &MessageHook::hookProc, subclassId());
    window_ = nullptr;
}

LRESULT MessageHook::passOn(UINT msg, WPARAM wParam, LPARAM lParam) {
    return DefSubclassProc(window_, msg, wParam, lParam);
}

LRESULT CALLBACK MessageHook::hookProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam,
                                       UINT_PTR, DWORD_PTR refData) {
    auto* self = reinterpret_cast<MessageHook*>(refData);
    LRESULT result = 0;
    bool handled = false;
    try {
        handled = self->crack(msg, wParam, lParam, result);
    } catch (...) {
        handled = false;
    }
    if (!handled) result = DefSubclassProc(hwnd, msg, wParam, lParam);
    if (msg == WM_NCDESTROY) self->unhook();
    return result;
}
