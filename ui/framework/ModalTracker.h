// The root owner's side of the modal loops (see ModalScope.h): it counts the
// modal loops running over the windows it owns, takes the confirmed exit,
// and runs it once nothing modal is left on the stack. Until then the
// program is closing: the open modal windows of the thread are ended as if
// cancelled and no new one is shown.
#pragma once

#include <windows.h>

#include <functional>
#include <utility>
#include <vector>

class ModalTracker {
public:
    // exit: ends the program (destroys the main window); run at most once,
    // never inside a modal loop.
    explicit ModalTracker(std::function<void()> exit) : exit_(std::move(exit)) {}

    // The root owner's messages of ui/PrivateMessages.h; root is its window.
    bool handle(HWND root, UINT msg, LPARAM lParam, LRESULT& result);
    bool closing() const { return closing_; }
    int depth() const { return static_cast<int>(loops_.size()); }

private:
    void requestExit(HWND root);
    void endModalWindows(HWND root);
    static BOOL CALLBACK endOne(HWND window, LPARAM root);
    void runExit();

    std::function<void()> exit_;
    // One entry per running modal loop, innermost last: its window once shown.
    std::vector<HWND> loops_;
    bool closing_ = false;
    bool exited_ = false;
};
