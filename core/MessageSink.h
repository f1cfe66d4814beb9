// Platform interface: the modal message box through which the program tells
// the user about failures and asks for confirmations. Texts are narrow text
// in the ANSI code page. The style and result values are those of the
// Windows message box, so the Win32 adapter passes them straight through.
#pragma once

#include <string>

namespace msgbox {
constexpr unsigned Ok = 0x0;
constexpr unsigned YesNo = 0x4;
constexpr unsigned IconStop = 0x10;   // also the error icon
constexpr unsigned DefButton2 = 0x100;

constexpr int IdOk = 1;
// The answer of a box that was never shown or was ended by the program (an
// exit): none of its buttons. Whoever continues after a box abandons then.
constexpr int IdCancel = 2;
constexpr int IdYes = 6;
constexpr int IdNo = 7;
}  // namespace msgbox

class MessageSink {
public:
    virtual ~MessageSink() = default;
    // Shows text with the given style; returns the id of the button pressed.
    virtual int show(const std::string& text, unsigned style) = 0;
};
