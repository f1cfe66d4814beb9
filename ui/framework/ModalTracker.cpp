#include "ui/framework/ModalTracker.h"

#include <dlgs.h>

#include "ui/PrivateMessages.h"
#include "ui/framework/Dialog.h"

bool ModalTracker::handle(HWND root, UINT msg, LPARAM lParam, LRESULT& result) {
    result = 0;
    switch (msg) {
    case WM_MODAL_ENTER:
        loops_.push_back(nullptr);
        if (closing_) result = ModalRefused;
        return true;
    case WM_MODAL_LEAVE:
        if (!loops_.empty()) loops_.pop_back();
        // Posted: the code the last loop returns into runs first.
        if (closing_ && loops_.empty()) PostMessageW(root, WM_EXIT_UNWOUND, 0, 0);
        return true;
    case WM_MODAL_SHOWN:
        if (!loops_.empty()) loops_.back() = reinterpret_cast<HWND>(lParam);
        return true;
    case WM_MODAL_CLOSING:
        if (closing_) result = ModalRefused;
        return true;
    case WM_MODAL_FRONT:
        for (auto it = loops_.rbegin(); it != loops_.rend(); ++it) {
            if (*it != nullptr && IsWindow(*it)) {
                result = reinterpret_cast<LRESULT>(*it);
                break;
            }
        }
        return true;
    case WM_EXIT_REQUEST:
        requestExit(root);
        result = 1;
        return true;
    case WM_EXIT_UNWOUND:
        if (loops_.empty()) runExit();
        return true;
    default:
        return false;
    }
}

// With nothing modal on the stack the exit runs at once, as it always did.
void ModalTracker::requestExit(HWND root) {
    if (loops_.empty()) {
        runExit();
        return;
    }
    closing_ = true;
    endModalWindows(root);
}

void ModalTracker::endModalWindows(HWND root) {
    EnumThreadWindows(GetCurrentThreadId(), &ModalTracker::endOne, reinterpret_cast<LPARAM>(root));
    EndMenu();
}

// Our modal dialogs end with IDCANCEL; the system's dialogs as cancelled: a
// file dialog by its Cancel button (EndDialog would make it report a
// choice), a message box by EndDialog (a Yes/No box has no Cancel button).
BOOL CALLBACK ModalTracker::endOne(HWND window, LPARAM root) {
    if (window == reinterpret_cast<HWND>(root)) return TRUE;
    if (Window* object = Window::fromHandle(window)) {
        auto* dialog = dynamic_cast<Dialog*>(object);
        if (dialog != nullptr && dialog->isModal()) dialog->endDialog(IDCANCEL);
        return TRUE;
    }
    wchar_t name[16] = {};
    if (GetClassNameW(window, name, 16) == 0 || lstrcmpW(name, L"#32770") != 0) return TRUE;
    if (GetDlgItem(window, cmb13) != nullptr || GetDlgItem(window, edt1) != nullptr) {
        PostMessageW(window, WM_COMMAND, IDCANCEL, 0);
    } else {
        EndDialog(window, IDCANCEL);
    }
    return TRUE;
}

void ModalTracker::runExit() {
    if (exited_) return;
    exited_ = true;
    if (exit_) exit_();
}
