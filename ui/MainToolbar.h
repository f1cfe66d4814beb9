// The flat toolbar at the top of the main window (exit, settings, help,
// about) with its icons (16 x 16 at 96 DPI, larger ones at higher DPIs) and
// the tooltip control that names the buttons. The toolbar and the tooltips are destroyed with their parent.
#pragma once

#include <windows.h>

#include <vector>

#include "core/win32/Handles.h"

class MainToolbar {
public:
    // Creates toolbar, image list (of imageSize x imageSize icons) and
    // tooltips on parent; false when the toolbar cannot be created.
    bool create(HWND parent, int imageSize);
    // Shows the icons at another size (the window moved to a monitor of
    // another DPI); the buttons keep their margins around the images.
    void setImageSize(int imageSize);
    int imageSize() const { return imageSize_; }

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
    void updateToolRectangles();
    TTTOOLINFOW toolInfo(int i) const;

    HWND toolbar_ = nullptr;
    HWND tooltips_ = nullptr;
    ImageListHandle images_;
    int imageSize_ = 16;
    std::vector<int> commands_;
};
