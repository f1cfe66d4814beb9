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
    const ListLimit favorites{favorites_, &Settings::MaxFavoriteItemNum,
                              &Settings::MaxFavoriteItemNum,
                              "收藏夹条目已经超出设置的最大值，是否截除旧条目？",
                              "收藏夹条目最大值将保持原值！"};
    const ListLimit active{active_, &Settings::MaxActiveItemNum, &Settings::MaxActiveItemNum,
                           "活动文本条目已经超出设置的最大值，是否截除旧条目？",
                           "活动文本条目最大值将保持原值！"};
    // The questions come first, the favorites' before the active list's: a
    // box that answers none of its buttons (an exit ended it) abandons the
    // command before anything has changed.
    const Trim favoritesTrim = askTrim(favorites, values.favoritePosition);
    if (favoritesTrim == Trim::Abandon) return;
    const Trim activeTrim = askTrim(active, values.activePosition);
    if (activeTrim == Trim::Abandon) return;

    settings_.EnableMonitoring(values.monitoring);
    settings_.EnablePopupMenu(values.popupMenu);
    settings_.EnableAutoHide(values.autoHide);
    settings_.PopupShowInfo(values.popupShowInfo);
    settings_.EnableFavoriteAutoPaste(values.favoriteAutoPaste);
    settings_.StartupMinimized(values.startupMinimized);

    applyMaximum(favorites, values.favoritePosition, favoritesTrim);
    applyMaximum(active, values.activePosition, activeTrim);

    // Zero parts keep what is stored.
    settings_.AccKey(values.menuHotKey.modifiers(), values.menuHotKey.virtualKey());
    settings_.FavoriteAccKey(values.favoriteHotKey.modifiers(),
                             values.favoriteHotKey.virtualKey());
    applyDocking(window);
    applyStartup(values.startWithSystem);
    settings_.writeConfig(configPath_, messages_);
}

// A list longer than its new maximum asks whether to lose its bottom
// entries; No keeps its old maximum, which is told.
SettingsCommand::Trim SettingsCommand::askTrim(const ListLimit& list, int position) {
    const std::int32_t maximum = ListMaximumChoice::maximumAt(position, (settings_.*list.get)());
    if (maximum >= list.store.count()) return Trim::Fits;
    const int answer = messages_.show(list.question, msgbox::YesNo | msgbox::DefButton2);
    if (answer == msgbox::IdYes) return Trim::Cut;
    if (answer != msgbox::IdNo) return Trim::Abandon;
    messages_.show(list.keptMessage, msgbox::Ok);
    return Trim::KeepOld;
}

// The list is cut to the maximum as it holds now: the boxes' loops let
// captures change it.
void SettingsCommand::applyMaximum(const ListLimit& list, int position, Trim trim) {
    const std::int32_t maximum = ListMaximumChoice::maximumAt(position, (settings_.*list.get)());
    if (trim != Trim::KeepOld) (settings_.*list.set)(maximum);
    if (trim == Trim::Cut) list.store.removeFromBack(list.store.count() - maximum);
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
