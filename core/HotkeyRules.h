// The rules the two hotkeys of the settings dialog must keep before they are
// accepted: the menu hotkey opens the quick-paste menu, the favorites hotkey
// lends its modifiers to the ten keys 1..9, 0. Both must be set; the
// favorites hotkey is modifiers + 1 without Alt; and when both use the same
// modifiers the menu hotkey's key must not be a digit, or it would collide
// with one of the ten.
#pragma once

#include <cstdint>

#include "core/HotKey.h"

class HotkeyRules {
public:
    // The control that needs the user's attention.
    enum class Field { None, MenuHotkey, FavoriteHotkey };

    struct Verdict {
        Field focus;          // None: both hotkeys are accepted
        const char* message;  // the refusal ("" when accepted)

        bool accepted() const { return focus == Field::None; }
    };

    // The key every favorites hotkey is entered with ('1').
    static constexpr std::uint16_t FavoriteKey = 0x31;

    // The first rule the pair breaks, tested in a fixed order: menu hotkey
    // set, favorites hotkey set, no Alt in the favorites, favorites key 1,
    // no digit for the menu with equal modifiers.
    static Verdict check(const HotKey& menu, const HotKey& favorites);
};
