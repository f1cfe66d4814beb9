// The keystroke that pastes the clipboard into a window: Ctrl+V, or
// Shift+Insert for terminal programs, recognised by their window class
// name. Each is four key events in the form of keybd_event.
#pragma once

#include <array>
#include <string>

struct KeyEvent {
    unsigned virtualKey;
    unsigned scanCode;
    unsigned flags;  // keybd_event's: ExtendedKey, KeyUp
};

inline bool operator==(const KeyEvent& a, const KeyEvent& b) {
    return a.virtualKey == b.virtualKey && a.scanCode == b.scanCode && a.flags == b.flags;
}

class PasteKeystroke {
public:
    static constexpr unsigned ExtendedKey = 0x1;
    static constexpr unsigned KeyUp = 0x2;
    using Events = std::array<KeyEvent, 4>;

    // True when the class name contains "PuTTY", "SecureCRT" or "NetTerm"
    // (case-sensitive).
    static bool isTerminal(const std::string& className);
    // Ctrl+V, or Shift+Insert for a terminal: press, press, release, release.
    static Events events(bool terminal);
    static Events forWindowClass(const std::string& className) {
        return events(isTerminal(className));
    }
};
