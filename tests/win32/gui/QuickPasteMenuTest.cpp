// The quick-paste hook on a window of its own: commands are resolved by
// position when they arrive, and a position that is gone pastes nothing.
#include "capture/QuickPasteMenu.h"

#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "TestStores.h"
#include "capture/HotkeyRegistrar.h"
#include "capture/PasteInjector.h"
#include "core/UnicodeTextItem.h"

namespace {

void CALLBACK closeMenu(HWND, UINT, UINT_PTR, DWORD) { EndMenu(); }

struct QuickPasteMenuTest : ::testing::Test, TestStores {
    QuickPasteMenuTest() {
        window = CreateWindowExW(0, L"STATIC", L"main", WS_POPUP, 0, 0, 10, 10, nullptr, nullptr,
                                 GetModuleHandleW(nullptr), nullptr);
        menu.hook(window);
        hotkeys.setWindow(window);
    }
    ~QuickPasteMenuTest() override {
        hotkeys.unregisterAll();
        menu.unhook();
        DestroyWindow(window);
    }
    void add(ItemStore& store, const std::u16string& text) {
        ASSERT_EQ(0, store.add(std::make_unique<UnicodeTextItem>(text), 0));
    }

    // Whether a combination is held: another window cannot register it.
    static bool taken(UINT modifiers, UINT key) {
        if (!RegisterHotKey(nullptr, 0x77, modifiers, key)) return true;
        UnregisterHotKey(nullptr, 0x77);
        return false;
    }
    static std::string heldDigits(UINT modifiers) {
        std::string held;
        for (char digit : std::string("1234567890")) {
            if (taken(modifiers, static_cast<UINT>(digit))) held += digit;
        }
        return held;
    }

    HWND window = nullptr;
    HotkeyRegistrar hotkeys{settings, messages};
    PasteInjector paster{hotkeys};
    QuickPasteMenu menu{favorites, active, settings, clipboard, messages, paster};
};

TEST_F(QuickPasteMenuTest, APositionNoLongerInItsListGivesTheFatalErrorAndNoPaste) {
    add(active, u"only one");
    SendMessageW(window, WM_COMMAND, 2501, 0);
    SendMessageW(window, WM_COMMAND, 2000, 0);
    ASSERT_EQ(2u, messages.shown.size());
    for (const auto& shown : messages.shown) {
        EXPECT_EQ("Fatal Error: Cannot find selected item in object pool.", shown.text);
        EXPECT_EQ(16u, shown.style);
    }
    EXPECT_EQ(0, clipboard.puts);
}

TEST_F(QuickPasteMenuTest, FavoritesHotkeyBeyondTheListAndHeadersDoNothing) {
    add(favorites, u"one");
    add(favorites, u"two");
    SendMessageW(window, WM_HOTKEY, 3, MAKELPARAM(MOD_CONTROL, '3'));
    SendMessageW(window, WM_COMMAND, 9999, 0);
    EXPECT_TRUE(messages.shown.empty());
    EXPECT_EQ(0, clipboard.puts);
}

// The menu hotkey again while the menu is open (pressed twice, or held):
// the paste still goes to the window that was in front at the first press.
TEST_F(QuickPasteMenuTest, MenuHotkeyWhileTheMenuIsOpenKeepsThePasteTarget) {
    add(active, u"one");
    HWND front = CreateWindowExW(0, L"STATIC", L"front", WS_POPUP | WS_VISIBLE, 0, 0, 10, 10,
                                 nullptr, nullptr, GetModuleHandleW(nullptr), nullptr);
    SetForegroundWindow(front);
    ASSERT_EQ(front, GetForegroundWindow());
    PostMessageW(window, WM_HOTKEY, 0, MAKELPARAM(MOD_CONTROL, 'D'));  // runs in the menu
    const UINT_PTR closer = SetTimer(nullptr, 0, 300, &closeMenu);
    SendMessageW(window, WM_HOTKEY, 0, MAKELPARAM(MOD_CONTROL, 'D'));
    KillTimer(nullptr, closer);
    EXPECT_EQ(front, menu.pasteTarget());
    DestroyWindow(front);
}

TEST_F(QuickPasteMenuTest, TheTenthFavoritesHotkeyPastesTheTenthFavorite) {
    for (char16_t c = u'a'; c <= u'j'; ++c) add(favorites, std::u16string(1, c));
    SendMessageW(window, WM_HOTKEY, 10, MAKELPARAM(MOD_CONTROL, '0'));
    EXPECT_EQ(1, clipboard.puts);
    EXPECT_EQ((std::vector<unsigned char>{'j', 0}), clipboard.content);
}

// All ten or none; the menu hotkey first, even on a favorites combination.
TEST_F(QuickPasteMenuTest, FavoritesHotkeysAreAllOrNothing) {
    settings.FavoriteAccKey(3, '1');  // Ctrl+Shift
    ASSERT_TRUE(RegisterHotKey(nullptr, 0x78, MOD_CONTROL | MOD_SHIFT, '5'));
    hotkeys.RegisterFavoriteHotkeys();
    UnregisterHotKey(nullptr, 0x78);
    EXPECT_FALSE(hotkeys.favoritesRegistered());
    EXPECT_EQ("", heldDigits(MOD_CONTROL | MOD_SHIFT));
    ASSERT_EQ(1u, messages.shown.size());
    EXPECT_EQ("快捷键注册失败！", messages.shown[0].text);

    settings.FavoriteAccKey(2, '1');
    settings.AccKey(2, '3');  // Ctrl+3, as only a hand-edited file can hold
    settings.EnableFavoriteAutoPaste(1);
    hotkeys.registerEnabled();
    EXPECT_TRUE(hotkeys.menuRegistered());
    EXPECT_EQ("3", heldDigits(MOD_CONTROL));
    EXPECT_EQ(2u, messages.shown.size());
}

// Switched off, the favorites hotkeys stay away at start and after a paste;
// switched on, a paste brings them back.
TEST_F(QuickPasteMenuTest, FavoritesHotkeysFollowTheirSwitchAroundAPaste) {
    hotkeys.registerEnabled();
    EXPECT_TRUE(taken(MOD_CONTROL, 'D'));
    EXPECT_EQ("", heldDigits(MOD_CONTROL));
    paster.PasteIntoWindow(nullptr);
    EXPECT_TRUE(taken(MOD_CONTROL, 'D'));
    EXPECT_EQ("", heldDigits(MOD_CONTROL));

    settings.EnableFavoriteAutoPaste(1);
    paster.PasteIntoWindow(nullptr);
    EXPECT_EQ("1234567890", heldDigits(MOD_CONTROL));
    EXPECT_TRUE(messages.shown.empty());
}

// The window in front before the menu gets the focus back once it closes.
TEST_F(QuickPasteMenuTest, TheWindowInFrontIsInFrontAgainAfterTheMenu) {
    add(active, u"entry");
    HWND front = CreateWindowExW(0, L"STATIC", L"front", WS_POPUP | WS_VISIBLE, 40, 40, 100, 60,
                                 nullptr, nullptr, GetModuleHandleW(nullptr), nullptr);
    ShowWindow(window, SW_SHOW);
    SetForegroundWindow(front);
    ASSERT_EQ(front, GetForegroundWindow());
    const UINT_PTR timer = SetTimer(nullptr, 0, 200, &closeMenu);
    SendMessageW(window, WM_HOTKEY, 0, MAKELPARAM(MOD_CONTROL, 'D'));
    KillTimer(nullptr, timer);
    EXPECT_EQ(front, GetForegroundWindow());
    EXPECT_EQ(0, clipboard.puts);
    DestroyWindow(front);
}

}  // namespace
