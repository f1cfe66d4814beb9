#include "ui/framework/Dialog.h"

#include "ui/framework/MessageLoop.h"
#include "ui/framework/ModalScope.h"

Dialog::~Dialog() {
    HWND hwnd = this->hwnd();
    if (hwnd != nullptr) {
        detachHandle();
        if (IsWindow(hwnd)) DestroyWindow(hwnd);
    }
}

namespace {
// A system-modal template means an always-on-top window; not every window
// manager derives that from the style, so it is set explicitly.
void keepSystemModalOnTop(HWND hwnd) {
    if ((GetWindowLongPtrW(hwnd, GWL_STYLE) & DS_SYSMODAL) == 0) return;
    if ((GetWindowLongPtrW(hwnd, GWL_EXSTYLE) & WS_EX_TOPMOST) != 0) return;
    SetWindowPos(hwnd, HWND_TOPMOST, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
}
}  // namespace

INT_PTR CALLBACK Dialog::dialogProc(HWND hwnd, UINT msg, WPARAM, LPARAM lParam) {
    if (msg != WM_INITDIALOG) return FALSE;
    auto* self = reinterpret_cast<Dialog*>(lParam);
    if (self == nullptr || !self->subclass(hwnd)) return TRUE;
    keepSystemModalOnTop(hwnd);
    try {
        return self->onInitDialog() ? TRUE : FALSE;
    } catch (...) {
        return TRUE;
    }
}

bool Dialog::create(HWND parent) {
    if (hwnd() != nullptr) return false;
    HWND created = CreateDialogParamW(GetModuleHandleW(nullptr), MAKEINTRESOURCEW(templateId_),
                                      parent, &Dialog::dialogProc,
                                      reinterpret_cast<LPARAM>(this));
    return created != nullptr && hwnd() == created;
}

INT_PTR Dialog::doModal(HWND parent) {
    // While the program is closing no dialog is shown: a cancelled one.
    const ModalScope scope(parent);
    if (scope.closing()) return IDCANCEL;
    modal_ = true;
    running_ = true;
    result_ = IDCANCEL;
    if (!create(parent)) {
        modal_ = running_ = false;
        return -1;
    }
    scope.shown(hwnd());
    const bool disableParent = parent != nullptr && IsWindowEnabled(parent);
    if (disableParent) EnableWindow(parent, FALSE);
    if (isAlive()) ShowWindow(hwnd(), SW_SHOWNORMAL);
    messageloop::runWhile([this] { return running_ && isAlive(); });
    if (disableParent) EnableWindow(parent, TRUE);
    if (parent != nullptr && isAlive() && GetActiveWindow() == hwnd()) SetActiveWindow(parent);
    destroyWindow();
    modal_ = running_ = false;
    return result_;
}

void Dialog::endDialog(INT_PTR result) {
    result_ = result;
    running_ = false;
    if (isAlive()) PostMessageW(hwnd(), WM_NULL, 0, 0);
}

bool Dialog::onInitDialog() { return true; }

void Dialog::onOK() {
    if (modal_) endDialog(IDOK);
}

void Dialog::onCancel() {
    if (modal_) endDialog(IDCANCEL);
}

bool Dialog::onCommand(int id, int, HWND) {
    if (id == IDOK) {
        onOK();
        return true;
    }
    if (id == IDCANCEL) {
        onCancel();
        return true;
    }
    return false;
}

void Dialog::onFinalMessage() { running_ = false; }
