// An object that watches the messages of a window it does not own: the
// clipboard viewer, the hotkeys and the edge docker each see the main
// window's messages this way without becoming part of MainWindow.
//
// Each hook is a subclass of its own (its own subclass id), so any number
// of hooks can watch one window. Order: a hook sees a message before the
// window's own Window object and before every hook attached earlier (the
// most recently attached hook runs first). A typed handler that returns
// false passes the message on down that order; one that returns true ends
// it there with its result. passOn() runs the rest of the order at once,
// for a hook that wants the window's own processing first.
//
// A hook detaches itself when it is destroyed and when its window is
// destroyed (WM_NCDESTROY). No exception leaves the hook's procedure.
#pragma once

#include "ui/framework/MessageHandler.h"

class MessageHook : public MessageHandler {
public:
    MessageHook() = default;
    ~MessageHook() override;

    // Starts watching window. False when window is not a window or this
    // hook watches a window already.
    bool hook(HWND window);
    // Stops watching; harmless when not attached.
    void unhook();
    bool isHooked() const { return window_ != nullptr; }
    HWND hookedWindow() const { return window_; }

protected:
    // The result of the rest of the order (later hooks' predecessors, the
    // window's object, default processing) for this message.
    LRESULT passOn(UINT msg, WPARAM wParam, LPARAM lParam);

private:
    static LRESULT CALLBACK hookProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam,
                                     UINT_PTR id, DWORD_PTR refData);
    UINT_PTR subclassId() const { return reinterpret_cast<UINT_PTR>(this); }

    HWND window_ = nullptr;
};
