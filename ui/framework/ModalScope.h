// The rule of every modal loop of the program:
//
//   An exit waits for every modal loop to unwind.
//
// A modal loop (a modal dialog, a message box, a file dialog, a popup menu,
// a drag) keeps dispatching messages, so the tray menu, the exit command or
// a second copy of the program can run code underneath it. Nothing may
// destroy the windows and objects that the code waiting in the loop returns
// to. So every modal loop runs inside a ModalScope, which tells the root
// owner of its window (the hidden owner window, found through the window
// tree) that it starts and that it has ended. A confirmed exit goes to that
// owner (ModalTracker): with no modal loop running it ends the program at
// once; otherwise the program is "closing": every open modal window is ended
// as if cancelled, no new one is shown (the scope answers closing() at once
// and the caller returns its cancel answer), and the main window is
// destroyed only once the last modal loop has left.
//
// So the code after a modal call always returns into living windows; a
// command that continues after a box treats an answer that is none of the
// box's buttons (IDCANCEL from a Yes/No box) as "abandon, change nothing".
#pragma once

#include <windows.h>

class ModalScope {
public:
    // window: the window the modal loop runs over (its parent or owner, or
    // any window below them). Without a root owner that keeps track, the
    // scope does nothing and closing() is always false.
    explicit ModalScope(HWND window);
    ~ModalScope();
    ModalScope(const ModalScope&) = delete;
    ModalScope& operator=(const ModalScope&) = delete;

    // True once the program is closing: show nothing, or end the loop.
    bool closing() const;
    // The loop's own window, which message boxes shown meanwhile take as
    // their owner.
    void shown(HWND modal) const;
    // The window of the innermost modal loop under window's root owner that
    // showed one, else window itself: the owner for a message box.
    static HWND front(HWND window);

private:
    HWND root_;
    bool refused_ = false;
};
