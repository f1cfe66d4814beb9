// What a list view needs from the window that holds it: the caption label
// of its list, the favorites store, the clipboard and message boxes, and the
// paste into the window in front.
#pragma once

#include <windows.h>

class Clipboard;
class ItemStore;
class MessageSink;

class ListOwner {
public:
    virtual ~ListOwner() = default;
    // The caption label that shows the fill level of the given store.
    virtual HWND captionLabelFor(const ItemStore& store) const = 0;
    virtual ItemStore& favoritesStore() = 0;
    virtual Clipboard& clipboard() = 0;
    virtual MessageSink& messages() = 0;
    virtual HWND ownerWindow() const = 0;
    // The text is already on the clipboard: paste it into target.
    virtual void pasteIntoWindow(HWND target) = 0;
};
