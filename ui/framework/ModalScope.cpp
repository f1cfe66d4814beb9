#include "ui/framework/ModalScope.h"

#include "ui/PrivateMessages.h"

namespace {
HWND rootOwnerOf(HWND window) {
    return window != nullptr && IsWindow(window) ? GetAncestor(window, GA_ROOTOWNER) : nullptr;
}
}  // namespace

ModalScope::ModalScope(HWND window) : root_(rootOwnerOf(window)) {
    if (root_ != nullptr) refused_ = SendMessageW(root_, WM_MODAL_ENTER, 0, 0) == ModalRefused;
}

ModalScope::~ModalScope() {
    if (root_ != nullptr && IsWindow(root_)) SendMessageW(root_, WM_MODAL_LEAVE, 0, 0);
}

bool ModalScope::closing() const {
    if (refused_) return true;
    return root_ != nullptr && IsWindow(root_) &&
           SendMessageW(root_, WM_MODAL_CLOSING, 0, 0) == ModalRefused;
}

void ModalScope::shown(HWND modal) const {
    if (root_ != nullptr && IsWindow(root_)) {
        SendMessageW(root_, WM_MODAL_SHOWN, 0, reinterpret_cast<LPARAM>(modal));
    }
}

HWND ModalScope::front(HWND window) {
    const HWND root = rootOwnerOf(window);
    if (root == nullptr) return window;
    const auto modal = reinterpret_cast<HWND>(SendMessageW(root, WM_MODAL_FRONT, 0, 0));
    return modal != nullptr && IsWindow(modal) ? modal : window;
}
