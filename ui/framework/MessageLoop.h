// The program's message loop. Before a queued message is dispatched, the
// Window objects from its target up to its top-level window may take it
// (preTranslateMessage, walked from the innermost window outwards), then the
// dialog manager of its top-level window gets its keyboard navigation.
// A modal loop of the program runs inside a ModalScope (ModalScope.h): an
// exit waits for every modal loop to unwind.
#pragma once

#include <windows.h>

#include <functional>

namespace messageloop {

// True when some window took the message.
bool preTranslate(MSG& msg);

// Runs the loop until keepRunning() is false. A WM_QUIT ends it too and is
// posted again for any outer loop; returns false then.
bool runWhile(const std::function<bool()>& keepRunning);

}  // namespace messageloop
