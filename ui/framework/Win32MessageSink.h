// Message boxes with the program's title, owned by a given window, or by the
// modal dialog open over it; IDCANCEL without a box while the program is
// closing (see ModalScope).
#pragma once

#include <windows.h>

#include "core/MessageSink.h"
#include "ui/framework/Window.h"

class Win32MessageSink : public MessageSink {
public:
    static constexpr const wchar_t* Title = L"Quillbox";

    void setOwner(HWND owner) { owner_ = owner; }
    int show(const std::string& text, unsigned style) override;

private:
    HWND owner_ = nullptr;
};
