// Hiding, exiting and the end of a session: only the confirmed exit
// command ends the program, and the stores reach poolfile.bin both at exit
// and when the session ends.
#include <gtest/gtest.h>

#include <windows.h>

#include <algorithm>
#include <vector>

#include "e2e/ProgramFixture.h"
#include "resource.h"

namespace e2e {
namespace {

using Bytes = std::vector<unsigned char>;

bool hasButton(const std::vector<int>& ids, int id) {
    return std::find(ids.begin(), ids.end(), id) != ids.end();
}

// Asks the window whether the session may end, as the system does at log-off.
bool queryEndSession(HWND main, DWORD_PTR& answer) {
    answer = 0;
    return SendMessageTimeoutW(main, WM_QUERYENDSESSION, 0, ENDSESSION_LOGOFF, SMTO_ABORTIFHUNG,
                               DefaultTimeoutMs, &answer) != 0;
}

using ProgramEnd = ProgramFixture;

TEST_F(ProgramEnd, CloseOnlyHidesAndTheOpenCommandBringsTheWindowBack) {
    ProcessDriver& program = startProgram();
    HWND main = program.waitForMainWindow();
    ASSERT_NE(main, nullptr);
    ASSERT_TRUE(waitUntil([&] { return IsWindowVisible(main) != FALSE; }));

    PostMessageW(main, WM_CLOSE, 0, 0);
    EXPECT_TRUE(waitUntil([&] { return !IsWindowVisible(main); })) << "close did not hide";
    Sleep(1500);
    EXPECT_TRUE(program.isRunning()) << "close ended the program";
    EXPECT_TRUE(IsWindow(main)) << "close destroyed the window";
    EXPECT_FALSE(IsWindowVisible(main));
    EXPECT_EQ(findMessageBox(program.pid()), nullptr);
    EXPECT_FALSE(fileExists(programFile(L"poolfile.bin"))) << "hiding saves nothing";

    ASSERT_TRUE(program.postCommand(ID_OPEN_MAIN));
    EXPECT_TRUE(waitUntil([&] { return IsWindowVisible(main) != FALSE; }));
}

TEST_F(ProgramEnd, ExitAsksFirstAndSavesTheStoresAsLoaded) {
    const Bytes sample = samplePoolFile();
    ASSERT_TRUE(writeFile(programFile(L"poolfile.bin"), sample));
    ProcessDriver& program = startProgram();
    HWND main = program.waitForMainWindow();
    ASSERT_NE(main, nullptr);
    ASSERT_TRUE(waitUntil([&] { return IsWindowVisible(main) != FALSE; }));

    // No: nothing happens.
    ASSERT_TRUE(program.postCommand(ID_EXIT));
    HWND box = program.waitForMessageBox();
    ASSERT_NE(box, nullptr) << "the exit command asked nothing";
    EXPECT_EQ(messageBoxText(box), L"退出Quillbox？");
    std::vector<int> buttons = buttonIds(box);
    EXPECT_TRUE(hasButton(buttons, IDYES));
    EXPECT_TRUE(hasButton(buttons, IDNO));
    EXPECT_EQ(buttons.size(), 2u);
    EXPECT_EQ(defaultButtonId(box), IDNO) << "No is the default answer";
    ASSERT_TRUE(pressButton(box, IDNO));
    EXPECT_TRUE(waitUntil([&] { return findMessageBox(program.pid()) == nullptr; }));
    Sleep(1000);
    EXPECT_TRUE(program.isRunning()) << "No ended the program";
    EXPECT_TRUE(IsWindowVisible(main));
    Bytes pool;
    ASSERT_TRUE(readFile(programFile(L"poolfile.bin"), pool));
    EXPECT_EQ(pool, sample) << "nothing is saved before the exit";

    // Yes: the program ends and writes back exactly what it loaded.
    ASSERT_TRUE(program.postCommand(ID_EXIT));
    box = program.waitForMessageBox();
    ASSERT_NE(box, nullptr);
    ASSERT_TRUE(pressButton(box, IDYES));
    ASSERT_TRUE(program.waitForExit()) << "Yes did not end the program";
    EXPECT_TRUE(program.waitForWindowsGone());
    ASSERT_TRUE(readFile(programFile(L"poolfile.bin"), pool));
    EXPECT_EQ(pool.size(), sample.size());
    EXPECT_TRUE(pool == sample) << "the saved stores differ from the loaded ones";
}

TEST_F(ProgramEnd, QueryEndSessionSavesAndTheProgramRunsOn) {
    ASSERT_FALSE(fileExists(programFile(L"poolfile.bin")));
    ProcessDriver& program = startProgram();
    HWND main = program.waitForMainWindow();
    ASSERT_NE(main, nullptr);

    DWORD_PTR answer = 0;
    ASSERT_TRUE(queryEndSession(main, answer)) << "no answer to WM_QUERYENDSESSION";
    EXPECT_EQ(answer, static_cast<DWORD_PTR>(TRUE)) << "the log-off must be allowed";
    Bytes pool;
    ASSERT_TRUE(readFile(programFile(L"poolfile.bin"), pool)) << "nothing saved";
    EXPECT_EQ(pool, emptyPoolFile());

    Sleep(1000);
    EXPECT_TRUE(program.isRunning());
    EXPECT_TRUE(IsWindowVisible(main));

    // The log-off did not happen after all; the exit still saves.
    ASSERT_TRUE(DeleteFileW(programFile(L"poolfile.bin").c_str()));
    ASSERT_TRUE(program.exitWithYes());
    ASSERT_TRUE(readFile(programFile(L"poolfile.bin"), pool)) << "the exit saved nothing";
    EXPECT_EQ(pool, emptyPoolFile());
}

TEST_F(ProgramEnd, QueryEndSessionKeepsTheStoresForALaterExit) {
    const Bytes sample = samplePoolFile();
    ASSERT_TRUE(writeFile(programFile(L"poolfile.bin"), sample));
    ProcessDriver& program = startProgram();
    HWND main = program.waitForMainWindow();
    ASSERT_NE(main, nullptr);

    DWORD_PTR answer = 0;
    ASSERT_TRUE(DeleteFileW(programFile(L"poolfile.bin").c_str()));
    ASSERT_TRUE(queryEndSession(main, answer));
    EXPECT_EQ(answer, static_cast<DWORD_PTR>(TRUE));
    Bytes pool;
    ASSERT_TRUE(readFile(programFile(L"poolfile.bin"), pool));
    EXPECT_TRUE(pool == sample) << "the session-end save differs from the loaded stores";

    // A second query and the exit find the same stores again.
    ASSERT_TRUE(queryEndSession(main, answer));
    EXPECT_EQ(answer, static_cast<DWORD_PTR>(TRUE));
    ASSERT_TRUE(DeleteFileW(programFile(L"poolfile.bin").c_str()));
    ASSERT_TRUE(program.exitWithYes());
    ASSERT_TRUE(readFile(programFile(L"poolfile.bin"), pool)) << "the exit saved nothing";
    EXPECT_TRUE(pool == sample) << "the exit save differs from the loaded stores";
}

}  // namespace
}  // namespace e2e
