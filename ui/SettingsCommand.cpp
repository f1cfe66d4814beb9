#include "ui/SettingsCommand.h"

#include <utility>

#include "capture/HotkeyRegistration.h"
#include "core/ItemStore.h"
#include "core/ListMaximumChoice.h"
#include "core/MessageSink.h"
#include "core/StartupEntry.h"
#include "storage/Settings.h"
#include "ui/AutoHideDocker.h"

SettingsCommand::SettingsCommand(Settings& settings, ItemStore& active, ItemStore& favorites,
                                 MessageSink& messages, StartupEntry& startup,
                                 AutoHideDocker& docker, std::string configPath)
    : settings_(settings),
      active_(active),
      favorites_(favorites),
      messages_(messages),
      startup_(startup),
      docker_(docker),
      configPath_(std::move(configPath)) {}

INT_PTR SettingsCommand::run(HWND window, HotkeyRegistration* hotkeys) {
    SettingsDialog::Values values = currentValues();
    liftHotkeys(hotkeys);
    SettingsDialog dialog(values, messages_);
    const INT_PTR result = dialog.doModal(window);
    if (result == IDOK) apply(values, window);
    restoreHotkeys(hotkeys);
    return result;
}

SettingsDialog::Values SettingsCommand::currentValues() const {
    SettingsDialog::Values values;
    values.monitoring = settings_.EnableMonitoring();
    values.popupMenu = settings_.EnablePopupMenu();
    values.autoHide = settings_.EnableAutoHide();
    values.favoriteAutoPaste = settings_.EnableFavoriteAutoPaste();
    values.startWithSystem = settings_.EnableStartup();
    values.startupMinimized = settings_.StartupMinimized();
    values.popupShowInfo = settings_.PopupShowInfo();
    values.menuHotKey = settings_.AccKey();
    values.favoriteHotKey = settings_.FavoriteAccKey();
    values.favoritePosition = ListMaximumChoice::positionOf(settings_.MaxFavoriteItemNum());
    values.activePosition = ListMaximumChoice::positionOf(settings_.MaxActiveItemNum());
    return values;
}

void SettingsCommand::apply(const SettingsDialog::Values& values, HWND window) {
    settings_.EnableMonitoring(values.monitoring);
    settings_.EnablePopupMenu(values.popupMenu);
    settings_.EnableAutoHide(values.autoHide);
    settings_.PopupShowInfo(values.popupShowInfo);
    settings_.EnableFavoriteAutoPaste(values.favoriteAutoPaste);
    settings_.StartupMinimized(values.startupMinimized);

    // The favorites first, then the active list.
    applyMaximum({favorites_, &Settings::MaxFavoriteItemNum, &Settings::MaxFavoriteItemNum,
                  "收藏夹条目已经超出设置的最大值，是否截除旧条目？",
                  "收藏夹条目最大值将保持原值！"},
                 values.favoritePosition);
    applyMaximum({active_, &Settings::MaxActiveItemNum, &Settings::MaxActiveItemNum,
                  "活动文本条目已经超出设置的最大值，是否截除旧条目？",
                  "活动文本条目最大值将保持原值！"},
                 values.activePosition);

    // Zero parts keep what is stored.
    settings_.AccKey(values.menuHotKey.modifiers(), values.menuHotKey.virtualKey());
    settings_.FavoriteAccKey(values.favoriteHotKey.modifiers(),
                             values.favoriteHotKey.virtualKey());
    applyDocking(window);
    applyStartup(values.startWithSystem);
    settings_.writeConfig(configPath_, messages_);
}

// A list longer than its new maximum loses its bottom entries, or keeps
// its old maximum when the user says no.
void SettingsCommand::applyMaximum(const ListLimit& list, int position) {
    const std::int32_t previous = (settings_.*list.get)();
    const std::int32_t maximum = ListMaximumChoice::maximumAt(position, previous);
    (settings_.*list.set)(maximum);
    const int count = list.store.count();
    if (maximum < count) {
        if (messages_.show(list.question, msgbox::YesNo | msgbox::DefButton2) == msgbox::IdYes) {
            list.store.removeFromBack(count - maximum);
        } else {
            (settings_.*list.set)(previous);
            messages_.show(list.keptMessage, msgbox::Ok);
        }
    }
    list.store.notifyObserver();
}

void SettingsCommand::applyDocking(HWND window) {
    if (settings_.EnableAutoHide() != 0) {
        docker_.attach(window);
    } else {
        docker_.detach();
    }
}

// EnableStartup records only a change that took effect.
void SettingsCommand::applyStartup(int enable) {
    if (startup_.set(enable) == 0) settings_.EnableStartup(enable);
}

void SettingsCommand::liftHotkeys(HotkeyRegistration* hotkeys) {
    if (hotkeys == nullptr) return;
    hotkeys->UnregisterMenuHotkey();
    hotkeys->UnregisterFavoriteHotkeys();
}

void SettingsCommand::restoreHotkeys(HotkeyRegistration* hotkeys) {
    if (hotkeys == nullptr) return;
    if (settings_.EnablePopupMenu() != 0) hotkeys->RegisterMenuHotkey();
    if (settings_.EnableFavoriteAutoPaste() != 0) hotkeys->RegisterFavoriteHotkeys();
}
