#include "core/HotkeyPlan.h"

#include "core/HotKey.h"

unsigned HotkeyPlan::ToHotkeyModifiers(unsigned hotkeyControlFlags) {
    const unsigned flags = hotkeyControlFlags & 0xFFu;
    unsigned modifiers = 0;
    if (flags & HotKey::Alt) modifiers |= hotkeymod::Alt;
    if (flags & HotKey::Control) modifiers |= hotkeymod::Control;
    if (flags & HotKey::Shift) modifiers |= hotkeymod::Shift;
    return modifiers;
}

HotkeyBinding HotkeyPlan::menu(const HotKey& accKey) {
    return HotkeyBinding{MenuId, ToHotkeyModifiers(accKey.modifiers()), accKey.virtualKey()};
}

std::array<HotkeyBinding, HotkeyPlan::FavoriteCount> HotkeyPlan::favorites(
    const HotKey& favoriteAccKey) {
    const unsigned modifiers = ToHotkeyModifiers(favoriteAccKey.modifiers());
    std::array<HotkeyBinding, FavoriteCount> bindings{};
    for (int n = 1; n <= FavoriteCount; ++n) {
        // 1..9 on the digit keys '1'..'9'; the tenth on '0'.
        const unsigned key = n < FavoriteCount ? static_cast<unsigned>('0' + n) : '0';
        bindings[static_cast<std::size_t>(n - 1)] = HotkeyBinding{n, modifiers, key};
    }
    return bindings;
}
