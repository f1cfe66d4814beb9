// The system clipboard: a text is offered as CF_UNICODETEXT alone, in a
// movable global block that the clipboard owns afterwards.
#pragma once

#include <windows.h>

#include "core/Clipboard.h"

class Win32Clipboard : public Clipboard {
public:
    // owner becomes the clipboard owner (may be null).
    explicit Win32Clipboard(HWND owner = nullptr) : owner_(owner) {}
    void setOwner(HWND owner) { owner_ = owner; }

    int putUnicodeText(const unsigned char* bytes, std::size_t byteLength) override;

private:
    HWND owner_;
};
