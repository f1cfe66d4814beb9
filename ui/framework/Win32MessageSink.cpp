#include "ui/framework/Win32MessageSink.h"

#include "ui/framework/ModalScope.h"

// A box shown while a modal dialog is open belongs to that dialog, which is
// disabled under it. While the program is closing nothing is shown: the box
// counts as cancelled.
int Win32MessageSink::show(const std::string& text, unsigned style) {
    HWND owner = (owner_ != nullptr && IsWindow(owner_)) ? owner_ : nullptr;
    const ModalScope scope(owner);
    if (scope.closing()) return IDCANCEL;
    return MessageBoxW(ModalScope::front(owner), wintext::wide(text).c_str(), Title, style);
}
