// How fast another program may copy before the running program starts to
// miss copies. A Windows program copies 100 distinct texts at rising rates
// (handling its messages between writes), then an X program (xclip) copies
// 100 texts at 20 a second and as fast as a shell starts it; each time the
// program, with the active maximum at 100, is ended with the exit command
// and poolfile.bin tells how many texts were captured and whether they are
// in order. Prints one line per run; it checks nothing about the rates.
//
//   qb_capture_rate.exe [--gtest_filter=...] <path of quillbox.exe>
// QB_RATE_REPEATS (default 3) sets the runs per rate.
#include <gtest/gtest.h>

#include <windows.h>

#include <cstdio>
#include <cstdlib>
#include <functional>
#include <string>
#include <vector>

#include "e2e/ClipboardBurst.h"
#include "e2e/DesktopPeer.h"
#include "e2e/ProgramFixture.h"

namespace e2e {
namespace {

constexpr int Copies = 100;

int repeats() {
    const char* value = std::getenv("QB_RATE_REPEATS");
    const int n = value != nullptr ? std::atoi(value) : 0;
    return n > 0 ? n : 3;
}

struct Outcome {
    int captured = 0;      // burst texts found in the active list
    bool inOrder = false;  // all of them, newest first, nothing else between
    std::string lost;      // the numbers of the texts not found
    bool completed = false;  // the program started, took the copies and exited
};

class CaptureRate : public ProgramFixture {
protected:
    // One run: a fresh program, the copies made by copy(), the exit.
    Outcome run(const std::vector<std::wstring>& texts, const std::function<bool()>& copy) {
        Outcome outcome;
        DeleteFileW(programFile(L"poolfile.bin").c_str());
        const std::string config = "MaxActiveItemNum=100\r\n";
        writeFile(programFile(L"Inkwell.cfg"), std::vector<unsigned char>(config.begin(), config.end()));
        clearClipboard();
        ProcessDriver& program = startProgram();
        HWND main = program.waitForMainWindow();
        if (main == nullptr || !waitUntil([&] { return GetClipboardViewer() == main; })) {
            return outcome;
        }
        Sleep(500);
        if (!copy()) std::printf("  (the copying program reported a failure)\n");
        // Every notice has been handled once the program answers.
        DWORD_PTR answer = 0;
        SendMessageTimeoutW(main, WM_NULL, 0, 0, SMTO_ABORTIFHUNG, DefaultTimeoutMs, &answer);
        Sleep(300);
        if (!program.exitWithYes()) return outcome;
        program.waitForWindowsGone();
        const PoolContent pool = readPoolFile(programFile(L"poolfile.bin"));
        outcome.completed = true;
        std::vector<std::u16string> expected;
        for (auto it = texts.rbegin(); it != texts.rend(); ++it) {
            expected.emplace_back(it->begin(), it->end());
        }
        for (std::size_t n = texts.size(); n > 0; --n) {
            const std::u16string& copied = expected[texts.size() - n];
            bool found = false;
            for (const std::u16string& text : pool.active) found = found || text == copied;
            if (found) {
                ++outcome.captured;
            } else {
                outcome.lost += " " + std::to_string(n);
            }
        }
        outcome.inOrder = pool.active == expected;
        return outcome;
    }

    void report(const char* writer, const char* rate, const Outcome& outcome) {
        const std::string note = !outcome.completed        ? "(the run did not complete)"
                                 : outcome.inOrder          ? "all in order"
                                 : outcome.lost.size() < 40 ? "lost" + outcome.lost
                                                            : "";
        std::printf("%-16s %-18s captured %3d of %d  %s\n", writer, rate, outcome.captured, Copies,
                    note.c_str());
        std::fflush(stdout);
    }
};

TEST_F(CaptureRate, WindowsWriterAtRisingRates) {
    for (int perSecond : {20, 50, 100, 150, 200, 300, 500, 0}) {
        for (int r = 0; r < repeats(); ++r) {
            const auto texts =
                ClipboardBurst::numberedTexts(L"rate " + std::to_wstring(perSecond) + L" copy ", Copies);
            double achieved = 0;
            const Outcome outcome = run(texts, [&] {
                const DWORD start = GetTickCount();
                const bool written = ClipboardBurst::write(texts, perSecond);
                const DWORD took = GetTickCount() - start;
                achieved = took > 0 ? Copies * 1000.0 / took : 0;
                return written;
            });
            char rate[64];
            std::snprintf(rate, sizeof rate, "%s (%.0f/s)",
                          perSecond > 0 ? (std::to_string(perSecond) + "/s").c_str() : "full",
                          achieved);
            report("Windows program", rate, outcome);
        }
    }
}

// xclip offers each text until one reader has fetched it or another
// program takes the clipboard; a shell starts one xclip after another.
TEST_F(CaptureRate, XclipAtTwentyASecondAndAtFullSpeed) {
    for (const char* pause : {"0.05", ""}) {
        for (int r = 0; r < repeats(); ++r) {
            const std::string prefix = std::string("xclip ") + (*pause ? "20" : "full") + " copy ";
            std::vector<std::wstring> texts;
            for (int n = 1; n <= Copies; ++n) {
                const std::string text = prefix + std::to_string(n);
                texts.emplace_back(text.begin(), text.end());
            }
            const std::string sleep = *pause ? std::string("sleep ") + pause + "; " : "";
            const std::string script =
                "i=1; while [ $i -le " + std::to_string(Copies) + " ]; do printf '" + prefix +
                "%d' $i | timeout 10 xclip -selection clipboard -loops 1 & " + sleep +
                "i=$((i+1)); done; wait";
            const Outcome outcome = run(texts, [&] { return runUnix(script, 120000); });
            report("xclip", *pause ? "20/s" : "full speed", outcome);
        }
    }
}

}  // namespace
}  // namespace e2e
