// The main window's system-wide hotkeys as the rest of the program sees
// them: the menu hotkey (id 0) and the ten favorites hotkeys (ids 1 to 10),
// registered from the values then in the settings. A refused registration
// shows "快捷键注册失败！"; the favorites are all or nothing. Unregistering
// what is not registered is harmless.
#pragma once

class HotkeyRegistration {
public:
    virtual ~HotkeyRegistration() = default;
    virtual void RegisterMenuHotkey() = 0;
    virtual void UnregisterMenuHotkey() = 0;
    virtual void RegisterFavoriteHotkeys() = 0;
    virtual void UnregisterFavoriteHotkeys() = 0;
};
