// The flat toolbar at the top of the main window (exit, settings, help,
// about) with its 16 x 16 icons and the tooltip control that names the
// buttons. The toolbar and the tooltips are destroyed with their parent.
#pragma once

#include <windows.h>

#include <vector>

#include "core/win32/Handles.h"

class MainToolbar {
public:
    static constexpr int ImageSize = 16;

    // Creates toolbar, image list and tooltips on parent; false when the
    // toolbar cannot be created.
    bool create(HWND parent);

    HWND toolbar() const { return toolbar_; }
    HWND tooltips() const { return tooltips_; }
    // The commands of the buttons, left to right.
    const std::vector<int>& commands() const { return commands_; }
    // Height of the first button's rectangle (0 without a toolbar).
    int buttonHeight() const;
    // Keeps the toolbar across the top of its parent.
    void fitToParent();
    // Hands a mouse message to the tooltips.
    void relayEvent(MSG& msg);

    // The commands of a toolbar layout resource (words: version 1, button
    // width, button height, count, then the commands). Empty when the data
    // is short or of another version.
    static std::vector<int> parseLayout(const unsigned char* bytes, std::size_t size);

private:
    static std::vector<int> loadLayout();
    bool createImages();
    void addButtons();
    void createTooltips(HWND parent);

    HWND toolbar_ = nullptr;
    HWND tooltips_ = nullptr;
    ImageListHandle images_;
    std::vector<int> commands_;
};
