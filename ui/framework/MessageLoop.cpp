#include "ui/framework/MessageLoop.h"

#include "ui/framework/Window.h"

namespace messageloop {

namespace {
bool walkPreTranslate(MSG& msg) {
    for (HWND hwnd = msg.hwnd; hwnd != nullptr; hwnd = GetParent(hwnd)) {
        Window* window = Window::fromHandle(hwnd);
        if (window != nullptr && window->preTranslateMessage(msg)) return true;
        if ((GetWindowLongPtrW(hwnd, GWL_STYLE) & WS_CHILD) == 0) break;
    }
    return false;
}
}  // namespace

bool preTranslate(MSG& msg) {
    if (msg.hwnd == nullptr) return false;
    if (walkPreTranslate(msg)) return true;
    HWND root = GetAncestor(msg.hwnd, GA_ROOT);
    return root != nullptr && Window::fromHandle(root) != nullptr &&
           IsDialogMessageW(root, &msg);
}

bool runWhile(const std::function<bool()>& keepRunning) {
    MSG msg;
    while (keepRunning()) {
        BOOL got = GetMessageW(&msg, nullptr, 0, 0);
        if (got == 0) {
            PostQuitMessage(static_cast<int>(msg.wParam));
            return false;
        }
        if (got < 0) return false;
        if (preTranslate(msg)) continue;
        TranslateMessage(&msg);
        DispatchMessageW(&msg);
    }
    return true;
}

}  // namespace messageloop
