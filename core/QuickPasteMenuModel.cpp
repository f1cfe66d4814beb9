#include "core/QuickPasteMenuModel.h"

#include <algorithm>
#include <cstdio>

#include "core/ClipItem.h"
#include "core/ItemStore.h"
#include "core/TextCodec.h"

namespace {

const char16_t* const FavoritesHeader = u"<<收藏夹条目>>";
const char16_t* const ActiveHeader = u"<<活动文本条目>>";

// Each section keeps to its own id range, so an id always names the right
// store even with a list longer than the settings dialog allows.
constexpr int MaxFavoriteEntries = QuickPasteMenuModel::FirstActiveId -
                                   QuickPasteMenuModel::FirstFavoriteId;
constexpr int MaxActiveEntries = QuickPasteMenuModel::LastId -
                                 QuickPasteMenuModel::FirstActiveId + 1;

std::u16string tabsAsTwoSpaces(const std::u16string& text) {
    std::u16string out;
    out.reserve(text.size());
    for (char16_t c : text) {
        if (c == u'\t') {
            out += u"  ";
        } else {
            out += c;
        }
    }
    return out;
}

unsigned columnFlag(int position) {
    const bool newColumn = position != 0 && position % QuickPasteMenuModel::ColumnLength == 0;
    return newColumn ? QuickPasteMenuModel::MenuBarBreak : 0;
}

void addHeader(std::vector<QuickPasteEntry>& entries, const char16_t* caption, unsigned flags) {
    entries.push_back(QuickPasteEntry{false, caption, QuickPasteMenuModel::HeaderId, flags});
    entries.push_back(QuickPasteEntry{true, std::u16string(), 0, 0});
}

void addFavorites(std::vector<QuickPasteEntry>& entries, const ItemStore& favorites) {
    addHeader(entries, FavoritesHeader, 0);
    const std::vector<ClipItem*> items = favorites.snapshot();
    for (int i = 0; i < static_cast<int>(items.size()) && i < MaxFavoriteEntries; ++i) {
        entries.push_back(QuickPasteEntry{false, QuickPasteMenuModel::favoriteCaption(*items[i]),
                                          QuickPasteMenuModel::FirstFavoriteId + i,
                                          columnFlag(i)});
    }
}

void addActive(std::vector<QuickPasteEntry>& entries, const ItemStore& active,
               bool besideFavorites) {
    addHeader(entries, ActiveHeader, besideFavorites ? QuickPasteMenuModel::MenuBarBreak : 0);
    const std::vector<ClipItem*> items = active.snapshot();
    for (int i = 0; i < static_cast<int>(items.size()) && i < MaxActiveEntries; ++i) {
        entries.push_back(
            QuickPasteEntry{false, QuickPasteMenuModel::activeCaption(i, items[i]->wideSummary()),
                            QuickPasteMenuModel::FirstActiveId + i, columnFlag(i)});
    }
}

}  // namespace

std::vector<QuickPasteEntry> QuickPasteMenuModel::build(const ItemStore& favorites,
                                                        const ItemStore& active,
                                                        int popupShowInfo) {
    std::vector<QuickPasteEntry> entries;
    if (popupShowInfo == 2 || popupShowInfo == 3) addFavorites(entries, favorites);
    if (popupShowInfo == 1 || popupShowInfo == 3) addActive(entries, active, popupShowInfo == 3);
    return entries;
}

std::u16string QuickPasteMenuModel::activeCaption(int position, const std::u16string& summary) {
    char mnemonic[8] = {};
    if (position >= 0 && position <= 8) {
        std::snprintf(mnemonic, sizeof mnemonic, "(&%d)\t", position + 1);
    } else if (position == 9) {
        std::snprintf(mnemonic, sizeof mnemonic, "(&0)\t");
    } else if (position >= 10 && position <= 35) {
        std::snprintf(mnemonic, sizeof mnemonic, "(&%c)\t", 'A' + (position - 10));
    }
    return tabsAsTwoSpaces(widen(mnemonic) + summary);
}

std::u16string QuickPasteMenuModel::favoriteCaption(const ClipItem& item) {
    // The alias field may be full without a terminator (a stored record).
    const char* alias = item.alias();
    const char* end = std::find(alias, alias + ClipItem::AliasSize, '\0');
    if (end != alias) return widen(std::string(alias, end));
    return tabsAsTwoSpaces(item.wideSummary());
}

QuickPasteMenuModel::Choice QuickPasteMenuModel::resolve(int commandId) {
    if (commandId >= FirstActiveId) return Choice{true, commandId - FirstActiveId};
    return Choice{false, commandId - FirstFavoriteId};
}
