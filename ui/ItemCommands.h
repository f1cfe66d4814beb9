// The commands of a list's context menu (and the Delete key) on its store:
// add to favorites, modify, alias, the four moves and the deletes, and,
// through ListFileCommands, backup, restore, import and export. Each
// command takes the items of the selected rows, top row first.
#pragma once

#include <string>
#include <vector>

#include "ui/ItemContextMenu.h"
#include "ui/ListFileCommands.h"

class ClipItem;
class ItemStore;
class ListOwner;

class ItemCommands {
public:
    // folder: where the store files' relative names are taken.
    ItemCommands(ItemStore& store, ListOwner& owner, const std::string& folder);

    // Runs the command if this list's menu offers it; false otherwise.
    bool run(int command, const std::vector<ClipItem*>& selected);

private:
    void addToFavorites(const std::vector<ClipItem*>& selected);
    void move(int command, ClipItem& item);
    void modify(ClipItem& item);
    void editAlias(ClipItem& item);
    void remove(const std::vector<ClipItem*>& selected);
    void removeAll();
    // The item with this digest if the store still holds it: a dialog's
    // modal loop lets other changes reach the store.
    ClipItem* stillHeld(const std::vector<unsigned char>& digest) const;

    ItemStore& store_;
    ListOwner& owner_;
    ItemContextMenu menu_;
    ListFileCommands files_;
};
