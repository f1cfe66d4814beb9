// The measurements of the running program under Wine, in order:
//   1. the reference: a bare viewer process that only reads each text, for
//      short texts and for copies of 10 MB and 100 MB (time and memory);
//   2. the program started with empty lists, its memory at rest; then 50
//      screenshots (1920 x 1080 at 32 bits) copied one after another into
//      empty lists: the time each takes to come round, the memory
//      afterwards; then the program with full lists at rest;
//   3. the time from a clipboard change to the notice passed on, to the
//      active list's top row showing the new text, and to the list
//      repainted (its update region empty);
//   4. copies of 10 MB and 100 MB: the time to capture, the longest time
//      the program did not answer, its memory afterwards;
//   5. the soak: captures into the full list and quick-paste menus opened
//      and closed, with memory and handles after the first 100 of each and
//      at the end.
// Each result is printed as one line "name: key=value ...".
#pragma once

#include <windows.h>

#include <string>
#include <vector>

#include "e2e/ProcessDriver.h"
#include "perf/ChainViewer.h"
#include "perf/ProcessGauge.h"
#include "perf/Stopwatch.h"

struct ProbeOptions {
    std::wstring quillbox;  // the built program
    std::wstring folder;    // where its measured copy runs
    int rounds = 200;
    int soakCaptures = 10000;
    int soakMenus = 1000;
};

class ProbeRun {
public:
    explicit ProbeRun(const ProbeOptions& options) : options_(options) {}
    // 0 when every measurement ran, 1 otherwise.
    int run();

private:
    bool measureReference();
    bool measureEmptyStart();
    // Copies of 10 MB and 100 MB seen by the viewer in front of the probe's
    // (the bare viewer or the program), in process pid: the round trip,
    // the longest time main did not answer, the memory afterwards.
    bool largeCopies(const std::string& name, HWND main, const ProcessGauge& gauge);
    bool measureLatency(HWND main, HWND activeList);
    bool measureScreenshots();
    bool soakCaptures(const ProcessGauge& gauge);
    bool soakMenus(HWND main, DWORD pid, const ProcessGauge& gauge);

    // Writes the text and waits until the notice has come round to the
    // probe's viewer; the milliseconds it took, or -1.
    double roundTrip(const std::wstring& text, DWORD timeoutMs = 20000);
    // Waits for the program to handle its pending messages, then a while.
    void settle(HWND main, DWORD ms);
    static void report(const std::string& name, const std::vector<double>& samples);
    // Starts the program in the probe's folder and waits until it is at the
    // head of the viewer chain; its main window, or null.
    HWND startProgram(e2e::ProcessDriver& program);
    static void reportGrowth(const std::string& name, const ProcessReading& first,
                             const ProcessReading& last);

    ProbeOptions options_;
    ChainViewer viewer_{false};
    Stopwatch clock_;
};
