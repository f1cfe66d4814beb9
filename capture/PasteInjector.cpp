#include "capture/PasteInjector.h"

#include <string>

#include "capture/HotkeyRegistrar.h"
#include "core/PasteKeystroke.h"

namespace {
constexpr int ClassNameSize = 128;
constexpr DWORD FrontWaitMs = 100;
constexpr ULONGLONG ReleaseWaitMs = 2000;

// A modifier other than the keystroke's own is down: Ctrl, Shift, Alt or a
// Windows key.
bool otherModifierHeld(unsigned ownModifier) {
    for (unsigned key : {VK_CONTROL, VK_SHIFT, VK_MENU, VK_LWIN, VK_RWIN}) {
        if (key != ownModifier && (GetAsyncKeyState(static_cast<int>(key)) & 0x8000) != 0) return true;
    }
    return false;
}

void waitForOtherModifiersReleased(unsigned ownModifier) {
    const ULONGLONG end = GetTickCount64() + ReleaseWaitMs;
    while (otherModifierHeld(ownModifier) && GetTickCount64() < end) Sleep(10);
}

std::string classNameOf(HWND window) {
    char name[ClassNameSize] = {};
    if (window == nullptr) return std::string();
    const int length = GetClassNameA(window, name, ClassNameSize);
    return std::string(name, length > 0 && length < ClassNameSize ? length : 0);
}
}  // namespace

void PasteInjector::PasteIntoWindow(HWND target) {
    const std::string className = classNameOf(target);
    if (target != nullptr) SetForegroundWindow(target);
    Sleep(FrontWaitMs);
    const PasteKeystroke::Events keys = PasteKeystroke::forWindowClass(className);
    waitForOtherModifiersReleased(keys.front().virtualKey);
    hotkeys_.unregisterAll();
    for (const KeyEvent& key : keys) {
        keybd_event(static_cast<BYTE>(key.virtualKey), static_cast<BYTE>(key.scanCode),
                    key.flags, 0);
    }
    hotkeys_.restoreAfterPaste();
}
