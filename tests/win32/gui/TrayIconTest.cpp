// The tray icon with real windows, the real shell and the real tray menu.
#include "ui/CTrayIcon.h"

#include <gtest/gtest.h>

#include <cstddef>
#include <cstring>
#include <string>
#include <vector>

#include "res/resource.h"
#include "ui/framework/Window.h"
#include "MessagePump.h"

namespace {

const UINT kTrayMessage = WM_USER + 200;

// A hidden top-level window standing in for the main window: the tray
// icon's notification target, recording the commands it receives.
class NotifyTarget : public Window {
public:
    NotifyTarget() {
        subclass(CreateWindowExW(0, L"STATIC", L"tray target", WS_POPUP, 40, 40, 120, 80,
                                 nullptr, nullptr, GetModuleHandleW(nullptr), nullptr));
    }
    ~NotifyTarget() override { destroyWindow(); }

    std::vector<int> commands;

protected:
    bool onCommand(int id, int, HWND) override {
        commands.push_back(id);
        return true;
    }
};

// What the timer saw of the tray menu while it was open.
struct MenuProbe {
    int ticks = 0;
    int ticksOpen = 0;
    bool seen = false;
    RECT rect{};
    int itemCount = 0;
    UINT defaultItem = static_cast<UINT>(-1);
    UINT firstCommand = 0;
    bool choose = false;  // pick the first item by keyboard, else EndMenu
    bool forcedEnd = false;
};
MenuProbe probe;

HWND openMenuWindow() {
    HWND menu = FindWindowW(L"#32768", nullptr);
    return menu != nullptr && IsWindowVisible(menu) ? menu : nullptr;
}

// Runs inside TrackPopupMenu's modal loop: inspects the open menu, then
// closes it (by choosing its first item, or with EndMenu).
void CALLBACK inspectMenu(HWND, UINT, UINT_PTR, DWORD) {
    ++probe.ticks;
    HWND window = openMenuWindow();
    if (window == nullptr) {
        if (probe.ticks > 30) EndMenu();
        return;
    }
    if (!probe.seen) {
        probe.seen = true;
        GetWindowRect(window, &probe.rect);
        auto menu = reinterpret_cast<HMENU>(SendMessageW(window, MN_GETHMENU, 0, 0));
        probe.itemCount = GetMenuItemCount(menu);
        probe.defaultItem = GetMenuDefaultItem(menu, TRUE, 0);
        probe.firstCommand = GetMenuItemID(menu, 0);
        if (probe.choose) {
            PostMessageW(window, WM_KEYDOWN, VK_DOWN, 0);
            PostMessageW(window, WM_KEYDOWN, VK_RETURN, 0);
        } else {
            EndMenu();
        }
        return;
    }
    if (++probe.ticksOpen > 10) {
        probe.forcedEnd = true;
        EndMenu();
    }
}

// Opens the tray menu with a right-button release and closes it from a timer.
int rightClick(CTrayIcon& tray, bool choose) {
    probe = MenuProbe{};
    probe.choose = choose;
    const UINT_PTR timer = SetTimer(nullptr, 0, 100, &inspectMenu);
    const int result = tray.onNotify(IDR_TRAY, WM_RBUTTONUP);
    KillTimer(nullptr, timer);
    return result;
}

}  // namespace

TEST(TrayIcon, ConstructionFillsTheClassicRecord) {
    CTrayIcon tray(IDR_TRAY);
    const NOTIFYICONDATAW& data = tray.data();
    EXPECT_EQ(NOTIFYICONDATAW_V1_SIZE, data.cbSize);
    // The first-version record ends with the 64-character tip.
    EXPECT_EQ(offsetof(NOTIFYICONDATAW, szTip) + 128, data.cbSize);
    EXPECT_EQ(sizeof(void*) == 4 ? 152u : 168u, data.cbSize);
    EXPECT_EQ(static_cast<UINT>(IDR_TRAY), data.uID);
    EXPECT_STREQ(L"Quillbox", data.szTip);
    EXPECT_EQ(nullptr, data.hWnd);
    EXPECT_EQ(0u, data.uCallbackMessage);
    EXPECT_EQ(nullptr, data.hIcon);
    EXPECT_FALSE(tray.isShown());
}

TEST(TrayIcon, LongTipIsCutWithoutSplittingACharacter) {
    ASSERT_EQ(936u, GetACP());
    NotifyTarget target;
    CTrayIcon tray(IDR_TRAY);
    tray.setNotifyTarget(target.hwnd(), kTrayMessage);
    HICON icon = LoadIconW(nullptr, IDI_APPLICATION);

    // The tip holds what 63 bytes of narrow text hold: a character outside
    // the code page counts two bytes, a surrogate pair is one character.
    const std::wstring a62(62, L'a'), b61(61, L'b');
    const struct {
        std::wstring tip, shown;
    } cases[] = {
        {a62 + L"中文", a62},  // 中 would need bytes 63 and 64
        {b61 + L"中文", b61 + L"中"},
        {std::wstring(40, L'汉'), std::wstring(31, L'汉')},
        {std::wstring(100, L'c'), std::wstring(63, L'c')},
        {a62 + L"\U0001F600", a62},
        {b61 + L"\U0001F600x", b61 + L"\U0001F600"},
        {L"emoji \U0001F600 \u0109 \u015D \uD55C\uAD6D\uC5B4 end",
         L"emoji \U0001F600 \u0109 \u015D \uD55C\uAD6D\uC5B4 end"},
    };
    for (const auto& c : cases) {
        tray.setIcon(icon, c.tip.c_str());
        EXPECT_EQ(c.shown, std::wstring(tray.data().szTip));
    }
    tray.setIcon(nullptr, nullptr);
}

TEST(TrayIcon, IconIsAddedModifiedAndRemovedInTheShell) {
    NotifyTarget target;
    NOTIFYICONDATAW copy{};
    {
        CTrayIcon tray(IDR_TRAY);
        tray.setNotifyTarget(target.hwnd(), kTrayMessage);
        EXPECT_EQ(target.hwnd(), tray.data().hWnd);
        EXPECT_EQ(kTrayMessage, tray.data().uCallbackMessage);

        ASSERT_TRUE(tray.setIconFromResource(IDR_TRAY));
        EXPECT_TRUE(tray.isShown());
        EXPECT_EQ(static_cast<UINT>(NIF_ICON | NIF_TIP | NIF_MESSAGE), tray.data().uFlags);
        EXPECT_STREQ(L"Quillbox", tray.data().szTip);

        // The shell now holds the icon: a second add of the same icon fails.
        copy = tray.data();
        EXPECT_FALSE(Shell_NotifyIconW(NIM_ADD, &copy));

        // Shown already, so a new icon modifies the existing one.
        HICON other = LoadIconW(nullptr, IDI_INFORMATION);
        EXPECT_TRUE(tray.setIcon(other, L"其他提示"));
        EXPECT_EQ(other, tray.data().hIcon);
        EXPECT_STREQ(L"其他提示", tray.data().szTip);
        EXPECT_TRUE(tray.setIconFromResource(IDR_TRAY));
        EXPECT_STREQ(L"Quillbox", tray.data().szTip);

        EXPECT_TRUE(tray.setIconFromResource(0));
        EXPECT_FALSE(tray.isShown());
        EXPECT_FALSE(Shell_NotifyIconW(NIM_MODIFY, &copy));
        // Nothing shown, nothing to delete.
        EXPECT_TRUE(tray.setIcon(nullptr, nullptr));

        // After a removal the next icon is added afresh.
        EXPECT_TRUE(tray.setIconFromResource(IDR_TRAY));
        EXPECT_TRUE(Shell_NotifyIconW(NIM_MODIFY, &copy));
    }
    // The destructor removed the icon.
    EXPECT_FALSE(Shell_NotifyIconW(NIM_MODIFY, &copy));
}

TEST(TrayIcon, FlagsFollowTipAndNotifyTarget) {
    NotifyTarget target;
    HICON icon = LoadIconW(nullptr, IDI_APPLICATION);
    CTrayIcon tray(IDR_TRAY);

    // No notify target: neither the message flag nor a window.
    tray.setIcon(icon, nullptr);
    EXPECT_EQ(static_cast<UINT>(NIF_ICON | NIF_TIP), tray.data().uFlags);
    tray.setIcon(nullptr, nullptr);

    // A window without a message is no notify target either.
    tray.setNotifyTarget(target.hwnd(), 0);
    tray.setIcon(icon, L"");
    EXPECT_EQ(static_cast<UINT>(NIF_ICON), tray.data().uFlags);

    // The delete carries the tip and message flags but not the icon flag.
    tray.setNotifyTarget(target.hwnd(), kTrayMessage);
    tray.setIcon(nullptr, L"x");
    EXPECT_EQ(static_cast<UINT>(NIF_TIP | NIF_MESSAGE), tray.data().uFlags);
    EXPECT_FALSE(tray.isShown());
}

TEST(TrayIcon, FailedAddLeavesNoIconSoTheNextCallAddsAgain) {
    NotifyTarget target;
    CTrayIcon first(IDR_TRAY);
    first.setNotifyTarget(target.hwnd(), kTrayMessage);
    ASSERT_TRUE(first.setIconFromResource(IDR_TRAY));

    // A second object with the same window and id: its add is refused.
    CTrayIcon second(IDR_TRAY);
    second.setNotifyTarget(target.hwnd(), kTrayMessage);
    EXPECT_FALSE(second.setIcon(LoadIconW(nullptr, IDI_APPLICATION), nullptr));
    EXPECT_FALSE(second.isShown());

    EXPECT_TRUE(first.setIconFromResource(0));
    EXPECT_TRUE(second.setIcon(LoadIconW(nullptr, IDI_APPLICATION), nullptr));
    EXPECT_TRUE(second.isShown());
}

TEST(TrayIcon, OtherIconsAndOtherMouseMessagesAreIgnored) {
    NotifyTarget target;
    CTrayIcon tray(IDR_TRAY);
    tray.setNotifyTarget(target.hwnd(), kTrayMessage);

    EXPECT_EQ(0, tray.onNotify(IDR_TRAY + 1, WM_LBUTTONUP));
    EXPECT_EQ(0, tray.onNotify(IDR_TRAY + 1, WM_RBUTTONUP));
    for (LPARAM message : {WM_MOUSEMOVE, WM_LBUTTONDOWN, WM_LBUTTONDBLCLK, WM_RBUTTONDOWN,
                           WM_RBUTTONDBLCLK}) {
        EXPECT_EQ(0, tray.onNotify(IDR_TRAY, message)) << "message " << message;
    }
    EXPECT_FALSE(IsWindowVisible(target.hwnd()));
}

TEST(TrayIcon, LeftReleaseShowsTheTargetWindow) {
    NotifyTarget target;
    CTrayIcon tray(IDR_TRAY);
    tray.setNotifyTarget(target.hwnd(), kTrayMessage);
    ASSERT_FALSE(IsWindowVisible(target.hwnd()));

    EXPECT_EQ(1, tray.onNotify(IDR_TRAY, WM_LBUTTONUP));
    EXPECT_TRUE(IsWindowVisible(target.hwnd()));
}

TEST(TrayIcon, MissingMenuResourceMakesClicksDoNothing) {
    NotifyTarget target;
    CTrayIcon tray(4242);
    tray.setNotifyTarget(target.hwnd(), kTrayMessage);
    EXPECT_EQ(0, tray.onNotify(4242, WM_LBUTTONUP));
    EXPECT_EQ(0, tray.onNotify(4242, WM_RBUTTONUP));
    EXPECT_FALSE(IsWindowVisible(target.hwnd()));
}

TEST(TrayIcon, RightReleaseOpensTheMenuAtThePointer) {
    NotifyTarget target;
    CTrayIcon tray(IDR_TRAY);
    tray.setNotifyTarget(target.hwnd(), kTrayMessage);
    SetCursorPos(300, 250);

    EXPECT_EQ(1, rightClick(tray, false));
    ASSERT_TRUE(probe.seen) << "no menu window appeared";
    EXPECT_FALSE(probe.forcedEnd);
    EXPECT_EQ(300, probe.rect.left);
    EXPECT_EQ(250, probe.rect.top);
    EXPECT_EQ(6, probe.itemCount);
    EXPECT_EQ(0u, probe.defaultItem);
    EXPECT_EQ(static_cast<UINT>(ID_OPEN_MAIN), probe.firstCommand);
    EXPECT_EQ(nullptr, openMenuWindow());
    pumpFor(50);
    EXPECT_TRUE(target.commands.empty());
}

TEST(TrayIcon, ChosenMenuCommandReachesTheTargetWindow) {
    NotifyTarget target;
    CTrayIcon tray(IDR_TRAY);
    tray.setNotifyTarget(target.hwnd(), kTrayMessage);
    SetCursorPos(300, 250);

    EXPECT_EQ(1, rightClick(tray, true));
    ASSERT_TRUE(probe.seen);
    EXPECT_FALSE(probe.forcedEnd) << "the keyboard did not choose an item";
    pumpFor(100);
    ASSERT_EQ(1u, target.commands.size());
    EXPECT_EQ(ID_OPEN_MAIN, target.commands[0]);
}
