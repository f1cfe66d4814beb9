// The base of every window object of the program.
//
// A Window is attached to one HWND, either by subclassing an existing window
// (controls from a dialog template or created with createControl) or as a
// dialog (see Dialog). Every message goes through dispatch(), which runs in
// three explicit steps:
//   1. reflection: WM_NOTIFY, control WM_COMMAND and WM_CTLCOLOR* messages
//      are first offered to the Window object of the child that sent them
//      (onReflectedNotify / onReflectedCommand / onReflectedCtlColor), so a
//      control handles its own notifications;
//   2. typed handlers: the common messages are cracked into the on...
//      functions of MessageHandler;
//   3. onMessage: everything else, raw.
// A handler returns true when it handled the message; otherwise the window's
// default processing runs. No exception leaves a window procedure.
//
// Other objects may watch the same window's messages ahead of its Window
// object through MessageHook.
#pragma once

#include <windows.h>

#include <string>

#include "ui/framework/MessageHandler.h"

class Window : public MessageHandler {
public:
    Window() = default;
    ~Window() override;

    HWND hwnd() const { return hwnd_; }
    bool isAlive() const { return hwnd_ != nullptr && IsWindow(hwnd_); }

    // The Window object attached to hwnd, if any.
    static Window* fromHandle(HWND hwnd);

    // Attaches this object to an existing window by subclassing it.
    bool subclass(HWND hwnd);
    // Subclasses the dialog item id of parent.
    bool subclassDlgItem(int id, HWND parent);
    // Creates a child window of a registered class and subclasses it.
    bool createControl(const wchar_t* className, const wchar_t* text, DWORD style,
                       DWORD exStyle, const RECT& rect, HWND parent, int id);
    // Destroys the window (if any); the object stays.
    void destroyWindow();

    // Offered every queued message for this window or its children before it
    // is dispatched (see MessageLoop); true swallows the message.
    virtual bool preTranslateMessage(MSG& msg);

protected:
    LRESULT dispatch(UINT msg, WPARAM wParam, LPARAM lParam, bool& handled);
    // The window's default processing of a message.
    virtual LRESULT defaultProc(UINT msg, WPARAM wParam, LPARAM lParam);

    // Notifications reflected from the parent.
    virtual bool onReflectedNotify(NMHDR& header, LRESULT& result);
    virtual bool onReflectedCommand(int code, LRESULT& result);
    virtual bool onReflectedCtlColor(HDC dc, LRESULT& brush);

    // After the window is gone (WM_NCDESTROY): hwnd() is null again.
    virtual void onFinalMessage() {}

    void attach(HWND hwnd);
    void detachHandle();

private:
    bool reflect(UINT msg, WPARAM wParam, LPARAM lParam, LRESULT& result);
    static LRESULT CALLBACK subclassProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam,
                                         UINT_PTR id, DWORD_PTR refData);

    HWND hwnd_ = nullptr;
    bool subclassed_ = false;
};

// Text helpers shared by the windows.
namespace wintext {
// GBK (ANSI code page) narrow text to UTF-16 and back.
std::wstring wide(const std::string& narrow);
std::string narrow(const std::wstring& wide);
// UTF-16 of the core and of the wide interfaces, unit for unit.
std::wstring wide(const std::u16string& text);
std::u16string utf16(const std::wstring& text);
// A string-table entry of the program ("" when missing).
std::wstring loadString(UINT id);
// The text of a window.
std::wstring windowText(HWND hwnd);
}  // namespace wintext
