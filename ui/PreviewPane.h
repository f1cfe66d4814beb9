// The framed text area below the lists that shows the item last hovered or
// selected in either list: "#alias" and a line break first when the item
// has an alias. Copied files show as their full paths, one a line; an
// image is drawn scaled down to fit the pane (its aspect kept, never
// enlarged), or not at all when its header lies.
#pragma once

#include <string>

#include "ui/ItemViewer.h"
#include "ui/framework/Window.h"

class PreviewPane : public Window, public ItemViewer {
public:
    ~PreviewPane() override;

    bool create(HWND parent, const RECT& rect, int id);
    void refresh() override;

    // The text the pane shows for an item: its whole text, every character
    // as it is, after "#alias" and a line break when it has an alias.
    static std::u16string textFor(const ClipItem* item);
    // Where an image of width × height goes in a pane of the given size:
    // centred, scaled down to fit with its aspect kept, never enlarged.
    static RECT imageRect(int width, int height, int paneWidth, int paneHeight);

protected:
    bool onPaint() override;

private:
    // Draws the current item's image; false when it has none to draw.
    bool paintImage(HDC dc, const RECT& client) const;
    static std::u16string textUpToZero(const ClipItem& item);
};
