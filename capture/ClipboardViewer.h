// Keeps a window (the main window) in the system's clipboard viewer chain
// and, while monitoring is on, turns every copied text, image or set of
// files into a new item at the top of the active list (an image too large
// to keep is left out without a word). Every notification goes on to the next viewer,
// removals from the chain are followed, and the window takes the head of
// the chain again whenever the program is activated or deactivated and finds
// another window there.
//
// Content marked private by its writer is never captured (see
// PrivateClipboardContent). A capture is in the active list at once. The
// first capture after a quiet time shows in the list's view at once; the
// captures that follow it within the quiet time are gathered and shown when
// the copies pause, so a program that copies many texts in a row does not
// wait for the list after each one.
#pragma once

#include <windows.h>

#include <memory>

#include "capture/PrivateClipboardContent.h"
#include "ui/framework/MessageHook.h"

class ClipItem;
class ItemStore;
class Settings;

class ClipboardViewer : public MessageHook {
public:
    static constexpr UINT_PTR RefreshTimerId = 124;
    static constexpr int ReadAttempts = 3;
    static constexpr UINT QuietMs = 100;
    // A copy after a quiet time shows this soon, unless another follows.
    static constexpr UINT FirstShowMs = 30;

    ClipboardViewer(ItemStore& active, const Settings& settings);

    // Watches window's messages and puts it at the head of the chain; the
    // clipboard's current text is captured at once, like a fresh copy.
    bool join(HWND window);
    // Takes the window out of the chain (a capture not shown yet is shown
    // first); harmless when it is not in it.
    void leave();
    bool isJoined() const { return joined_; }
    HWND nextViewer() const { return nextViewer_; }

protected:
    bool onDrawClipboard(WPARAM wParam, LPARAM lParam) override;
    bool onChangeCbChain(HWND removed, HWND following) override;
    bool onActivateApp(bool active, DWORD otherThread, LRESULT& result) override;
    bool onTimer(UINT_PTR id) override;

private:
    void captureClipboardText();
    // The clipboard's text, image or files unless its content is private;
    // none when the clipboard kept changing while it was read.
    std::unique_ptr<ClipItem> readPublicContent() const;
    // The active list's view shows a new capture: at once after a quiet
    // time, else when the copies pause.
    void showCapture();
    void showNow();
    // (Re)starts the refresh timer; without a timer the list shows now.
    void waitFor(UINT ms);
    void joinAtHead();
    void setNextViewer(HWND next);
    void forward(UINT msg, WPARAM wParam, LPARAM lParam) const;

    ItemStore& active_;
    const Settings& settings_;
    PrivateClipboardContent privateContent_;
    bool showPending_ = false;
    // The quiet time after the last capture is running.
    bool copiesGoingOn_ = false;
    // The timer runs for a copy after a quiet time, not yet shown.
    bool firstShowWaiting_ = false;
    HWND nextViewer_ = nullptr;
    bool joined_ = false;
};
