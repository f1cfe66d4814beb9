// What the quick-paste menu shows, built anew from the stores at every
// opening: a section for the favorites and/or one for the active list
// (chosen by the PopupShowInfo setting: 1 active list, 2 favorites, 3 both,
// favorites first; any other value: nothing), each a header, a separator
// and one entry per item, 30 entries per column. A chosen entry is resolved
// by its position in its store when its command arrives.
#pragma once

#include <string>
#include <vector>

class ClipItem;
class ItemStore;

struct QuickPasteEntry {
    bool separator;
    std::u16string caption;  // empty for a separator
    int id;               // command id; 0 for a separator
    unsigned flags;       // 0 or QuickPasteMenuModel::MenuBarBreak
};

class QuickPasteMenuModel {
public:
    static constexpr int HeaderId = 9999;
    static constexpr int FirstFavoriteId = 2000;
    static constexpr int FirstActiveId = 2500;
    static constexpr int LastId = 3000;
    static constexpr int ColumnLength = 30;
    // The menu flag that starts a new column with a dividing line.
    static constexpr unsigned MenuBarBreak = 0x20;

    static std::vector<QuickPasteEntry> build(const ItemStore& favorites,
                                              const ItemStore& active, int popupShowInfo);

    // An active-list entry: mnemonic 1..9, 0, A..Z by position (none from
    // position 36 on), a tab, the summary; every tab shown as two spaces.
    static std::u16string activeCaption(int position, const std::u16string& summary);
    // A favorites entry: the alias when there is one (as it is, converted
    // from its narrow text), else the summary with every tab shown as two
    // spaces.
    static std::u16string favoriteCaption(const ClipItem& item);

    // The store and position a command id names.
    struct Choice {
        bool active;
        int position;
    };
    static Choice resolve(int commandId);
};
