// Pastes the text already on the clipboard into a window: brings the window
// to the front, waits 100 ms and then until the person has let go of every
// modifier but the keystroke's own (at most 2 s: a hotkey's modifier still
// held would turn Shift+Insert into Ctrl+Shift+Insert, or Ctrl+V into
// Ctrl+Alt+V, which paste nothing in many programs; a held Ctrl before
// Ctrl+V changes nothing), lifts the hotkeys, synthesises Ctrl+V (or
// Shift+Insert for a terminal program) and registers the hotkeys again. It
// does not wait for the window to take the keystroke.
#pragma once

#include <windows.h>

class HotkeyRegistrar;

class PasteInjector {
public:
    explicit PasteInjector(HotkeyRegistrar& hotkeys) : hotkeys_(hotkeys) {}

    // target may be null: the keystroke then goes to whatever has the focus.
    void PasteIntoWindow(HWND target);

private:
    HotkeyRegistrar& hotkeys_;
};
