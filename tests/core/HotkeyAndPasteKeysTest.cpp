#include <gtest/gtest.h>

#include <string>

#include "core/HotkeyPlan.h"
#include "core/PasteKeystroke.h"
#include "core/HotKey.h"

namespace {

TEST(HotkeyPlan, ModifierBitsOfTheHotkeyControlBecomeThoseOfRegistration) {
    // Hotkey control: 1 Shift, 2 Ctrl, 4 Alt, 8 extended.
    // Registration: MOD_ALT 1, MOD_CONTROL 2, MOD_SHIFT 4.
    const unsigned cases[][2] = {{0, 0}, {1, 4},  {2, 2},  {3, 6},     {4, 1},
                                 {5, 5}, {6, 3},  {7, 7},  {8, 0},     {10, 2},
                                 {0x1F, 7}, {0x102, 2}, {0xFF00, 0}};
    for (const auto& c : cases) {
        EXPECT_EQ(c[1], HotkeyPlan::ToHotkeyModifiers(c[0])) << "flags " << c[0];
    }
}

TEST(HotkeyPlan, MenuIsIdZeroAndFavoritesAreOneToTenOnTheDigitKeys) {
    const HotkeyBinding menu = HotkeyPlan::menu(HotKey(2, 68));
    EXPECT_EQ(0, menu.id);
    EXPECT_EQ(2u, menu.modifiers);
    EXPECT_EQ(68u, menu.virtualKey);

    // Ctrl+Shift on the favorites hotkey; its own key does not matter.
    const auto favorites = HotkeyPlan::favorites(HotKey(3, 0x35));
    const unsigned keys[] = {0x31, 0x32, 0x33, 0x34, 0x35, 0x36, 0x37, 0x38, 0x39, 0x30};
    for (int n = 0; n < 10; ++n) {
        EXPECT_EQ(n + 1, favorites[n].id);
        EXPECT_EQ(6u, favorites[n].modifiers);
        EXPECT_EQ(keys[n], favorites[n].virtualKey);
    }
}

TEST(PasteKeystroke, TerminalClassNamesAreFoundCaseSensitively) {
    for (const char* name : {"PuTTY", "SecureCRT", "NetTerm", "MyNetTermWindow", "xPuTTYConfig"}) {
        EXPECT_TRUE(PasteKeystroke::isTerminal(name)) << name;
    }
    for (const char* name : {"putty", "PUTTY", "Putty", "securecrt", "Netterm", "Edit", ""}) {
        EXPECT_FALSE(PasteKeystroke::isTerminal(name)) << name;
    }
}

TEST(PasteKeystroke, FourKeyEventsForEachKindOfWindow) {
    const PasteKeystroke::Events ctrlV = {
        {{0x11, 0x1D, 0}, {0x56, 0x2F, 0}, {0x56, 0x2F, 2}, {0x11, 0x1D, 2}}};
    const PasteKeystroke::Events shiftInsert = {
        {{0x10, 0x2A, 0}, {0x2D, 0x52, 1}, {0x2D, 0x52, 3}, {0x10, 0x2A, 2}}};
    EXPECT_EQ(ctrlV, PasteKeystroke::forWindowClass("Notepad"));
    EXPECT_EQ(ctrlV, PasteKeystroke::forWindowClass(""));
    EXPECT_EQ(shiftInsert, PasteKeystroke::forWindowClass("PuTTY"));
    EXPECT_EQ(ctrlV, PasteKeystroke::forWindowClass("putty"));
}

}  // namespace
