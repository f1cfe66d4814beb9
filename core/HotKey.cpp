#include "core/HotKey.h"

void HotKey::set(unsigned modifiers, unsigned virtualKey) {
    const auto newModifiers = static_cast<std::uint16_t>(modifiers & 0xFFFFu);
    const auto newVirtualKey = static_cast<std::uint16_t>(virtualKey & 0xFFFFu);
    if (newModifiers != 0) modifiers_ = newModifiers;
    if (newVirtualKey != 0) virtualKey_ = newVirtualKey;
}
