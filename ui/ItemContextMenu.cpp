#include "ui/ItemContextMenu.h"

#include "core/win32/Handles.h"
#include "res/resource.h"
#include "ui/framework/ModalScope.h"

namespace {

MenuHandle loadMenu(int id) {
    return MenuHandle(LoadMenuW(GetModuleHandleW(nullptr), MAKEINTRESOURCEW(id)));
}

}  // namespace

int ItemContextMenu::resourceId() const {
    return isFavorites_ ? IDR_FAVORITES_MENU : IDR_ACTIVE_MENU;
}

bool ItemContextMenu::offers(int command) const {
    const MenuHandle menu = loadMenu(resourceId());
    HMENU popup = menu ? GetSubMenu(menu.get(), 0) : nullptr;
    return popup != nullptr && GetMenuState(popup, static_cast<UINT>(command), MF_BYCOMMAND) !=
                                   static_cast<UINT>(-1);
}

void ItemContextMenu::track(HWND owner, POINT screenPoint) const {
    const MenuHandle menu = loadMenu(resourceId());
    HMENU popup = menu ? GetSubMenu(menu.get(), 0) : nullptr;
    if (popup == nullptr) return;
    const ModalScope scope(owner);
    if (scope.closing()) return;
    TrackPopupMenu(popup, TPM_LEFTALIGN | TPM_LEFTBUTTON, screenPoint.x, screenPoint.y, 0, owner,
                   nullptr);
}
