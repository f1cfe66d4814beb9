#include "ui/ItemCommands.h"

#include <memory>

#include "core/ClipItem.h"
#include "core/ItemStore.h"
#include "core/MessageSink.h"
#include "core/UnicodeTextItem.h"
#include "res/resource.h"
#include "ui/AliasDialog.h"
#include "ui/EditTextDialog.h"
#include "ui/ListOwner.h"

namespace {

std::vector<unsigned char> digestOf(const ClipItem& item) {
    return std::vector<unsigned char>(item.digest(), item.digest() + ClipItem::DigestSize);
}

std::u16string wideTextOf(const ClipItem& item) {
    std::u16string text;
    const unsigned char* bytes = item.text();
    for (std::int32_t i = 0; bytes != nullptr && i + 1 < item.byteLength(); i += 2) {
        text += static_cast<char16_t>(bytes[i] | (bytes[i + 1] << 8));
    }
    return text;
}

}  // namespace

ItemCommands::ItemCommands(ItemStore& store, ListOwner& owner, const std::string& folder)
    : store_(store), owner_(owner), menu_(store.isFavorites()), files_(store, owner, folder) {}

bool ItemCommands::run(int command, const std::vector<ClipItem*>& selected) {
    if (!menu_.offers(command)) return false;
    ClipItem* first = selected.empty() ? nullptr : selected.front();
    switch (command) {
    case ID_ADD_TO_FAVORITES:
        addToFavorites(selected);
        break;
    case ID_MOVE_UP:
    case ID_MOVE_DOWN:
    case ID_MOVE_TO_TOP:
    case ID_MOVE_TO_BOTTOM:
        if (first != nullptr) move(command, *first);
        break;
    case ID_MODIFY:
        if (first != nullptr) modify(*first);
        break;
    case ID_ALIAS:
        if (first != nullptr) editAlias(*first);
        break;
    case ID_DELETE:
        remove(selected);
        break;
    case ID_DELETE_ALL:
        removeAll();
        break;
    case ID_BACKUP:
        files_.backUp();
        break;
    case ID_RESTORE:
        files_.restore();
        break;
    case ID_IMPORT:
        files_.importText();
        break;
    case ID_EXPORT:
        files_.exportText();
        break;
    default:
        return false;
    }
    return true;
}

// Copies first: the messages about refused copies run modal loops, during
// which a capture may drop an active-list item.
void ItemCommands::addToFavorites(const std::vector<ClipItem*>& selected) {
    std::vector<std::unique_ptr<ClipItem>> copies;
    for (const ClipItem* item : selected) {
        std::unique_ptr<ClipItem> copy = item->clone();
        if (copy) copies.push_back(std::move(copy));
    }
    ItemStore& favorites = owner_.favoritesStore();
    // A duplicate or a full list is reported for its row; the next row follows.
    for (auto& copy : copies) favorites.add(std::move(copy), 0);
    favorites.notifyObserver();
}

void ItemCommands::move(int command, ClipItem& item) {
    switch (command) {
    case ID_MOVE_UP:
        store_.moveUp(&item);
        break;
    case ID_MOVE_DOWN:
        store_.moveDown(&item);
        break;
    case ID_MOVE_TO_TOP:
        store_.moveToTop(&item);
        break;
    default:
        store_.moveToBottom(&item);
        break;
    }
    store_.notifyObserver();
}

// An image or a set of files is kept as copied: there is no text to edit.
void ItemCommands::modify(ClipItem& item) {
    if (!item.isEditable()) {
        owner_.messages().show("图片和文件不能修改！", msgbox::Ok);
        return;
    }
    const std::vector<unsigned char> digest = digestOf(item);
    EditTextDialog dialog(store_);
    dialog.setText(wideTextOf(item));
    if (dialog.doModal(owner_.ownerWindow()) != IDOK) return;
    ClipItem* edited = stillHeld(digest);
    if (edited == nullptr) return;
    // The edited text as UTF-16LE bytes, as an item holds it.
    const UnicodeTextItem replacement(dialog.text());
    edited->setText(replacement.text(), replacement.byteLength());
    store_.notifyObserver();
}

void ItemCommands::editAlias(ClipItem& item) {
    const std::vector<unsigned char> digest = digestOf(item);
    AliasDialog dialog;
    dialog.setName(item.alias());
    dialog.setContent(wideTextOf(item));
    if (dialog.doModal(owner_.ownerWindow()) != IDOK) return;
    ClipItem* named = stillHeld(digest);
    if (named == nullptr) return;
    named->setAlias(dialog.name().c_str());
    store_.notifyObserver();
}

void ItemCommands::remove(const std::vector<ClipItem*>& selected) {
    for (const ClipItem* item : selected) store_.remove(item);
    store_.notifyObserver();
}

void ItemCommands::removeAll() {
    store_.clear();
    store_.notifyObserver();
}

ClipItem* ItemCommands::stillHeld(const std::vector<unsigned char>& digest) const {
    return store_.findByDigest(digest.data());
}
