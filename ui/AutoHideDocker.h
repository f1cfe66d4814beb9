// Docks the main window to a screen edge and tucks it away: dragged with
// the pointer near an edge, the window sticks to it; once the pointer has
// left it, the window moves out of the screen except for a frame-wide
// strip; touching the strip brings it back. While attached it also keeps
// the window from being sized below 200 by 400 pixels (at 96 DPI; the
// distances, the strip and the minimum grow with the monitor's DPI).
//
// Positions are reckoned by the window's visible frame, which newer
// systems report through the desktop window manager (loaded when the
// docker is made; where it is missing or does not answer, as under Wine,
// the window rectangle is the visible frame).
//
// It watches the window's messages as a hook ahead of the window's own
// object, changes the rectangles of sizing and moving in place and never
// swallows a message.
#pragma once

#include "core/DockGeometry.h"
#include "core/win32/Handles.h"
#include "ui/framework/MessageHook.h"

class AutoHideDocker : public MessageHook {
public:
    static constexpr UINT_PTR PollTimerId = 123;

    struct Parameters {
        int pollPeriod = 200;    // ms between two checks whether the pointer left
        int snapDistance = 20;   // how close to an edge the pointer docks
        int leaveMargin = 10;    // the window counts this much larger when left
        int minWidth = 200;
        int minHeight = 400;
    };

    AutoHideDocker() : AutoHideDocker(Parameters{}) {}
    explicit AutoHideDocker(const Parameters& parameters);

    // 1 when it starts watching window; 0 when window is not a window or
    // the docker is attached already.
    int attach(HWND window);
    // Stops watching (and polling); the side and the tucked state stay.
    // Returns 1.
    int detach();
    bool isAttached() const { return isHooked(); }

    // Moves the window against its side, in full or tucked away. Nothing
    // happens while attached and docked nowhere.
    void showAtEdge();
    void hideAtEdge();

    DockSide dockSide() const { return dockSide_; }
    bool isHidden() const { return hidden_; }
    bool isPolling() const { return polling_; }
    int taskbarHeight() const { return taskbarHeight_; }

protected:
    bool onNcHitTest(POINT screenPoint, LRESULT& result) override;
    bool onTimer(UINT_PTR id) override;
    bool onSizing(UINT edge, RECT& rect, LRESULT& result) override;
    bool onMoving(RECT& rect, LRESULT& result) override;

private:
    void measureTaskbar();
    DockGeometry geometry() const;
    void startPolling();
    void stopPolling();
    void checkPointerLeft();
    void moveWindowTo(const Rect& rect);
    Rect windowRect() const;
    // The window's visible frame within windowRect().
    FrameInset frameInset() const;

    using FrameBoundsQuery = HRESULT(WINAPI*)(HWND, DWORD, void*, DWORD);

    Parameters parameters_;
    ModuleHandle dwmapi_;
    FrameBoundsQuery queryFrameBounds_ = nullptr;
    HWND window_ = nullptr;
    DockSide dockSide_ = DockSide::None;
    bool polling_ = false;
    bool hidden_ = false;
    int taskbarHeight_ = 30;
};
