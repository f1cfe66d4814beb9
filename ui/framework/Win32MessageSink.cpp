#include "ui/framework/Win32MessageSink.h"

int Win32MessageSink::show(const std::string& text, unsigned style) {
    HWND owner = (owner_ != nullptr && IsWindow(owner_)) ? owner_ : nullptr;
    return MessageBoxW(owner, wintext::wide(text).c_str(), Title, style);
}
