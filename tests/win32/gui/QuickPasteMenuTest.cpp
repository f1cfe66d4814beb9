// The quick-paste hook on a window of its own: commands are resolved by
// position when they arrive, and a position that is gone pastes nothing.
#include "capture/QuickPasteMenu.h"

#include <gtest/gtest.h>

#include <memory>

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
    }
    ~QuickPasteMenuTest() override {
        menu.unhook();
        DestroyWindow(window);
    }
    void add(ItemStore& store, const std::u16string& text) {
        ASSERT_EQ(0, store.add(std::make_unique<UnicodeTextItem>(text), 0));
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

}  // namespace
