// The main window's hotkeys at work. The menu hotkey (id 0) opens the
// quick-paste menu at the mouse pointer, built anew from the stores; the
// chosen entry arrives afterwards as a command (2000 + position for a
// favorite, 2500 + position for an active-list item) and is pasted into the
// window that was in front when the hotkey was pressed. The favorites
// hotkeys (ids 1 to 10) paste favorites 1 to 10 directly.
//
// While the menu is open every hotkey is ignored: this program is in front
// then, and a second press would retarget the paste to its own window.
#pragma once

#include <windows.h>

#include "ui/framework/MessageHook.h"

class Clipboard;
class ItemStore;
class MessageSink;
class PasteInjector;
class Settings;

class QuickPasteMenu : public MessageHook {
public:
    QuickPasteMenu(ItemStore& favorites, ItemStore& active, const Settings& settings,
                   Clipboard& clipboard, MessageSink& messages, PasteInjector& paster);

    void OnHotKey(int id);
    void OnQuickPasteCommand(int id);
    // The window in front at the last hotkey.
    HWND pasteTarget() const { return pasteTarget_; }

protected:
    bool onHotKey(int id, UINT modifiers, UINT virtualKey) override;
    bool onCommandRange(int id) override;

private:
    void pasteFavorite(int number);
    void openMenu();

    ItemStore& favorites_;
    ItemStore& active_;
    const Settings& settings_;
    Clipboard& clipboard_;
    MessageSink& messages_;
    PasteInjector& paster_;
    HWND pasteTarget_ = nullptr;
    bool menuOpen_ = false;
};
