// A static text turned into a hyperlink: link colour, red while the pointer
// is over it, a hand cursor, and a click opens its target with the shell.
#pragma once

#include <string>

#include "core/win32/Handles.h"
#include "ui/framework/Window.h"

class CStaticLink : public Window {
public:
    static constexpr COLORREF Unvisited = RGB(0, 0, 255);
    static constexpr COLORREF Visited = RGB(128, 0, 128);
    static constexpr COLORREF Hover = RGB(255, 0, 0);
    static constexpr UINT_PTR HoverTimer = 1;

    explicit CStaticLink(const char* target = nullptr, bool deleteOnDestroy = false);

    void setTarget(const std::string& target) { target_ = target; }
    const std::string& target() const { return target_; }
    COLORREF colour() const { return colour_; }
    bool hovering() const { return hovering_; }

    // Opens the target with the shell; the shell's result (above 32 is
    // success), 0 for an empty target.
    virtual INT_PTR openTarget();

    // The name the shell gets for a target: addresses ("scheme://...",
    // "mailto:...") and absolute paths as they are, any other name as a
    // file in the program's folder.
    static std::string resolveTarget(const std::string& target);

protected:
    bool onNcHitTest(POINT screenPoint, LRESULT& result) override;
    bool onTimer(UINT_PTR id) override;
    bool onReflectedCtlColor(HDC dc, LRESULT& brush) override;
    bool onLButtonDown(UINT keys, POINT point) override;
    bool onSetCursor(HWND window, UINT hitTest, UINT message, LRESULT& result) override;
    // A new font (another DPI): the copy is made again at the next paint.
    bool onMessage(UINT msg, WPARAM wParam, LPARAM lParam, LRESULT& result) override;
    void onFinalMessage() override;

private:
    void setColour(COLORREF colour);

    std::string target_;
    COLORREF colour_ = Unvisited;
    GdiObject font_;
    bool deleteOnDestroy_;
    bool hovering_ = false;
};
