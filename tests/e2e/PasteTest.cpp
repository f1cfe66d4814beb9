// Pasting with real key presses and a real double click: the quick-paste
// menu, the favorites hotkeys, the terminal rule and the list rows, each
// pasting into a window of another program.
#include <gtest/gtest.h>

#include <windows.h>
#include <commctrl.h>

#include <algorithm>
#include <string>
#include <vector>

#include "e2e/DesktopPeer.h"
#include "e2e/ProgramFixture.h"

namespace e2e {
namespace {

using Keys = std::vector<KeySeen>;

// The favorites and active texts of samplePoolFile().
const wchar_t* const FirstFavorite = L"收藏的第一段文字 first favourite";
const wchar_t* const SecondFavorite = L"second favourite\r\nline two";
const wchar_t* const SecondActive = L"hello";

bool containsRun(const Keys& keys, const Keys& run) {
    return std::search(keys.begin(), keys.end(), run.begin(), run.end()) != keys.end();
}

// The bounds of a row of a list view of another process, read through
// memory of that process.
RECT remoteRowRect(HWND list, int row) {
    RECT rect{LVIR_BOUNDS, 0, 0, 0};
    HANDLE process = OpenProcess(PROCESS_VM_OPERATION | PROCESS_VM_READ | PROCESS_VM_WRITE,
                                 FALSE, windowProcess(list));
    if (process == nullptr) return RECT{};
    void* remote = VirtualAllocEx(process, nullptr, sizeof rect, MEM_COMMIT, PAGE_READWRITE);
    if (remote != nullptr && WriteProcessMemory(process, remote, &rect, sizeof rect, nullptr)) {
        SendMessageW(list, LVM_GETITEMRECT, row, reinterpret_cast<LPARAM>(remote));
        ReadProcessMemory(process, remote, &rect, sizeof rect, nullptr);
    }
    if (remote != nullptr) VirtualFreeEx(process, remote, 0, MEM_RELEASE);
    CloseHandle(process);
    MapWindowPoints(list, nullptr, reinterpret_cast<POINT*>(&rect), 2);
    return rect;
}

// The lower of the main window's two list views.
HWND activeListView(HWND main) {
    HWND lowest = nullptr;
    for (HWND child = FindWindowExW(main, nullptr, WC_LISTVIEWW, nullptr); child != nullptr;
         child = FindWindowExW(main, child, WC_LISTVIEWW, nullptr)) {
        RECT r{}, best{};
        GetWindowRect(child, &r);
        if (lowest != nullptr) GetWindowRect(lowest, &best);
        if (lowest == nullptr || r.top > best.top) lowest = child;
    }
    return lowest;
}

class Paste : public ProgramFixture {
protected:
    void TearDown() override {
        peer.reset();
        ProgramFixture::TearDown();
    }
    bool start(const std::string& config) {
        if (!writeFile(programFile(L"poolfile.bin"), samplePoolFile())) return false;
        if (!config.empty() &&
            !writeFile(programFile(L"Inkwell.cfg"),
                       std::vector<unsigned char>(config.begin(), config.end()))) {
            return false;
        }
        program = &startProgram();
        main = program->waitForMainWindow();
        return main != nullptr && waitUntil([&] { return IsWindowVisible(main) != FALSE; });
    }
    bool editShows(HWND target, const std::wstring& text) {
        return waitUntil([&] { return peer->editText(target) == text; });
    }
    // The four events in a row. The paste happens at a key press, the
    // releases follow; the person's own keys may come before and after.
    bool keysInclude(HWND target, const Keys& expected) {
        return waitUntil([&] { return containsRun(peer->keysSeen(target), expected); });
    }

    std::unique_ptr<DesktopPeer> peer = std::make_unique<DesktopPeer>();
    ProcessDriver* program = nullptr;
    HWND main = nullptr;
};

TEST_F(Paste, MenuHotkeyOpensTheMenuAtThePointerAndAMnemonicPastes) {
    ASSERT_TRUE(start(""));
    HWND target = peer->openTarget(L"QbPasteTarget", 40, 80);
    // The pointer rests on the target, where the target's program sees it.
    ASSERT_TRUE(peer->focusTarget(target));
    ASSERT_TRUE(runUnix("xdotool mousemove 300 200"));
    ASSERT_TRUE(waitUntil([] {
        POINT at{};
        return GetCursorPos(&at) && at.x == 300 && at.y == 200;
    }));
    ASSERT_TRUE(peer->pressKeys(target, "ctrl+d"));
    HWND menu = nullptr;
    ASSERT_TRUE(waitUntil([&] {
        std::vector<HWND> menus = topWindows(program->pid(), L"#32768", nullptr, true);
        return !menus.empty() && (menu = menus.front()) != nullptr;
    })) << "no menu opened";
    RECT rect{};
    GetWindowRect(menu, &rect);
    EXPECT_EQ(300, rect.left);
    EXPECT_EQ(200, rect.top);

    // The program brought its window to the front for the menu; Wine moves
    // the X focus along only sometimes, so the key is typed there.
    ASSERT_TRUE(runUnix("xdotool search --name '^Quillbox v1.3.1$' windowfocus --sync key 2"));
    EXPECT_TRUE(editShows(target, SecondActive));
    EXPECT_TRUE(waitUntil([&] { return !IsWindowVisible(menu); }));
    // The paste, captured back, put the entry at the top.
    ASSERT_TRUE(program->exitWithYes());
    EXPECT_EQ(readPoolFile(programFile(L"poolfile.bin")).active,
              (std::vector<std::u16string>{u"hello", u"最近复制的文本", u"\U0001F600 x"}));
}

TEST_F(Paste, FavoritesHotkeysPasteDirectlyAndAKeyBeyondTheListPastesNothing) {
    ASSERT_TRUE(start("EnableFavoriteAutoPaste=1\r\n"));
    HWND target = peer->openTarget(L"QbPasteTarget", 40, 80);
    // What a paste without an item would show.
    peer->putUnicodeText(L"on the clipboard before");
    ASSERT_TRUE(peer->pressKeys(target, "ctrl+3 ctrl+2"));
    EXPECT_TRUE(editShows(target, SecondFavorite));
    // A pasted favorite enters the active list, above the copy before it.
    ASSERT_TRUE(program->exitWithYes());
    EXPECT_EQ(readPoolFile(programFile(L"poolfile.bin")).active,
              (std::vector<std::u16string>{u"second favourite\r\nline two", u"on the clipboard before",
                                           u"最近复制的文本", u"hello", u"\U0001F600 x"}));
}

TEST_F(Paste, TerminalClassGetsShiftInsertAndOtherClassesCtrlV) {
    ASSERT_TRUE(start("EnableFavoriteAutoPaste=1\r\n"));
    HWND terminal = peer->openTarget(L"PuTTY", 40, 80);
    ASSERT_EQ(L"PuTTY", className(terminal));
    // Ctrl held well past the hotkey: the paste waits for its release.
    ASSERT_TRUE(peer->focusTarget(terminal));
    ASSERT_TRUE(runUnix("xdotool keydown ctrl key 1 sleep 0.6 keyup ctrl"));
    ASSERT_TRUE(editShows(terminal, FirstFavorite));
    // The person's Ctrl comes up first, then the paste's four events.
    const Keys shiftInsert = {{0x11, 0x1D, false, true},
                              {0x10, 0x2A, false, false},
                              {0x2D, 0x52, true, false},
                              {0x2D, 0x52, true, true},
                              {0x10, 0x2A, false, true}};
    EXPECT_TRUE(keysInclude(terminal, shiftInsert));
    peer->closeTarget(terminal);

    HWND other = peer->openTarget(L"putty", 40, 320);
    ASSERT_EQ(L"putty", className(other));
    ASSERT_TRUE(peer->pressKeys(other, "ctrl+1"));
    ASSERT_TRUE(editShows(other, FirstFavorite));
    const Keys ctrlV = {{0x11, 0x1D, false, false},
                        {0x56, 0x2F, false, false},
                        {0x56, 0x2F, false, true},
                        {0x11, 0x1D, false, true}};
    EXPECT_TRUE(keysInclude(other, ctrlV));
}

TEST_F(Paste, HotkeyHeldByAnotherProgramIsReportedOnceAndTheProgramRunsOn) {
    HWND holder = peer->openTarget(L"QbHotkeyHolder", 40, 320);
    bool held = false;
    peer->run([&] { held = RegisterHotKey(holder, 1, MOD_CONTROL, 'D') != FALSE; });
    ASSERT_TRUE(held);
    ASSERT_TRUE(writeFile(programFile(L"poolfile.bin"), samplePoolFile()));
    ASSERT_TRUE(writeFile(programFile(L"Inkwell.cfg"),
                          {'E', 'n', 'a', 'b', 'l', 'e', 'F', 'a', 'v', 'o', 'r', 'i', 't', 'e',
                           'A', 'u', 't', 'o', 'P', 'a', 's', 't', 'e', '=', '1'}));
    program = &startProgram();
    HWND box = program->waitForMessageBox();
    ASSERT_NE(box, nullptr);
    EXPECT_EQ(L"快捷键注册失败！", messageBoxText(box));
    ASSERT_TRUE(pressButton(box, IDOK));
    main = program->waitForMainWindow();
    ASSERT_NE(main, nullptr);

    // A paste registers the hotkeys again; the refusal is not repeated.
    HWND target = peer->openTarget(L"QbPasteTarget", 40, 80);
    ASSERT_TRUE(peer->pressKeys(target, "ctrl+1"));
    ASSERT_TRUE(editShows(target, FirstFavorite));
    DWORD_PTR answer = 0;
    SendMessageTimeoutW(main, WM_NULL, 0, 0, SMTO_ABORTIFHUNG, DefaultTimeoutMs, &answer);
    EXPECT_EQ(nullptr, findMessageBox(program->pid()));
    peer->run([&] { UnregisterHotKey(holder, 1); });
}

TEST_F(Paste, PopupMenuOffHoldsNoMenuHotkeyAtStartOrAfterAPaste) {
    ASSERT_TRUE(start("EnablePopupMenu=0\r\nEnableFavoriteAutoPaste=1\r\n"));
    HWND target = peer->openTarget(L"QbPasteTarget", 40, 80);
    // Ctrl+D is free exactly when the program does not hold it.
    auto ctrlDIsFree = [&] {
        bool free = false;
        peer->run([&] {
            free = RegisterHotKey(target, 1, MOD_CONTROL, 'D') != FALSE;
            UnregisterHotKey(target, 1);
        });
        return free;
    };
    EXPECT_TRUE(ctrlDIsFree());
    ASSERT_TRUE(peer->pressKeys(target, "ctrl+1"));
    ASSERT_TRUE(editShows(target, FirstFavorite));
    DWORD_PTR answer = 0;
    SendMessageTimeoutW(main, WM_NULL, 0, 0, SMTO_ABORTIFHUNG, DefaultTimeoutMs, &answer);
    EXPECT_TRUE(ctrlDIsFree());
}

// The paste's own clipboard write is captured like any copy: with
// monitoring on the pasted row goes to the top, with it off the order stays.
TEST_F(Paste, DoubleClickPastesThatRowAndOnlyMonitoringMovesItToTheTop) {
    const struct {
        const char* config;
        std::vector<std::u16string> active;
    } runs[] = {
        {"", {u"hello", u"最近复制的文本", u"\U0001F600 x"}},
        {"EnableMonitoring=0\r\n", {u"最近复制的文本", u"hello", u"\U0001F600 x"}},
    };
    for (const auto& run : runs) {
        ASSERT_TRUE(clearClipboard());
        ASSERT_TRUE(start(run.config));
        HWND target = peer->openTarget(L"QbPasteTarget", 40, 80);
        ASSERT_TRUE(peer->focusTarget(target));
        HWND list = activeListView(main);
        ASSERT_NE(list, nullptr);
        const RECT row = remoteRowRect(list, 1);
        ASSERT_GT(row.bottom, row.top);
        const int x = (row.left + row.right) / 2;
        const int y = (row.top + row.bottom) / 2;
        ASSERT_TRUE(runUnix("xdotool mousemove " + std::to_string(x) + " " + std::to_string(y) +
                            " click --repeat 2 --delay 100 1"));
        EXPECT_TRUE(editShows(target, SecondActive)) << run.config;
        EXPECT_TRUE(waitUntil([&] { return IsWindowVisible(main) != FALSE; }));
        ASSERT_TRUE(program->exitWithYes());
        EXPECT_EQ(readPoolFile(programFile(L"poolfile.bin")).active, run.active) << run.config;
        ASSERT_TRUE(program->waitForWindowsGone());
        peer->closeTarget(target);
    }
}

}  // namespace
}  // namespace e2e
