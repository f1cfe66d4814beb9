// The settings command through the real dialog: a timer inside the dialog's
// modal loop reads and changes its controls and presses its buttons. The
// hotkeys, the start-with-the-system entry and the message boxes are
// recording doubles; the docker is real.
#include "ui/SettingsCommand.h"

#include <commctrl.h>

#include <gtest/gtest.h>

#include <cstdio>
#include <fstream>
#include <functional>
#include <iterator>
#include <string>
#include <utility>
#include <vector>

#include "TestStores.h"
#include "shared/KnownAnswers.h"
#include "capture/HotkeyRegistration.h"
#include "core/StartupEntry.h"
#include "core/UnicodeTextItem.h"
#include "res/resource.h"
#include "ui/AutoHideDocker.h"

namespace {

// Records the calls, and the menu hotkey in the settings when it is registered.
class RecordingHotkeys : public HotkeyRegistration {
public:
    explicit RecordingHotkeys(const Settings& settings) : settings_(settings) {}
    void RegisterMenuHotkey() override {
        calls.push_back("register menu");
        menuKey = settings_.AccKey();
    }
    void UnregisterMenuHotkey() override { calls.push_back("unregister menu"); }
    void RegisterFavoriteHotkeys() override { calls.push_back("register favorites"); }
    void UnregisterFavoriteHotkeys() override { calls.push_back("unregister favorites"); }

    std::vector<std::string> calls;
    HotKey menuKey;

private:
    const Settings& settings_;
};

class FakeStartup : public StartupEntry {
public:
    int set(int enable) override {
        calls.push_back(enable);
        return result;
    }

    std::vector<int> calls;
    int result = 0;
};

// What the timer does inside the dialog, once it is open.
std::function<void(HWND)> actInDialog;
bool dialogSeen = false;

void CALLBACK runInDialog(HWND, UINT, UINT_PTR timer, DWORD) {
    HWND dialog = FindWindowW(L"#32770", L"设置");
    if (dialog == nullptr || dialogSeen) return;
    dialogSeen = true;
    KillTimer(nullptr, timer);
    actInDialog(dialog);
}

HWND item(HWND dialog, int id) { return GetDlgItem(dialog, id); }
void press(HWND dialog, int id) {
    SendMessageW(dialog, WM_COMMAND, MAKEWPARAM(id, BN_CLICKED),
                 reinterpret_cast<LPARAM>(item(dialog, id)));
}
void click(HWND dialog, int id) { SendMessageW(item(dialog, id), BM_CLICK, 0, 0); }
void setHotKey(HWND dialog, int id, BYTE modifiers, BYTE key) {
    SendMessageW(item(dialog, id), HKM_SETHOTKEY, MAKEWORD(key, modifiers), 0);
}
WORD hotKeyOf(HWND dialog, int id) {
    return static_cast<WORD>(SendMessageW(item(dialog, id), HKM_GETHOTKEY, 0, 0));
}
int selection(HWND dialog, int id) {
    return static_cast<int>(SendMessageW(item(dialog, id), CB_GETCURSEL, 0, 0));
}
void select(HWND dialog, int id, int position) {
    SendMessageW(item(dialog, id), CB_SETCURSEL, position, 0);
}

std::string readAll(const std::string& path) {
    std::ifstream file(path, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(file), std::istreambuf_iterator<char>());
}

class SettingsCommandTest : public ::testing::Test, protected TestStores {
protected:
    void SetUp() override {
        window = CreateWindowExW(0, L"STATIC", L"main", WS_POPUP | WS_VISIBLE | WS_CAPTION, 300,
                                 100, 260, 500, nullptr, nullptr, GetModuleHandleW(nullptr),
                                 nullptr);
        char folder[MAX_PATH] = {};
        GetTempPathA(MAX_PATH, folder);
        configPath = std::string(folder) + "qb-settings-test.cfg";
        std::remove(configPath.c_str());
    }
    void TearDown() override {
        docker.detach();
        DestroyWindow(window);
        std::remove(configPath.c_str());
    }

    INT_PTR run(std::function<void(HWND)> act) {
        actInDialog = std::move(act);
        dialogSeen = false;
        const UINT_PTR timer = SetTimer(nullptr, 0, 50, &runInDialog);
        SettingsCommand command(settings, active, favorites, messages, startup, docker,
                                configPath);
        const INT_PTR result = command.run(window, &hotkeys);
        KillTimer(nullptr, timer);
        return result;
    }

    void fill(ItemStore& store, int count) {
        for (int i = 0; i < count; ++i) {
            store.add(std::make_unique<UnicodeTextItem>(u"item " + std::u16string(1, u'A' + i)), 1);
        }
    }

    HWND window = nullptr;
    std::string configPath;
    RecordingHotkeys hotkeys{settings};
    FakeStartup startup;
    AutoHideDocker docker;
};

using Calls = std::vector<std::string>;

// Every hotkey is lifted while the dialog is open and registered again as
// the switches say; Cancel changes nothing else.
TEST_F(SettingsCommandTest, OpensWithTheStoredValuesAndCancelChangesNothing) {
    settings.EnableFavoriteAutoPaste(1);
    settings.MaxActiveItemNum(30);
    settings.AccKey(3, 'Q');
    settings.StartupMinimized(1);
    const std::string before = settings.configText();

    Calls duringDialog;
    const INT_PTR result = run([&](HWND dialog) {
        duringDialog = hotkeys.calls;
        EXPECT_EQ(2, selection(dialog, IDC_MAX_ACTIVE_ITEMS));
        EXPECT_EQ(10, SendMessageW(item(dialog, IDC_MAX_ACTIVE_ITEMS), CB_GETCOUNT, 0, 0));
        EXPECT_EQ(MAKEWORD('Q', 3), hotKeyOf(dialog, IDC_MENU_HOTKEY));
        EXPECT_EQ(MAKEWORD('1', 2), hotKeyOf(dialog, IDC_FAVORITE_HOTKEY));
        EXPECT_EQ(BST_CHECKED, SendMessageW(item(dialog, IDC_STARTUP_MINIMIZED), BM_GETCHECK, 0, 0));
        EXPECT_EQ(IDCANCEL, LOWORD(SendMessageW(dialog, DM_GETDEFID, 0, 0)));
        EXPECT_EQ(item(dialog, IDC_MAX_FAVORITE_ITEMS), GetFocus()) << "not on OK";
        click(dialog, IDC_ENABLE_MONITORING);
        select(dialog, IDC_MAX_ACTIVE_ITEMS, 0);
        press(dialog, IDCANCEL);
    });
    EXPECT_EQ(IDCANCEL, result);
    EXPECT_EQ((Calls{"unregister menu", "unregister favorites"}), duringDialog);
    EXPECT_EQ((Calls{"unregister menu", "unregister favorites", "register menu",
                     "register favorites"}),
              hotkeys.calls);
    EXPECT_EQ(before, settings.configText());
    EXPECT_TRUE(startup.calls.empty());
    EXPECT_EQ("", readAll(configPath)) << "no file written";
}

// A refused pair keeps the dialog open with the focus on the control the
// message names; the first rule that fails speaks.
TEST_F(SettingsCommandTest, RefusedHotkeysKeepTheDialogOpenWithTheFocusOnTheControl) {
    std::vector<HWND> focus;
    std::vector<bool> open;
    const INT_PTR result = run([&](HWND dialog) {
        const auto okAndLook = [&] {
            press(dialog, IDOK);
            focus.push_back(GetFocus());
            open.push_back(IsWindow(dialog) && IsWindowVisible(dialog));
        };
        setHotKey(dialog, IDC_MENU_HOTKEY, HOTKEYF_CONTROL, '5');
        okAndLook();
        setHotKey(dialog, IDC_FAVORITE_HOTKEY, HOTKEYF_CONTROL | HOTKEYF_ALT, '1');
        okAndLook();
        setHotKey(dialog, IDC_FAVORITE_HOTKEY, HOTKEYF_CONTROL, '2');
        okAndLook();
        setHotKey(dialog, IDC_MENU_HOTKEY, 0, 0);
        setHotKey(dialog, IDC_FAVORITE_HOTKEY, 0, 0);
        okAndLook();
        focus.push_back(item(dialog, IDC_MENU_HOTKEY));
        focus.push_back(item(dialog, IDC_FAVORITE_HOTKEY));
        press(dialog, IDCANCEL);
    });
    EXPECT_EQ(IDCANCEL, result);
    ASSERT_EQ(4u, messages.shown.size());
    EXPECT_EQ("两个快捷键组合码部分相同时，自动粘贴快捷键虚键不能为数字！", messages.shown[0].text);
    EXPECT_EQ("收藏夹快捷键组合码不能包含ALT！", messages.shown[1].text);
    EXPECT_EQ("收藏夹快捷键的虚键码部分必须为 1 ！", messages.shown[2].text);
    EXPECT_EQ("必须设置自动粘贴菜单快捷键！", messages.shown[3].text);
    EXPECT_EQ(msgbox::Ok, messages.shown[0].style);
    ASSERT_EQ(6u, focus.size());
    const HWND menu = focus[4], favorite = focus[5];
    EXPECT_EQ((std::vector<HWND>{menu, favorite, favorite, menu}),
              std::vector<HWND>(focus.begin(), focus.begin() + 4));
    EXPECT_EQ((std::vector<bool>{true, true, true, true}), open);
    EXPECT_EQ(2, settings.AccKey().modifiers()) << "nothing stored";
}

TEST_F(SettingsCommandTest, OkStoresTheValuesAppliesDockingAndWritesTheFile) {
    const INT_PTR result = run([&](HWND dialog) {
        click(dialog, IDC_ENABLE_POPUP_MENU);          // 1 -> 0
        click(dialog, IDC_ENABLE_AUTOHIDE);            // 0 -> 1
        click(dialog, IDC_ENABLE_FAVORITE_AUTOPASTE);  // 0 -> 1
        click(dialog, IDC_ENABLE_STARTUP);             // 0 -> 1
        click(dialog, IDC_STARTUP_MINIMIZED);          // 0 -> 1
        click(dialog, IDC_POPUP_SHOW_FAVORITES);
        select(dialog, IDC_MAX_FAVORITE_ITEMS, 9);
        setHotKey(dialog, IDC_MENU_HOTKEY, HOTKEYF_CONTROL | HOTKEYF_SHIFT, '5');
        press(dialog, IDOK);
    });
    EXPECT_EQ(IDOK, result);
    EXPECT_TRUE(messages.shown.empty());
    EXPECT_EQ(2, settings.PopupShowInfo());
    EXPECT_EQ(100, settings.MaxFavoriteItemNum());
    EXPECT_EQ(HotKey(3, '5'), settings.AccKey());
    EXPECT_EQ(1, settings.EnableStartup());
    EXPECT_EQ(std::vector<int>{1}, startup.calls);
    EXPECT_TRUE(docker.isAttached());
    EXPECT_EQ(window, docker.hookedWindow());
    // Registered again as the new switches say: favorites only.
    EXPECT_EQ((Calls{"unregister menu", "unregister favorites", "register favorites"}),
              hotkeys.calls);
    std::string expected = known::defaultConfigFile();
    for (const auto& [from, to] : std::vector<std::pair<std::string, std::string>>{
             {"MaxFavoriteItemNum=10", "MaxFavoriteItemNum=100"},
             {"EnablePopupMenu=1", "EnablePopupMenu=0"},
             {"EnableAutoHide=0", "EnableAutoHide=1"},
             {"EnableFavoriteAutoPaste=0", "EnableFavoriteAutoPaste=1"},
             {"EnableStartup=0", "EnableStartup=1"},
             {"StartupMinimized=0", "StartupMinimized=1"},
             {"AccKey.modifiers=2", "AccKey.modifiers=3"},
             {"AccKey.virtualKey=68", "AccKey.virtualKey=53"},
             {"PopupShowInfo=1", "PopupShowInfo=2"}}) {
        const std::size_t at = expected.find("\n" + from + "\r");
        ASSERT_NE(std::string::npos, at) << from;
        expected.replace(at + 1, from.size(), to);
    }
    EXPECT_EQ(expected, readAll(configPath));

    // Auto-hide switched off again: the docker lets go at once.
    run([&](HWND dialog) {
        click(dialog, IDC_ENABLE_AUTOHIDE);
        press(dialog, IDOK);
    });
    EXPECT_FALSE(docker.isAttached());
}

// A maximum the lists do not offer stays unless another is picked; a start
// entry that cannot be written leaves EnableStartup as it was.
TEST_F(SettingsCommandTest, UnofferedMaximumAndFailedStartEntryKeepTheirValues) {
    settings.MaxActiveItemNum(55);
    startup.result = -1;
    run([&](HWND dialog) {
        EXPECT_EQ(CB_ERR, selection(dialog, IDC_MAX_ACTIVE_ITEMS));
        click(dialog, IDC_ENABLE_STARTUP);
        press(dialog, IDOK);
    });
    EXPECT_EQ(55, settings.MaxActiveItemNum());
    EXPECT_EQ(std::vector<int>{1}, startup.calls);
    EXPECT_EQ(0, settings.EnableStartup());
    EXPECT_NE(std::string::npos, readAll(configPath).find("EnableStartup=0\r\n"));
    EXPECT_NE(std::string::npos, readAll(configPath).find("MaxActiveItemNum=55\r\n"));
}

// Both lists over their new maxima: the favorites are asked about first;
// No keeps each old maximum with its message.
TEST_F(SettingsCommandTest, LoweredMaximaAskFavoritesFirst) {
    settings.MaxFavoriteItemNum(30);
    fill(favorites, 25);
    fill(active, 35);
    messages.answer = msgbox::IdNo;
    run([&](HWND dialog) {
        select(dialog, IDC_MAX_FAVORITE_ITEMS, 1);
        select(dialog, IDC_MAX_ACTIVE_ITEMS, 1);
        press(dialog, IDOK);
    });
    ASSERT_EQ(4u, messages.shown.size());
    EXPECT_EQ("收藏夹条目已经超出设置的最大值，是否截除旧条目？", messages.shown[0].text);
    EXPECT_EQ(0x104u, messages.shown[0].style);
    EXPECT_EQ("收藏夹条目最大值将保持原值！", messages.shown[1].text);
    EXPECT_EQ("活动文本条目已经超出设置的最大值，是否截除旧条目？", messages.shown[2].text);
    EXPECT_EQ(0x104u, messages.shown[2].style);
    EXPECT_EQ("活动文本条目最大值将保持原值！", messages.shown[3].text);
    EXPECT_EQ(30, settings.MaxFavoriteItemNum());
    EXPECT_EQ(50, settings.MaxActiveItemNum());
    EXPECT_EQ(25, favorites.count());
    EXPECT_EQ(35, active.count());
}

// Yes cuts the favorites' bottom; the hotkey registered is the new one.
TEST_F(SettingsCommandTest, YesTrimsTheFavoritesAndTheNewMenuHotkeyIsRegistered) {
    settings.MaxFavoriteItemNum(30);
    fill(favorites, 25);  // "item Y" at the top, "item A" at the bottom
    messages.answer = msgbox::IdYes;
    run([&](HWND dialog) {
        select(dialog, IDC_MAX_FAVORITE_ITEMS, 1);  // "20"
        setHotKey(dialog, IDC_MENU_HOTKEY, HOTKEYF_CONTROL | HOTKEYF_SHIFT, 'Q');
        press(dialog, IDOK);
    });
    ASSERT_EQ(1u, messages.shown.size());
    EXPECT_EQ("收藏夹条目已经超出设置的最大值，是否截除旧条目？", messages.shown[0].text);
    EXPECT_EQ(20, settings.MaxFavoriteItemNum());
    ASSERT_EQ(20, favorites.count());
    EXPECT_EQ("item Y", favorites.itemAt(0)->narrowText());
    EXPECT_EQ("item F", favorites.itemAt(19)->narrowText());
    EXPECT_EQ(HotKey(3, 'Q'), hotkeys.menuKey);

}

}  // namespace
