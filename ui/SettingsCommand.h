// The settings command of the toolbar and the tray menu. It lifts every
// hotkey, runs the settings dialog over the main window and, when the user
// confirms, applies the new values at once: the settings record, trimming
// a list that is longer than its new maximum (if the user agrees), edge
// docking, the start-with-the-system entry and the configuration file. A
// trimming question ended by an exit abandons all of it.
// Confirmed or not, the hotkeys are then registered again as the switches
// say.
#pragma once

#include <windows.h>

#include <cstdint>
#include <string>

#include "ui/SettingsDialog.h"

class AutoHideDocker;
class HotkeyRegistration;
class ItemStore;
class MessageSink;
class Settings;
class StartupEntry;

class SettingsCommand {
public:
    SettingsCommand(Settings& settings, ItemStore& active, ItemStore& favorites,
                    MessageSink& messages, StartupEntry& startup, AutoHideDocker& docker,
                    std::string configPath);

    // Runs the whole command with window (the main window) as the dialog's
    // owner and the docker's window. hotkeys may be null (nothing to lift).
    // Returns IDOK, IDCANCEL, or -1 when the dialog could not be shown.
    INT_PTR run(HWND window, HotkeyRegistration* hotkeys);

private:
    // One list with its maximum in the settings and its two messages.
    struct ListLimit {
        ItemStore& store;
        std::int32_t (Settings::*get)() const;
        void (Settings::*set)(std::int32_t);
        const char* question;
        const char* keptMessage;
    };

    // What the user chose for a list longer than its new maximum.
    enum class Trim { Fits, Cut, KeepOld, Abandon };

    SettingsDialog::Values currentValues() const;
    void apply(const SettingsDialog::Values& values, HWND window);
    Trim askTrim(const ListLimit& list, int position);
    void applyMaximum(const ListLimit& list, int position, Trim trim);
    void applyDocking(HWND window);
    void applyStartup(int enable);
    void liftHotkeys(HotkeyRegistration* hotkeys);
    void restoreHotkeys(HotkeyRegistration* hotkeys);

    Settings& settings_;
    ItemStore& active_;
    ItemStore& favorites_;
    MessageSink& messages_;
    StartupEntry& startup_;
    AutoHideDocker& docker_;
    std::string configPath_;
};
