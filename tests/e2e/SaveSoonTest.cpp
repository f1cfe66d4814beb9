// Nothing lost: a program killed without warning (SIGKILL, as a power cut or
// the task manager would end it) has already saved what was copied a few
// seconds before, and never leaves a poolfile.bin that cannot be read back
// whole.
#include <gtest/gtest.h>

#include <windows.h>

#include <cstdio>
#include <random>
#include <string>
#include <vector>

#include "e2e/ClipboardBurst.h"
#include "e2e/DesktopPeer.h"
#include "e2e/ProgramFixture.h"

namespace e2e {
namespace {

using Texts = std::vector<std::u16string>;

// "round R copy C" as R * 100 + C; 0 for any other text.
int newestNumber(const std::u16string& text) {
    const std::string narrow(text.begin(), text.end());
    int round = 0;
    int copy = 0;
    if (std::sscanf(narrow.c_str(), "round %d copy %d", &round, &copy) != 2) return 0;
    return round * 100 + copy;
}

// The folder's name is unique to this test: SIGKILL goes to the one Unix
// process whose command line names the program in it.
bool killWithSigkill(ProcessDriver& program, const std::wstring& folder) {
    const std::string name(folder.begin() + folder.find_last_of(L'\\') + 1, folder.end());
    const std::string pattern = "[" + name.substr(0, 1) + "]" + name.substr(1) + ".quillbox.exe";
    return runUnix("for p in $(pgrep -f '" + pattern + "'); do kill -KILL $p; done") &&
           program.waitForExit() && program.waitForWindowsGone();
}

class SaveSoon : public ProgramFixture {
protected:
    // Started, at the head of the clipboard viewer chain.
    ProcessDriver* start() {
        ProcessDriver& program = startProgram();
        HWND main = program.waitForMainWindow();
        if (main == nullptr || !waitUntil([&] { return GetClipboardViewer() == main; })) {
            return nullptr;
        }
        return &program;
    }
};

TEST_F(SaveSoon, CopiesAreInTheFileThreeSecondsLaterWhenTheProgramIsKilled) {
    DesktopPeer peer;
    const int viewer = peer.joinChain();
    ProcessDriver* program = start();
    ASSERT_NE(program, nullptr);
    for (const wchar_t* text : {L"first copy", L"第二段文字", L"third copy"}) {
        peer.putUnicodeText(text);
        ASSERT_TRUE(peer.waitForNoticeOf(viewer, text));
    }
    Sleep(3000);
    ASSERT_TRUE(killWithSigkill(*program, programFolder()));

    const PoolContent pool = readPoolFile(programFile(L"poolfile.bin"));
    EXPECT_TRUE(pool.whole);
    EXPECT_EQ(pool.active, (Texts{u"third copy", u"第二段文字", u"first copy"}));
    EXPECT_EQ(pool.favorites, Texts{});
}

// Ten runs, each killed at a moment drawn with a fixed seed while groups of
// copies come in with pauses in which saves happen. Each run starts from
// the file the last one left, and every file left behind reads back whole,
// holding copies of earlier runs and this one, newest first.
TEST_F(SaveSoon, KillsAtRandomMomentsOfABurstLeaveAWholeFile) {
    std::mt19937 random(20240611);
    std::uniform_int_distribution<int> killAfterMs(300, 5500);
    int previousNewest = 0;
    int roundsSaved = 0;  // rounds whose own copies reached the file
    for (int round = 1; round <= 10; ++round) {
        ProcessDriver* program = start();
        ASSERT_NE(program, nullptr) << "round " << round;
        std::vector<std::wstring> copies;
        for (int group = 0; group < 3; ++group) {
            for (int n = 1; n <= 5; ++n) {
                copies.push_back(L"round " + std::to_wstring(round) + L" copy " +
                                 std::to_wstring(group * 5 + n));
            }
        }
        // 5 copies at 20 a second, a pause of 2.2 s, and again: a save is
        // due in each pause.
        ClipboardBurst burst(copies, 20, 5, 2200);
        Sleep(static_cast<DWORD>(killAfterMs(random)));
        ASSERT_TRUE(killWithSigkill(*program, programFolder())) << "round " << round;
        burst.finish();

        if (!fileExists(programFile(L"poolfile.bin"))) continue;
        const PoolContent pool = readPoolFile(programFile(L"poolfile.bin"));
        EXPECT_TRUE(pool.whole) << "round " << round;
        // Newest first: each text's number is below the one above it.
        int above = round * 100 + 100;
        for (const std::u16string& text : pool.active) {
            const int number = newestNumber(text);
            EXPECT_LT(number, above) << "round " << round << ": copy " << number << " out of order";
            above = number;
        }
        // A file is replaced whole: what a run saved stays until newer copies
        // push it out.
        EXPECT_GE(pool.active.empty() ? 0 : newestNumber(pool.active.front()), previousNewest)
            << "round " << round << ": an earlier run's save was lost";
        if (!pool.active.empty()) previousNewest = newestNumber(pool.active.front());
        if (previousNewest / 100 == round) ++roundsSaved;
        program->waitForWindowsGone();
    }
    // Saves happen in the pauses, 2.35 s and 4.8 s into a round: most of
    // the kills come after the first.
    EXPECT_GE(roundsSaved, 3) << "the copies were hardly ever saved before the kill";
}

}  // namespace
}  // namespace e2e
