#include "capture/HotkeyRegistrar.h"

#include "core/HotkeyPlan.h"
#include "core/MessageSink.h"
#include "storage/Settings.h"

namespace {
const char* const RefusedMessage = "快捷键注册失败！";

// A key held down fires once, not at every key repeat. Systems older than
// Windows 7 refuse the flag: there the binding is registered without it.
constexpr UINT NoRepeat = 0x4000;  // MOD_NOREPEAT

bool registerBinding(HWND window, const HotkeyBinding& binding) {
    if (RegisterHotKey(window, binding.id, binding.modifiers | NoRepeat, binding.virtualKey)) {
        return true;
    }
    return RegisterHotKey(window, binding.id, binding.modifiers, binding.virtualKey) != FALSE;
}
}  // namespace

HotkeyRegistrar::HotkeyRegistrar(const Settings& settings, MessageSink& messages)
    : settings_(settings), messages_(messages) {}

void HotkeyRegistrar::RegisterMenuHotkey() { registerMenu(Report::Always); }

void HotkeyRegistrar::RegisterFavoriteHotkeys() { registerFavorites(Report::Always); }

void HotkeyRegistrar::UnregisterMenuHotkey() {
    UnregisterHotKey(window_, HotkeyPlan::MenuId);
    menuRegistered_ = false;
}

void HotkeyRegistrar::UnregisterFavoriteHotkeys() {
    for (int id = 1; id <= HotkeyPlan::FavoriteCount; ++id) UnregisterHotKey(window_, id);
    favoritesRegistered_ = false;
}

void HotkeyRegistrar::registerEnabled() {
    if (settings_.EnablePopupMenu() != 0) registerMenu(Report::Always);
    if (settings_.EnableFavoriteAutoPaste() != 0) registerFavorites(Report::Always);
}

void HotkeyRegistrar::unregisterAll() {
    UnregisterMenuHotkey();
    UnregisterFavoriteHotkeys();
}

void HotkeyRegistrar::restoreAfterPaste() {
    if (settings_.EnablePopupMenu() != 0) registerMenu(Report::OnlyNew);
    if (settings_.EnableFavoriteAutoPaste() != 0) registerFavorites(Report::OnlyNew);
}

void HotkeyRegistrar::registerMenu(Report report) {
    menuRegistered_ = registerBinding(window_, HotkeyPlan::menu(settings_.AccKey()));
    if (!menuRegistered_) refused(report, menuRefused_);
    menuRefused_ = !menuRegistered_;
}

// All or nothing: at the first refusal the ones registered before go too.
void HotkeyRegistrar::registerFavorites(Report report) {
    favoritesRegistered_ = true;
    for (const HotkeyBinding& binding : HotkeyPlan::favorites(settings_.FavoriteAccKey())) {
        if (registerBinding(window_, binding)) continue;
        refused(report, favoritesRefused_);
        UnregisterFavoriteHotkeys();
        break;
    }
    favoritesRefused_ = !favoritesRegistered_;
}

void HotkeyRegistrar::refused(Report report, bool refusedBefore) {
    if (report == Report::OnlyNew && refusedBefore) return;
    messages_.show(RefusedMessage, msgbox::Ok);
}
