// The right-click menu of a list: add to favorites and delete for the
// active list; modify, alias, delete, the moves, backup, restore, import and
// export for the favorites. The chosen command arrives at the owner window
// as a WM_COMMAND message.
#pragma once

#include <windows.h>

class ItemContextMenu {
public:
    explicit ItemContextMenu(int isFavorites) : isFavorites_(isFavorites != 0) {}

    // The menu resource of this list's kind.
    int resourceId() const;
    // Whether this list's menu holds the command.
    bool offers(int command) const;
    // Shows the menu with its left edge at screenPoint until the user
    // chooses or dismisses it.
    void track(HWND owner, POINT screenPoint) const;

private:
    bool isFavorites_;
};
