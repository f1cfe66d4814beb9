// Keeps a window (the main window) in the system's clipboard viewer chain
// and, while monitoring is on, turns every copied text into a new item at
// the top of the active list. Every notification goes on to the next viewer,
// removals from the chain are followed, and the window takes the head of
// the chain again whenever the program is activated or deactivated and finds
// another window there.
#pragma once

#include <windows.h>

#include "ui/framework/MessageHook.h"

class ItemStore;
class Settings;

class ClipboardViewer : public MessageHook {
public:
    ClipboardViewer(ItemStore& active, const Settings& settings);

    // Watches window's messages and puts it at the head of the chain; the
    // clipboard's current text is captured at once, like a fresh copy.
    bool join(HWND window);
    // Takes the window out of the chain; harmless when it is not in it.
    void leave();
    bool isJoined() const { return joined_; }
    HWND nextViewer() const { return nextViewer_; }

protected:
    bool onDrawClipboard(WPARAM wParam, LPARAM lParam) override;
    bool onChangeCbChain(HWND removed, HWND following) override;
    bool onActivateApp(bool active, DWORD otherThread, LRESULT& result) override;

private:
    void captureClipboardText();
    void joinAtHead();
    void setNextViewer(HWND next);
    void forward(UINT msg, WPARAM wParam, LPARAM lParam) const;

    ItemStore& active_;
    const Settings& settings_;
    HWND nextViewer_ = nullptr;
    bool joined_ = false;
};
