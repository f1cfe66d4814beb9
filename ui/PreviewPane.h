// The framed text area below the lists that shows the item last hovered or
// selected in either list: "#alias" and a line break first when the item
// has an alias.
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
};
