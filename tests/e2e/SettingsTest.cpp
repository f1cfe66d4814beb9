// The settings dialog of the running program, driven from outside: its
// controls set by their messages, its buttons pressed, its questions
// answered. Checks what the user would see and what lands in Inkwell.cfg,
// poolfile.bin and the current user's Run key.
#include <gtest/gtest.h>

#include <windows.h>
#include <commctrl.h>

#include <string>
#include <vector>

#include "e2e/ProgramFixture.h"
#include "resource.h"
#include "shared/KnownAnswers.h"

namespace e2e {
namespace {

using Bytes = std::vector<unsigned char>;

const wchar_t* const RunKey = L"Software\\Microsoft\\Windows\\CurrentVersion\\Run";

std::string replaced(std::string text, const std::string& from, const std::string& to) {
    const std::size_t at = text.find(from);
    if (at != std::string::npos) text.replace(at, from.size(), to);
    return text;
}

Bytes bytesOf(const std::string& s) { return Bytes(s.begin(), s.end()); }

// The Run value "Quillbox", or "-" when there is none.
std::wstring runValue() {
    wchar_t data[1024] = {};
    DWORD size = sizeof data - sizeof(wchar_t);
    DWORD type = 0;
    if (RegGetValueW(HKEY_CURRENT_USER, RunKey, L"Quillbox", RRF_RT_ANY, &type, data, &size) !=
        ERROR_SUCCESS) {
        return L"-";
    }
    return type == REG_SZ ? std::wstring(data) : L"(not REG_SZ)";
}

void deleteRunValue() { RegDeleteKeyValueW(HKEY_CURRENT_USER, RunKey, L"Quillbox"); }

// 35 active texts, "text 1" at the top; no favorites.
std::vector<Bytes> activeRecords() {
    std::vector<Bytes> records;
    for (int i = 1; i <= 35; ++i) {
        const std::string n = std::to_string(i);
        records.push_back(itemRecord("", 1700000000 - i, u"text " + std::u16string(n.begin(), n.end())));
    }
    return records;
}

Bytes poolWithActive(const std::vector<Bytes>& records) {
    Bytes pool = storeBlock({});
    const Bytes active = storeBlock(records);
    pool.insert(pool.end(), active.begin(), active.end());
    return pool;
}

bool checked(HWND dialog, int id) {
    return SendMessageW(GetDlgItem(dialog, id), BM_GETCHECK, 0, 0) == BST_CHECKED;
}

// The text of the main window's static child that starts with prefix.
std::wstring labelStartingWith(HWND main, const std::wstring& prefix) {
    for (HWND child = GetWindow(main, GW_CHILD); child != nullptr;
         child = GetWindow(child, GW_HWNDNEXT)) {
        const std::wstring text = windowText(child);
        if (text.compare(0, prefix.size(), prefix) == 0) return text;
    }
    return std::wstring();
}

class SettingsDialogRun : public ProgramFixture {
protected:
    void SetUp() override {
        ProgramFixture::SetUp();
        deleteRunValue();
    }
    void TearDown() override {
        ProgramFixture::TearDown();
        deleteRunValue();
    }

    // Starts the program on these files and waits for its main window.
    void start(const std::string& config, const Bytes& pool = emptyPoolFile()) {
        ASSERT_TRUE(writeFile(programFile(L"Inkwell.cfg"), bytesOf(config)));
        ASSERT_TRUE(writeFile(programFile(L"poolfile.bin"), pool));
        program = &startProgram();
        main = program->waitForMainWindow();
        ASSERT_NE(main, nullptr);
        ASSERT_TRUE(waitUntil([&] { return IsWindowVisible(main) != FALSE; }));
    }

    // The settings command, as from the toolbar; returns the open dialog.
    HWND openSettings() {
        if (!program->postCommand(ID_SETTINGS)) return nullptr;
        HWND dialog = nullptr;
        waitUntil([&] {
            const auto found = topWindows(program->pid(), L"#32770", L"设置", true);
            dialog = found.empty() ? nullptr : found.front();
            return dialog != nullptr;
        });
        return dialog;
    }

    HWND waitForBox() {
        HWND box = nullptr;
        waitUntil([&] {
            const auto found = topWindows(program->pid(), L"#32770", L"Quillbox", true);
            box = found.empty() ? nullptr : found.front();
            return box != nullptr;
        });
        return box;
    }

    bool closed(HWND dialog) {
        return waitUntil([&] { return !IsWindow(dialog); });
    }

    std::string configText() {
        Bytes bytes;
        readFile(programFile(L"Inkwell.cfg"), bytes);
        return std::string(bytes.begin(), bytes.end());
    }
    // The program writes the file and the Run value after its dialog has
    // gone: what they hold once they hold the expected (or the time is up).
    std::string configOnceItIs(const std::string& expected) {
        waitUntil([&] { return configText() == expected; });
        return configText();
    }
    std::wstring runValueOnceItIs(const std::wstring& expected) {
        waitUntil([&] { return lstrcmpiW(runValue().c_str(), expected.c_str()) == 0; });
        return runValue();
    }

    ProcessDriver* program = nullptr;
    HWND main = nullptr;
};

TEST_F(SettingsDialogRun, LoweringTheActiveMaximumAsksAndYesCutsTheBottom) {
    const std::vector<Bytes> records = activeRecords();
    start(known::defaultConfigFile(), poolWithActive(records));
    EXPECT_EQ(L"活动列表：[35/50]", labelStartingWith(main, L"活动列表"));

    HWND dialog = openSettings();
    ASSERT_NE(dialog, nullptr);
    SendDlgItemMessageW(dialog, IDC_MAX_ACTIVE_ITEMS, CB_SETCURSEL, 1, 0);  // "20"
    ASSERT_TRUE(pressButton(dialog, IDOK));
    HWND box = waitForBox();
    ASSERT_NE(box, nullptr) << "no question";
    EXPECT_EQ(L"活动文本条目已经超出设置的最大值，是否截除旧条目？", messageBoxText(box));
    EXPECT_EQ((std::vector<int>{IDYES, IDNO}), buttonIds(box));
    EXPECT_EQ(IDNO, defaultButtonId(box));
    ASSERT_TRUE(pressButton(box, IDYES));
    ASSERT_TRUE(closed(dialog));
    EXPECT_TRUE(waitUntil([&] { return labelStartingWith(main, L"活动列表") == L"活动列表：[20/20]"; }));
    const std::string lowered =
        replaced(known::defaultConfigFile(), "MaxActiveItemNum=50", "MaxActiveItemNum=20");
    EXPECT_EQ(lowered, configOnceItIs(lowered));

    ASSERT_TRUE(program->exitWithYes());
    Bytes pool;
    ASSERT_TRUE(readFile(programFile(L"poolfile.bin"), pool));
    EXPECT_EQ(poolWithActive(std::vector<Bytes>(records.begin(), records.begin() + 20)), pool)
        << "the top 20 stay, the bottom 15 are gone";
}

TEST_F(SettingsDialogRun, NoKeepsTheOldMaximumAndRaisingAsksNothing) {
    start(known::defaultConfigFile(), poolWithActive(activeRecords()));
    HWND dialog = openSettings();
    ASSERT_NE(dialog, nullptr);
    SendDlgItemMessageW(dialog, IDC_MAX_ACTIVE_ITEMS, CB_SETCURSEL, 1, 0);
    ASSERT_TRUE(pressButton(dialog, IDOK));
    HWND box = waitForBox();
    ASSERT_NE(box, nullptr);
    ASSERT_TRUE(pressButton(box, IDNO));
    ASSERT_TRUE(waitUntil([&] { return !IsWindow(box); }));
    box = waitForBox();
    ASSERT_NE(box, nullptr) << "no keep-old-value message";
    EXPECT_EQ(L"活动文本条目最大值将保持原值！", messageBoxText(box));
    EXPECT_EQ(std::vector<int>{IDOK}, buttonIds(box));
    ASSERT_TRUE(pressButton(box, IDOK));
    ASSERT_TRUE(closed(dialog));
    EXPECT_EQ(L"活动列表：[35/50]", labelStartingWith(main, L"活动列表"));
    EXPECT_EQ(known::defaultConfigFile(), configOnceItIs(known::defaultConfigFile()))
        << "50 kept and written";

    dialog = openSettings();
    ASSERT_NE(dialog, nullptr);
    SendDlgItemMessageW(dialog, IDC_MAX_ACTIVE_ITEMS, CB_SETCURSEL, 9, 0);  // "100"
    ASSERT_TRUE(pressButton(dialog, IDOK));
    ASSERT_TRUE(closed(dialog));
    EXPECT_EQ(nullptr, findMessageBox(program->pid())) << "raising asks nothing";
    EXPECT_TRUE(waitUntil([&] { return labelStartingWith(main, L"活动列表") == L"活动列表：[35/100]"; }));
    const std::string raised =
        replaced(known::defaultConfigFile(), "MaxActiveItemNum=50", "MaxActiveItemNum=100");
    EXPECT_EQ(raised, configOnceItIs(raised));
}

TEST_F(SettingsDialogRun, CancelLeavesFilesAndRunValueAsTheyWere) {
    const std::string config =
        replaced(known::defaultConfigFile(), "PopupShowInfo=1", "PopupShowInfo=2");
    start(config);
    const auto before = snapshotFolder(programFolder());

    HWND dialog = openSettings();
    ASSERT_NE(dialog, nullptr);
    EXPECT_FALSE(checked(dialog, IDC_POPUP_SHOW_ACTIVE));
    EXPECT_TRUE(checked(dialog, IDC_POPUP_SHOW_FAVORITES)) << "显示收藏夹 for PopupShowInfo 2";
    EXPECT_FALSE(checked(dialog, IDC_POPUP_SHOW_BOTH));
    SendDlgItemMessageW(dialog, IDC_ENABLE_STARTUP, BM_CLICK, 0, 0);
    SendDlgItemMessageW(dialog, IDC_MAX_FAVORITE_ITEMS, CB_SETCURSEL, 9, 0);
    ASSERT_TRUE(pressButton(dialog, IDCANCEL));
    ASSERT_TRUE(closed(dialog));
    Sleep(500);
    EXPECT_EQ("", describeChanges(before, snapshotFolder(programFolder())));
    EXPECT_EQ(L"-", runValue());
    EXPECT_EQ(L"收藏夹：[0/10]", labelStartingWith(main, L"收藏夹"));
}

// OK rewrites Inkwell.cfg with every new value; the Run value follows the
// check box, with the program's path in quotation marks.
TEST_F(SettingsDialogRun, OkRewritesTheFileAndTheRunValueFollowsTheCheckBox) {
    start("# mine\r\nMaxActiveItemNum=80\r\n");
    HWND dialog = openSettings();
    ASSERT_NE(dialog, nullptr);
    EXPECT_TRUE(checked(dialog, IDC_POPUP_SHOW_ACTIVE));
    for (int id : {IDC_ENABLE_STARTUP, IDC_ENABLE_MONITORING, IDC_POPUP_SHOW_BOTH}) {
        SendDlgItemMessageW(dialog, id, BM_CLICK, 0, 0);
    }
    SendDlgItemMessageW(dialog, IDC_MAX_FAVORITE_ITEMS, CB_SETCURSEL, 2, 0);
    SendDlgItemMessageW(dialog, IDC_MENU_HOTKEY, HKM_SETHOTKEY,
                        MAKEWORD('Q', HOTKEYF_CONTROL | HOTKEYF_SHIFT), 0);
    ASSERT_TRUE(pressButton(dialog, IDOK));
    ASSERT_TRUE(closed(dialog));

    std::string expected = known::defaultConfigFile();
    for (const auto& change : std::vector<std::pair<std::string, std::string>>{
             {"MaxFavoriteItemNum=10", "MaxFavoriteItemNum=30"},
             {"MaxActiveItemNum=50", "MaxActiveItemNum=80"},
             {"EnableMonitoring=1", "EnableMonitoring=0"},
             {"EnableStartup=0", "EnableStartup=1"},
             {"AccKey.modifiers=2", "AccKey.modifiers=3"},
             {"AccKey.virtualKey=68", "AccKey.virtualKey=81"},
             {"PopupShowInfo=1", "PopupShowInfo=3"}}) {
        expected = replaced(expected, change.first, change.second);
    }
    EXPECT_EQ(expected, configOnceItIs(expected));
    const std::wstring quoted = L"\"" + exe() + L"\"";
    const std::wstring value = runValueOnceItIs(quoted);
    EXPECT_EQ(0, lstrcmpiW(quoted.c_str(), value.c_str()))
        << "Run value of " << value.size() << " characters";

    dialog = openSettings();
    ASSERT_NE(dialog, nullptr);
    EXPECT_TRUE(checked(dialog, IDC_ENABLE_STARTUP));
    SendDlgItemMessageW(dialog, IDC_ENABLE_STARTUP, BM_CLICK, 0, 0);
    ASSERT_TRUE(pressButton(dialog, IDOK));
    ASSERT_TRUE(closed(dialog));
    EXPECT_EQ(L"-", runValueOnceItIs(L"-"));
    const std::string startupOff = replaced(expected, "EnableStartup=1", "EnableStartup=0");
    EXPECT_EQ(startupOff, configOnceItIs(startupOff));
}

// A refused hotkey's box belongs to the dialog, which is disabled under it.
TEST_F(SettingsDialogRun, TheValidationBoxIsOwnedByTheDialog) {
    start(known::defaultConfigFile());
    HWND dialog = openSettings();
    ASSERT_NE(dialog, nullptr);
    SendDlgItemMessageW(dialog, IDC_MENU_HOTKEY, HKM_SETHOTKEY, 0, 0);
    ASSERT_TRUE(pressButton(dialog, IDOK));
    HWND box = waitForBox();
    ASSERT_NE(box, nullptr);
    EXPECT_EQ(L"必须设置自动粘贴菜单快捷键！", messageBoxText(box));
    EXPECT_EQ(dialog, GetWindow(box, GW_OWNER));
    EXPECT_FALSE(IsWindowEnabled(dialog));
    ASSERT_TRUE(pressButton(box, IDOK));
    EXPECT_TRUE(waitUntil([&] { return IsWindowEnabled(dialog) != FALSE; }));
}

}  // namespace
}  // namespace e2e
