#include "capture/QuickPasteMenu.h"

#include "capture/PasteInjector.h"
#include "core/ClipItem.h"
#include "core/HotkeyPlan.h"
#include "core/ItemStore.h"
#include "core/MessageSink.h"
#include "core/QuickPasteMenuModel.h"
#include "core/win32/Handles.h"
#include "storage/Settings.h"
#include "ui/framework/ModalScope.h"
#include "ui/framework/Window.h"

namespace {
const char* const ItemGoneMessage = "Fatal Error: Cannot find selected item in object pool.";

MenuHandle createMenu(const std::vector<QuickPasteEntry>& entries) {
    MenuHandle menu(CreatePopupMenu());
    if (!menu) return menu;
    for (const QuickPasteEntry& entry : entries) {
        if (entry.separator) {
            AppendMenuW(menu.get(), MF_SEPARATOR, 0, nullptr);
        } else {
            AppendMenuW(menu.get(), MF_STRING | entry.flags, static_cast<UINT_PTR>(entry.id),
                        wintext::wide(entry.caption).c_str());
        }
    }
    return menu;
}
}  // namespace

QuickPasteMenu::QuickPasteMenu(ItemStore& favorites, ItemStore& active, const Settings& settings,
                               Clipboard& clipboard, MessageSink& messages, PasteInjector& paster)
    : favorites_(favorites),
      active_(active),
      settings_(settings),
      clipboard_(clipboard),
      messages_(messages),
      paster_(paster) {
    setCommandRange(QuickPasteMenuModel::FirstFavoriteId, QuickPasteMenuModel::LastId);
}

bool QuickPasteMenu::onHotKey(int id, UINT, UINT) {
    if (id < HotkeyPlan::MenuId || id > HotkeyPlan::FavoriteCount) return false;
    OnHotKey(id);
    return true;
}

bool QuickPasteMenu::onCommandRange(int id) {
    OnQuickPasteCommand(id);
    return true;
}

void QuickPasteMenu::OnHotKey(int id) {
    if (menuOpen_) return;
    pasteTarget_ = GetForegroundWindow();
    if (id == HotkeyPlan::MenuId) {
        openMenu();
    } else {
        pasteFavorite(id);
    }
}

// Favorites beyond the list's end paste nothing, without a word.
void QuickPasteMenu::pasteFavorite(int number) {
    const ClipItem* item = favorites_.itemAt(number - 1);
    if (item == nullptr) return;
    item->putOnClipboard(clipboard_);
    if (pasteTarget_ != nullptr) paster_.PasteIntoWindow(pasteTarget_);
    SetForegroundWindow(pasteTarget_);
}

// The menu takes keys only once this program is in front. Its choice comes
// back as a command after the menu has closed.
void QuickPasteMenu::openMenu() {
    POINT at{};
    GetCursorPos(&at);
    MenuHandle menu =
        createMenu(QuickPasteMenuModel::build(favorites_, active_, settings_.PopupShowInfo()));
    if (!menu) return;
    {
        const ModalScope scope(hookedWindow());
        if (scope.closing()) return;
        SetForegroundWindow(hookedWindow());
        menuOpen_ = true;
        TrackPopupMenu(menu.get(), 0, at.x, at.y, 0, hookedWindow(), nullptr);
        menuOpen_ = false;
    }
    menu.reset();
    if (pasteTarget_ != GetForegroundWindow()) SetForegroundWindow(pasteTarget_);
}

// The entry is looked up by its position now: the list may have changed
// while the menu was open.
void QuickPasteMenu::OnQuickPasteCommand(int id) {
    const QuickPasteMenuModel::Choice choice = QuickPasteMenuModel::resolve(id);
    const ItemStore& store = choice.active ? active_ : favorites_;
    const ClipItem* item = store.itemAt(choice.position);
    if (item == nullptr) {
        messages_.show(ItemGoneMessage, msgbox::Ok | msgbox::IconStop);
        return;
    }
    // Capturing this write may replace an active-list item: item is not
    // used again.
    item->putOnClipboard(clipboard_);
    paster_.PasteIntoWindow(pasteTarget_);
}
