// The quick-paste menu's content: the input gives the PopupShowInfo value
// and the texts and aliases of up to 40 favorites and 40 active items
// (pieces separated by 0xFF; a piece starting with '@' is a favorite, and
// its text before the first '|' becomes its alias). Whatever they hold, no
// caption but an alias (shown as it is) holds a tab, every active entry carries the mnemonic of its
// position, a favorite with an alias shows the alias, the columns break
// every 30 entries, and every id resolves to its store and position.
#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "Fakes.h"
#include "FuzzCheck.h"
#include "core/ItemStore.h"
#include "core/QuickPasteMenuModel.h"
#include "core/TextCodec.h"
#include "core/UnicodeTextItem.h"
#include "storage/Settings.h"

namespace {

constexpr int MaxItems = 40;

std::vector<std::string> pieces(const std::uint8_t* data, std::size_t size) {
    std::vector<std::string> out(1);
    for (std::size_t i = 0; i < size; ++i) {
        if (data[i] == 0xFF) {
            out.emplace_back();
        } else {
            out.back() += static_cast<char>(data[i]);
        }
    }
    return out;
}

void add(ItemStore& store, const std::string& piece, bool favorite) {
    std::string text = piece;
    std::string alias;
    const std::size_t bar = piece.find('|');
    if (favorite && bar != std::string::npos) {
        alias = piece.substr(0, bar);
        text = piece.substr(bar + 1);
    }
    auto item = std::make_unique<UnicodeTextItem>(widen(text));
    item->setAlias(alias.c_str());
    store.add(std::move(item), 0);
}

std::string expectedMnemonic(int position) {
    if (position <= 8) return "(&" + std::to_string(position + 1) + ")  ";
    if (position == 9) return "(&0)  ";
    if (position <= 35) return std::string("(&") + static_cast<char>('A' + position - 10) + ")  ";
    return "";
}

void checkEntries(const std::vector<QuickPasteEntry>& entries, const ItemStore& favorites,
                  const ItemStore& active) {
    for (const QuickPasteEntry& entry : entries) {
        if (entry.separator || entry.id == QuickPasteMenuModel::HeaderId) continue;
        const QuickPasteMenuModel::Choice choice = QuickPasteMenuModel::resolve(entry.id);
        const ItemStore& store = choice.active ? active : favorites;
        const ClipItem* item = store.itemAt(choice.position);
        fuzzCheck(item != nullptr, "every entry's id names an item of its store");
        const bool aliased = !choice.active && item->alias()[0] != '\0';
        fuzzCheck(aliased || entry.caption.find(u'\t') == std::u16string::npos,
                  "a tab shows as two spaces");
        const bool breaks = choice.position > 0 && choice.position % 30 == 0;
        fuzzCheck((entry.flags == QuickPasteMenuModel::MenuBarBreak) == breaks,
                  "columns break every 30 entries");
        if (choice.active) {
            const std::u16string prefix = widen(expectedMnemonic(choice.position));
            fuzzCheck(entry.caption.compare(0, prefix.size(), prefix) == 0,
                      "an active entry starts with its position's mnemonic");
        } else if (item->alias()[0] != '\0') {
            fuzzCheck(entry.caption == widen(item->alias()),
                      "a favorite with an alias shows the alias");
        }
    }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    if (size == 0 || size > 1u << 16) return 0;
    Settings settings;
    settings.MaxActiveItemNum(MaxItems);
    settings.MaxFavoriteItemNum(MaxItems);
    RecordingMessages messages;
    ItemStore favorites(1, settings, messages);
    ItemStore active(0, settings, messages);
    for (const std::string& piece : pieces(data + 1, size - 1)) {
        const bool favorite = !piece.empty() && piece[0] == '@';
        add(favorite ? favorites : active, favorite ? piece.substr(1) : piece, favorite);
    }
    const int popupShowInfo = data[0] % 5;
    const std::vector<QuickPasteEntry> entries =
        QuickPasteMenuModel::build(favorites, active, popupShowInfo);
    const int shown = (popupShowInfo == 2 || popupShowInfo == 3 ? favorites.count() + 2 : 0) +
                      (popupShowInfo == 1 || popupShowInfo == 3 ? active.count() + 2 : 0);
    fuzzCheck(static_cast<int>(entries.size()) == shown,
              "each shown section holds a header, a separator and every item");
    checkEntries(entries, favorites, active);
    return 0;
}
