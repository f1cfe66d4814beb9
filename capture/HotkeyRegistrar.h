// Registers the main window's system-wide hotkeys from the settings: the
// menu hotkey (id 0) and the ten favorites hotkeys (ids 1 to 10, all or
// nothing). A combination the system refuses shows "快捷键注册失败！".
// Each is registered not to repeat while its key is held, where the system
// knows that flag.
//
// Around a paste every hotkey is lifted (the menu hotkey may be Ctrl+V
// itself) and then registered again as the switches say; a combination
// that was already refused before the paste is tried again quietly, so a
// hotkey another program holds is reported once, not after every paste.
#pragma once

#include <windows.h>

#include "capture/HotkeyRegistration.h"

class MessageSink;
class Settings;

class HotkeyRegistrar : public HotkeyRegistration {
public:
    HotkeyRegistrar(const Settings& settings, MessageSink& messages);

    // The window that receives WM_HOTKEY.
    void setWindow(HWND window) { window_ = window; }

    void RegisterMenuHotkey() override;
    void UnregisterMenuHotkey() override;
    void RegisterFavoriteHotkeys() override;
    void UnregisterFavoriteHotkeys() override;

    // The menu hotkey when EnablePopupMenu is on, the favorites hotkeys
    // when EnableFavoriteAutoPaste is on.
    void registerEnabled();
    void unregisterAll();
    // Registers what registerEnabled registers, reporting only new refusals.
    void restoreAfterPaste();

    bool menuRegistered() const { return menuRegistered_; }
    bool favoritesRegistered() const { return favoritesRegistered_; }

private:
    enum class Report { Always, OnlyNew };
    void registerMenu(Report report);
    void registerFavorites(Report report);
    void refused(Report report, bool refusedBefore);

    const Settings& settings_;
    MessageSink& messages_;
    HWND window_ = nullptr;
    bool menuRegistered_ = false;
    bool favoritesRegistered_ = false;
    bool menuRefused_ = false;
    bool favoritesRefused_ = false;
};
