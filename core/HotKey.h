// A hotkey as the hotkey control encodes it: a virtual-key code and the
// control's modifier bits (1 Shift, 2 Ctrl, 4 Alt, 8 extended).
#pragma once

#include <cstdint>

class HotKey {
public:
    static constexpr std::uint16_t Shift = 1;
    static constexpr std::uint16_t Control = 2;
    static constexpr std::uint16_t Alt = 4;
    static constexpr std::uint16_t Extended = 8;

    HotKey() = default;
    HotKey(std::uint16_t modifiers, std::uint16_t virtualKey)
        : virtualKey_(virtualKey), modifiers_(modifiers) {}
    virtual ~HotKey() = default;
    HotKey(const HotKey&) = default;
    HotKey& operator=(const HotKey&) = default;

    std::uint16_t virtualKey() const { return virtualKey_; }
    std::uint16_t modifiers() const { return modifiers_; }
    // Changes only the parts whose low 16 bits are non-zero.
    void set(unsigned modifiers, unsigned virtualKey);

    bool operator==(const HotKey& other) const {
        return virtualKey_ == other.virtualKey_ && modifiers_ == other.modifiers_;
    }

private:
    std::uint16_t virtualKey_ = 0;
    std::uint16_t modifiers_ = 0;
};
