// Working with the lists by hand: real clicks, keys and drags (xdotool, an
// X program the test starts from Wine) on the running program, its real
// menus and file dialogs; the lists are checked in poolfile.bin after exit.
#include <gtest/gtest.h>

#include <windows.h>
#include <commctrl.h>

#include <algorithm>
#include <functional>
#include <string>
#include <vector>

#include "e2e/DesktopPeer.h"
#include "e2e/ProgramFixture.h"
#include "perf/RemoteListView.h"
#include "resource.h"

namespace e2e {
namespace {

using Bytes = std::vector<unsigned char>;
using Texts = std::vector<std::u16string>;

// Runs xdotool with the arguments and waits for it. Wine gives no handle
// of an X program it starts, so xdotool leaves a mark when it is done.
bool xdo(const std::wstring& args) {
    static int calls = 0;
    const std::string unixMark = unixTempPath("xdo-" + std::to_string(++calls));
    const std::wstring mark(unixMark.begin(), unixMark.end());
    std::wstring line = L"/usr/bin/xdotool " + args + L" exec touch " + mark;
    STARTUPINFOW startup{};
    startup.cb = sizeof startup;
    PROCESS_INFORMATION info{};
    if (!CreateProcessW(nullptr, &line[0], nullptr, nullptr, FALSE, 0, nullptr, nullptr, &startup,
                        &info)) {
        return false;
    }
    const std::wstring markFile = L"Z:" + mark;
    const bool done = waitUntil([&] { return fileExists(markFile); }, 15000);
    DeleteFileW(markFile.c_str());
    Sleep(200);  // let the program take the input
    return done;
}

std::wstring at(POINT p) { return std::to_wstring(p.x) + L" " + std::to_wstring(p.y); }

// A point on a row of a list view of another process, in screen
// coordinates; the middle of the list when there is no such row.
POINT rowPoint(HWND list, int row) {
    RECT window{};
    GetWindowRect(list, &window);
    POINT point{(window.left + window.right) / 2, (window.top + window.bottom) / 2};
    HANDLE process = OpenProcess(PROCESS_VM_OPERATION | PROCESS_VM_READ | PROCESS_VM_WRITE, FALSE,
                                 windowProcess(list));
    void* remote = VirtualAllocEx(process, nullptr, sizeof(RECT), MEM_COMMIT, PAGE_READWRITE);
    RECT bounds{LVIR_BOUNDS, 0, 0, 0};
    if (remote != nullptr && WriteProcessMemory(process, remote, &bounds, sizeof bounds, nullptr) &&
        SendMessageW(list, LVM_GETITEMRECT, row, reinterpret_cast<LPARAM>(remote)) &&
        ReadProcessMemory(process, remote, &bounds, sizeof bounds, nullptr)) {
        point = {bounds.left + 60, (bounds.top + bounds.bottom) / 2};
        ClientToScreen(list, &point);
    }
    if (remote != nullptr) VirtualFreeEx(process, remote, 0, MEM_RELEASE);
    CloseHandle(process);
    return point;
}

BOOL CALLBACK collectList(HWND child, LPARAM param) {
    if (className(child) == L"SysListView32") reinterpret_cast<std::vector<HWND>*>(param)->push_back(child);
    return TRUE;
}

// The texts of one block of poolfile.bin (0: favorites, 1: active list).
Texts blockTexts(const Bytes& file, int block) {
    auto number = [&](std::size_t at) -> std::size_t {  // the files here stay below 16 MB
        return at + 4 > file.size() ? 0 : file[at] | file[at + 1] << 8 | file[at + 2] << 16;
    };
    const std::size_t start = block == 0 ? 0 : number(0);
    const std::size_t end = std::min(file.size(), start + number(start));
    Texts texts;
    for (std::size_t at = start + 4; at + 62 <= end && number(at) >= 62; at += number(at)) {
        texts.emplace_back();
        for (std::size_t i = at + 62; i + 1 < std::min(end, at + number(at)); i += 2)
            texts.back() += static_cast<char16_t>(file[i] | file[i + 1] << 8);
    }
    return texts;
}

Bytes records(const Texts& texts) {
    std::vector<Bytes> all;
    for (const auto& text : texts) all.push_back(itemRecord("", 1700000000, text));
    return storeBlock(all);
}

class ListCommands : public ProgramFixture {
protected:
    // Starts the program on these lists; false when its window did not come.
    bool start(const Texts& favorites, const Texts& active) {
        Bytes pool = records(favorites);
        const Bytes activeBlock = records(active);
        pool.insert(pool.end(), activeBlock.begin(), activeBlock.end());
        if (!writeFile(programFile(L"poolfile.bin"), pool)) return false;
        program_ = &startProgram();
        HWND main = program_->waitForMainWindow();
        if (main == nullptr || !waitUntil([&] { return IsWindowVisible(main) != FALSE; })) return false;
        std::vector<HWND> lists;
        EnumChildWindows(main, &collectList, reinterpret_cast<LPARAM>(&lists));
        if (lists.size() != 2) return false;
        // The favorites are the upper list.
        const bool swapped = rowPoint(lists[0], -1).y > rowPoint(lists[1], -1).y;
        favoritesList_ = lists[swapped ? 1 : 0];
        activeList_ = lists[swapped ? 0 : 1];
        return true;
    }
    bool click(HWND list, int row, const wchar_t* button = L"1") {
        return xdo(L"mousemove " + at(rowPoint(list, row)) + L" click " + button);
    }
    bool shiftClick(HWND list, int row) {
        return xdo(L"mousemove " + at(rowPoint(list, row)) + L" keydown shift click 1 keyup shift");
    }
    // Right-clicks the row and picks the menu entry by its mnemonic.
    bool menuCommand(HWND list, int row, const wchar_t* mnemonic) {
        return click(list, row, L"3") && xdo(std::wstring(L"sleep 0.3 key ") + mnemonic);
    }
    // Waits for a message box, presses the button and returns its text.
    std::wstring answer(int button = IDOK) {
        HWND box = program_->waitForMessageBox();
        if (box == nullptr) return L"(no message)";
        const std::wstring text = messageBoxText(box);
        pressButton(box, button);
        waitUntil([&] { return !IsWindow(box); });
        return text;
    }
    // Types the path into the file dialog of that title, presses Enter and
    // waits until the dialog is gone (else it would pass for the next box).
    bool typeIntoFileDialog(const wchar_t* title, const std::wstring& path) {
        HWND dialog = nullptr;
        if (!waitUntil([&] { return (dialog = FindWindowW(L"#32770", title)) != nullptr; }))
            return false;
        RECT box{};
        GetWindowRect(GetDlgItem(dialog, 0x47C), &box);  // the file name box
        const POINT middle{(box.left + box.right) / 2, (box.top + box.bottom) / 2};
        // type takes all further words: a second xdotool types, then Enter.
        // Done once the dialog has gone: a box looked for earlier could be
        // the dialog itself.
        return xdo(L"mousemove " + at(middle) + L" click 1 exec --sync --terminator END " +
                   L"/usr/bin/xdotool type " + path + L" END key Return") &&
               waitUntil([&] { return !IsWindow(dialog); });
    }
    bool drag(HWND from, int row, HWND to) {
        const POINT start = rowPoint(from, row);
        RECT target{};
        GetWindowRect(to, &target);
        // A small first step starts the drag, further ones cross into the target.
        std::wstring moves = L"mousemove " + at(start) + L" sleep 0.3 mousedown 1 sleep 0.2" +
                             L" mousemove " + at({start.x, start.y - 6});
        for (int step = 1; step <= 5; ++step) {
            const POINT p{start.x, start.y + (target.bottom - 20 - start.y) * step / 5};
            moves += L" sleep 0.2 mousemove " + at(p);
        }
        return xdo(moves + L" sleep 0.2 mouseup 1");
    }
    // Exits with Yes; the favorites and the active list as saved.
    bool exitAndRead(Texts& favorites, Texts& active) {
        Bytes pool;
        if (!program_->exitWithYes() || !readFile(programFile(L"poolfile.bin"), pool)) return false;
        favorites = blockTexts(pool, 0);
        active = blockTexts(pool, 1);
        return true;
    }

    // A visible window of the program with this title and text ("" for any
    // text), null when none comes.
    HWND waitForWindow(const wchar_t* title, const std::wstring& text = L"") {
        HWND found = nullptr;
        waitUntil([&] {
            for (HWND w : topWindows(program_->pid(), L"#32770", title, true))
                if (text.empty() || messageBoxText(w) == text) found = w;
            return found != nullptr;
        });
        return found;
    }

    ProcessDriver* program_ = nullptr;
    HWND favoritesList_ = nullptr;
    HWND activeList_ = nullptr;
};

TEST_F(ListCommands, DeleteKeyAndMoveUpChangeTheSavedOrder) {
    ASSERT_TRUE(start({u"a", u"b", u"c", u"d"}, {u"x"}));
    ASSERT_TRUE(click(favoritesList_, 1));
    ASSERT_TRUE(xdo(L"key Delete"));
    ASSERT_TRUE(menuCommand(favoritesList_, 2, L"p"));  // d moves up
    Texts favorites, active;
    ASSERT_TRUE(exitAndRead(favorites, active));
    EXPECT_EQ(favorites, (Texts{u"a", u"d", u"c"}));
    EXPECT_EQ(active, Texts{u"x"});
}

// Code page 936 when every text has it, else UTF-8 after EF BB BF; either
// file imports back to the same texts. The file goes to a folder of its own,
// as to a USB stick: afterwards the program must not hold that folder as its
// current directory.
TEST_F(ListCommands, ExportThenDeleteAllAndImportThroughTheRealDialogs) {
    const struct {
        Texts texts;
        std::string file;
        Texts imported;
    } cases[] = {
        {{u"a", u"中文 text", u"x\r\ny"}, "a\r\n中文 text\r\nx\r\r\ny", {u"a", u"中文 text", u"x\r", u"y"}},
        {{u"emoji \U0001F600 \u0109 \u015D \uD55C\uAD6D\uC5B4 end", u"中"},
         "\xEF\xBB\xBF" "emoji \xF0\x9F\x98\x80 \xC4\x89 \xC5\x9D \xED\x95\x9C\xEA\xB5\xAD\xEC\x96\xB4 end"
         "\r\n\xE4\xB8\xAD",
         {u"emoji \U0001F600 \u0109 \u015D \uD55C\uAD6D\uC5B4 end", u"中"}},
    };
    const std::wstring stick = programFolder() + L"-stick";
    const std::wstring list = stick + L"\\list.txt";
    for (const auto& c : cases) {
        SCOPED_TRACE(c.file);
        DeleteFileW(list.c_str());  // what an earlier run may have left
        RemoveDirectoryW(stick.c_str());
        ASSERT_TRUE(CreateDirectoryW(stick.c_str(), nullptr));
        ASSERT_TRUE(start(c.texts, {}));
        ASSERT_TRUE(menuCommand(favoritesList_, 0, L"e"));
        ASSERT_TRUE(typeIntoFileDialog(L"另存为", stick + L"\\list"));
        EXPECT_EQ(answer(), L"导出完成");
        Bytes exported;
        ASSERT_TRUE(readFile(list, exported)) << "the default extension is txt";
        EXPECT_EQ(exported, Bytes(c.file.begin(), c.file.end()));

        ASSERT_TRUE(menuCommand(favoritesList_, 0, L"l"));
        ASSERT_TRUE(menuCommand(favoritesList_, -1, L"i"));  // an empty list has the menu too
        ASSERT_TRUE(typeIntoFileDialog(L"打开", list));
        EXPECT_EQ(answer(IDNO), L"是否保留当前记录");
        EXPECT_EQ(answer(), L"导入完成");
        DeleteFileW(list.c_str());
        EXPECT_TRUE(RemoveDirectoryW(stick.c_str())) << "the program holds the folder";
        Texts favorites, active;
        ASSERT_TRUE(exitAndRead(favorites, active));
        EXPECT_EQ(favorites, c.imported);
    }
}

TEST_F(ListCommands, AddingThreeRowsReportsTheDuplicateThenTheFullList) {
    const std::string config = "MaxFavoriteItemNum=2\r\n";
    ASSERT_TRUE(writeFile(programFile(L"Inkwell.cfg"), Bytes(config.begin(), config.end())));
    ASSERT_TRUE(start({u"b"}, {u"a", u"b", u"c"}));
    ASSERT_TRUE(click(activeList_, 0));
    ASSERT_TRUE(shiftClick(activeList_, 2));
    ASSERT_TRUE(menuCommand(activeList_, 2, L"m"));
    EXPECT_EQ(answer(), L"收藏夹中已有此文本！");
    EXPECT_EQ(answer(), L"收藏夹内容已满，请删除多余项后再添加！");
    Texts favorites, active;
    ASSERT_TRUE(exitAndRead(favorites, active));
    EXPECT_EQ(favorites, (Texts{u"b", u"a"}));
    EXPECT_EQ(active, (Texts{u"a", u"b", u"c"}));
}

TEST_F(ListCommands, RowsDraggedOntoTheFavoritesBecomeOneFavorite) {
    ASSERT_TRUE(start({}, {u"one", u"two", u"three"}));
    ASSERT_TRUE(drag(activeList_, 0, favoritesList_));
    ASSERT_TRUE(click(activeList_, 0));
    ASSERT_TRUE(shiftClick(activeList_, 2));
    ASSERT_TRUE(drag(activeList_, 1, favoritesList_));
    Texts favorites, active;
    ASSERT_TRUE(exitAndRead(favorites, active));
    EXPECT_EQ(favorites, (Texts{u"one", u"one\r\ntwo\r\nthree\r\n"}));
    EXPECT_EQ(active, (Texts{u"one", u"two", u"three"}));
}

// Tray → 退出 → Yes while a modal window is open: the window is ended, the
// command under it abandoned, and the program ends by itself once it has
// unwound, with no other box and the lists saved as they were.
TEST_F(ListCommands, ExitWhileAModalWindowIsOpenEndsCleanly) {
    struct Case {
        const char* name;
        std::function<bool()> open;
    };
    const auto viaMenu = [this](const wchar_t* key, const wchar_t* title) {
        return [=] { return menuCommand(favoritesList_, 0, key) && waitForWindow(title) != nullptr; };
    };
    const auto restoring = [this](const wchar_t* file, const wchar_t* text) {
        return [=] {
            return menuCommand(favoritesList_, 0, L"r") &&
                   typeIntoFileDialog(L"打开", programFile(file)) &&
                   waitForWindow(L"Quillbox", text) != nullptr;
        };
    };
    const auto command = [this](int id, const wchar_t* title) {
        return [=] { return program_->postCommand(id) && waitForWindow(title) != nullptr; };
    };
    const Case cases[] = {
        {"settings", command(ID_SETTINGS, L"设置")},
        {"about", command(ID_ABOUT, L"关于 Quillbox")},
        {"modify", viaMenu(L"m", L"修改")},
        {"alias", viaMenu(L"s", L"别名")},
        {"save dialog", viaMenu(L"e", L"另存为")},
        {"keep question", restoring(L"backup.bin", L"是否保留当前记录")},
        {"error box", restoring(L"Inkwell.cfg", L"只有使用(.bin)文件才能用于还原！")},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        ASSERT_TRUE(start({u"f1", u"f2"}, {u"a1"}));
        ASSERT_TRUE(writeFile(programFile(L"backup.bin"), records({u"b1"})));
        Bytes before;
        ASSERT_TRUE(readFile(programFile(L"poolfile.bin"), before));
        ASSERT_TRUE(c.open());
        ASSERT_TRUE(program_->postCommand(ID_EXIT));  // what the tray menu's 退出 sends
        HWND question = waitForWindow(L"Quillbox", L"退出Quillbox？");
        ASSERT_NE(question, nullptr);
        ASSERT_TRUE(pressButton(question, IDYES));
        std::wstring stray;
        waitUntil([&] {
            for (HWND box : topWindows(program_->pid(), L"#32770", L"Quillbox", true))
                if (box != question) stray = messageBoxText(box);
            return !program_->isRunning() || !stray.empty();
        });
        EXPECT_TRUE(stray.empty()) << ::testing::PrintToString(stray);
        ASSERT_TRUE(program_->waitForExit()) << "the program did not end by itself";
        Bytes after;
        ASSERT_TRUE(readFile(programFile(L"poolfile.bin"), after));
        EXPECT_TRUE(after == before) << "the lists changed";
        program_->stop();
        ASSERT_TRUE(program_->waitForWindowsGone());
    }
}

// A log-off while a restore reads its file (here at its duplicate box) saves
// the favorites as they were before the restore.
TEST_F(ListCommands, LogOffDuringARestoreSavesTheListAsItWas) {
    ASSERT_TRUE(start({u"f1", u"f2"}, {u"a1"}));
    ASSERT_TRUE(writeFile(programFile(L"backup.bin"), records({u"b1", u"b1"})));
    Bytes before;
    ASSERT_TRUE(readFile(programFile(L"poolfile.bin"), before));
    ASSERT_TRUE(menuCommand(favoritesList_, 0, L"r"));
    ASSERT_TRUE(typeIntoFileDialog(L"打开", programFile(L"backup.bin")));
    ASSERT_TRUE(pressButton(waitForWindow(L"Quillbox", L"是否保留当前记录"), IDNO));
    ASSERT_NE(waitForWindow(L"Quillbox", L"收藏夹中已有此文本！"), nullptr);
    DWORD_PTR allowed = 0;
    ASSERT_TRUE(SendMessageTimeoutW(program_->mainWindow(), WM_QUERYENDSESSION, 0, ENDSESSION_LOGOFF,
                                    SMTO_ABORTIFHUNG, DefaultTimeoutMs, &allowed));
    Bytes saved;
    ASSERT_TRUE(readFile(programFile(L"poolfile.bin"), saved));
    EXPECT_EQ(blockTexts(saved, 0), (Texts{u"f1", u"f2"}));
    EXPECT_EQ(answer(), L"收藏夹中已有此文本！");
    EXPECT_EQ(answer(), L"还原完成");
}

// A backup holding an image and a file list restores them as they were
// stored: shown by kind, saved back byte for byte.
TEST_F(ListCommands, ABackupWithAnImageAndFilesRestoresThemByteForByte) {
    Bytes dib = {40, 0, 0, 0, 2, 0, 0, 0, 3, 0, 0, 0, 1, 0, 24, 0, 0, 0, 0, 0, 24, 0, 0, 0};
    dib.resize(40, 0);
    dib.resize(40 + 24, 0x7F);
    const Bytes files = twoFilesDropBlock();
    const Bytes backup = storeBlock({itemRecord("pic", 1700000000, 8, dib),
                                     itemRecord("", 1700000001, 15, files),
                                     itemRecord("", 1700000002, u"b1")});
    ASSERT_TRUE(start({u"f1"}, {u"a1"}));
    ASSERT_TRUE(writeFile(programFile(L"backup.bin"), backup));
    ASSERT_TRUE(menuCommand(favoritesList_, 0, L"r"));
    ASSERT_TRUE(typeIntoFileDialog(L"打开", programFile(L"backup.bin")));
    ASSERT_TRUE(pressButton(waitForWindow(L"Quillbox", L"是否保留当前记录"), IDNO));
    EXPECT_EQ(answer(), L"还原完成");
    const RemoteListView rows(favoritesList_);
    ASSERT_TRUE(rows.usable());
    EXPECT_EQ(L"pic", rows.cellText(0, 1));
    EXPECT_EQ(L"[图片 2×3]", rows.cellText(0, 2));
    EXPECT_EQ(L"[文件] a.txt; b.bin", rows.cellText(1, 2));
    EXPECT_EQ(L"Files", rows.cellText(1, 4));
    Bytes pool;
    ASSERT_TRUE(program_->exitWithYes() && readFile(programFile(L"poolfile.bin"), pool));
    ASSERT_GE(pool.size(), backup.size());
    EXPECT_TRUE(Bytes(pool.begin(), pool.begin() + backup.size()) == backup);
}

}  // namespace
}  // namespace e2e
