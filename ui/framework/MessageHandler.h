// Typed handlers for window messages, shared by Window (the object that is
// a window) and MessageHook (an object that watches another window's
// messages). crack() turns a raw message into a call of one of the on...
// functions below; each returns true when it handled the message (its
// result in the LRESULT where there is one) and false to let the message go
// on: to the next hook, the window's own object, then default processing.
#pragma once

#include <windows.h>

class MessageHandler {
public:
    MessageHandler() = default;
    virtual ~MessageHandler() = default;
    MessageHandler(const MessageHandler&) = delete;
    MessageHandler& operator=(const MessageHandler&) = delete;

protected:
    // The typed handler for msg if there is one; onMessage when there is
    // none or the typed handler declined.
    bool crack(UINT msg, WPARAM wParam, LPARAM lParam, LRESULT& result);

    // Commands first..last go to onCommandRange instead of onCommand
    // (the quick-paste menu's entries, for example). No range by default.
    void setCommandRange(int first, int last);

    virtual bool onCommand(int id, int code, HWND control);
    virtual bool onCommandRange(int id);
    virtual bool onNotify(NMHDR& header, LRESULT& result);
    virtual bool onSize(UINT type, int cx, int cy);
    virtual bool onTimer(UINT_PTR id);
    virtual bool onClose();
    virtual bool onDestroy();
    virtual bool onPaint();
    virtual bool onNcPaint(HRGN region);
    virtual bool onSysCommand(UINT command, LPARAM lParam);
    virtual bool onMouseMove(UINT keys, POINT point);
    virtual bool onLButtonDown(UINT keys, POINT point);
    virtual bool onKeyDown(UINT key, UINT flags);
    virtual bool onSetCursor(HWND window, UINT hitTest, UINT message, LRESULT& result);
    virtual bool onNcHitTest(POINT screenPoint, LRESULT& result);
    virtual bool onContextMenu(HWND window, POINT screenPoint);
    // WM_SIZING / WM_MOVING: the proposed window rectangle, changeable in place.
    virtual bool onSizing(UINT edge, RECT& rect, LRESULT& result);
    virtual bool onMoving(RECT& rect, LRESULT& result);
    // System-wide hotkey id was pressed.
    virtual bool onHotKey(int id, UINT modifiers, UINT virtualKey);
    // Clipboard viewer chain: the clipboard changed; a window leaves the chain.
    virtual bool onDrawClipboard(WPARAM wParam, LPARAM lParam);
    virtual bool onChangeCbChain(HWND removed, HWND following);
    // The program is being activated (active) or deactivated.
    virtual bool onActivateApp(bool active, DWORD otherThread, LRESULT& result);
    // Everything no typed handler took, raw.
    virtual bool onMessage(UINT msg, WPARAM wParam, LPARAM lParam, LRESULT& result);

private:
    bool crackTyped(UINT msg, WPARAM wParam, LPARAM lParam, LRESULT& result);
    bool crackCommand(WPARAM wParam, LPARAM lParam);

    int commandRangeFirst_ = 1;
    int commandRangeLast_ = 0;
};
