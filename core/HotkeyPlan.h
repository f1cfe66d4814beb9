// Which system-wide hotkeys the main window registers, in the form the
// system's RegisterHotKey wants: the menu hotkey under id 0 and the ten
// favorites hotkeys under ids 1 to 10 (the favorites modifiers with the keys
// 1 to 9, then 0). The stored hotkeys use the hotkey control's modifier bits
// (1 Shift, 2 Ctrl, 4 Alt, 8 extended).
#pragma once

#include <array>

class HotKey;

// RegisterHotKey's modifier bits.
namespace hotkeymod {
constexpr unsigned Alt = 0x1;
constexpr unsigned Control = 0x2;
constexpr unsigned Shift = 0x4;
}  // namespace hotkeymod

struct HotkeyBinding {
    int id;
    unsigned modifiers;   // RegisterHotKey's bits
    unsigned virtualKey;
};

class HotkeyPlan {
public:
    static constexpr int MenuId = 0;
    static constexpr int FavoriteCount = 10;

    // Alt 4 -> 1, Ctrl 2 -> 2, Shift 1 -> 4; only the low byte of the
    // flags counts, the extended bit and every other bit are dropped.
    static unsigned ToHotkeyModifiers(unsigned hotkeyControlFlags);

    static HotkeyBinding menu(const HotKey& accKey);
    // Ids 1 to 10 in increasing order; only the modifiers of the stored
    // favorites hotkey are used.
    static std::array<HotkeyBinding, FavoriteCount> favorites(const HotKey& favoriteAccKey);
};
