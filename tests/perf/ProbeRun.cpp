#include "perf/ProbeRun.h"

#include <commctrl.h>

#include <algorithm>
#include <cstdio>
#include <cstring>

#include "core/win32/Handles.h"
#include "e2e/ProcessDriver.h"
#include "perf/ProbeFolder.h"
#include "perf/RemoteListView.h"
#include "perf/ResponseWatch.h"

namespace {

// A text of units code units, different for every seed.
std::wstring textOf(const std::string& kind, int seed, std::size_t units) {
    static const wchar_t pieces[] = L"剪贴板中的文本 Clipboard text 0123456789 ";
    const std::size_t count = sizeof pieces / sizeof pieces[0] - 1;
    std::wstring text;
    for (char c : kind + " " + std::to_string(seed) + " ") text += static_cast<wchar_t>(c);
    text.reserve(units);
    while (text.size() < units) text += pieces[(text.size() + static_cast<std::size_t>(seed)) % count];
    return text;
}

double percentile(std::vector<double> samples, double p) {
    if (samples.empty()) return -1;
    std::sort(samples.begin(), samples.end());
    const std::size_t at = static_cast<std::size_t>(p * static_cast<double>(samples.size() - 1) + 0.5);
    return samples[at];
}

struct ListSearch {
    HWND found = nullptr;
    int rows = 0;
};

BOOL CALLBACK findListWithRows(HWND child, LPARAM param) {
    auto* s = reinterpret_cast<ListSearch*>(param);
    if (e2e::className(child) != L"SysListView32") return TRUE;
    if (SendMessageW(child, LVM_GETITEMCOUNT, 0, 0) != s->rows) return TRUE;
    s->found = child;
    return FALSE;
}

// The list view of the main window that holds this many rows.
HWND listWithRows(HWND main, int rows) {
    ListSearch search{nullptr, rows};
    EnumChildWindows(main, findListWithRows, reinterpret_cast<LPARAM>(&search));
    return search.found;
}

// Starts this program again as the bare viewer; false on failure.
bool startBareViewer(const std::wstring& folder, KernelHandle& process, DWORD& pid) {
    wchar_t self[MAX_PATH] = {};
    GetModuleFileNameW(nullptr, self, MAX_PATH);
    std::wstring commandLine = L"\"" + std::wstring(self) + L"\" --bare-viewer";
    STARTUPINFOW startup{};
    startup.cb = sizeof startup;
    PROCESS_INFORMATION info{};
    if (!CreateProcessW(self, &commandLine[0], nullptr, nullptr, FALSE, 0, nullptr, folder.c_str(),
                        &startup, &info))
        return false;
    CloseHandle(info.hThread);
    process.reset(info.hProcess);
    pid = info.dwProcessId;
    return true;
}

double growthPercent(long long first, long long last) {
    if (first <= 0 || last < 0) return 0;
    return 100.0 * static_cast<double>(last - first) / static_cast<double>(first);
}

}  // namespace

void ProbeRun::report(const std::string& name, const std::vector<double>& samples) {
    std::printf("%s: samples=%zu median_ms=%.2f p90_ms=%.2f max_ms=%.2f\n", name.c_str(),
                samples.size(), percentile(samples, 0.5), percentile(samples, 0.9),
                percentile(samples, 1.0));
    std::fflush(stdout);
}

void ProbeRun::reportGrowth(const std::string& name, const ProcessReading& first,
                            const ProcessReading& last) {
    std::printf("%s_first: %s\n%s_last: %s\n", name.c_str(), first.text().c_str(), name.c_str(),
                last.text().c_str());
    std::printf("%s_growth: private_pct=%.1f working_set_pct=%.1f windows_pct=%.1f gdi_pct=%.1f "
                "user_pct=%.1f kernel_pct=%.1f\n",
                name.c_str(), growthPercent(first.privateKb, last.privateKb),
                growthPercent(first.workingSetKb, last.workingSetKb),
                growthPercent(first.windows, last.windows),
                growthPercent(first.gdiObjects, last.gdiObjects),
                growthPercent(first.userObjects, last.userObjects),
                growthPercent(first.kernelHandles, last.kernelHandles));
    std::fflush(stdout);
}

double ProbeRun::roundTrip(const std::wstring& text, DWORD timeoutMs) {
    const int before = viewer_.notices();
    const double start = clock_.nowMs();
    if (!viewer_.write(text.c_str(), text.size())) return -1;
    if (!viewer_.waitForNotices(before, timeoutMs)) return -1;
    return clock_.nowMs() - start;
}

void ProbeRun::settle(HWND main, DWORD ms) {
    DWORD_PTR answer = 0;
    SendMessageTimeoutW(main, WM_NULL, 0, 0, SMTO_NORMAL, 60000, &answer);
    viewer_.pump(ms);
}

bool ProbeRun::measureReference() {
    KernelHandle bare;
    DWORD barePid = 0;
    if (!startBareViewer(options_.folder, bare, barePid)) return false;
    // The bare viewer joins the chain ahead of the probe's viewer.
    const ULONGLONG end = GetTickCount64() + 20000;
    HWND head = nullptr;
    while (GetTickCount64() < end) {
        head = GetClipboardViewer();
        if (head != nullptr && e2e::windowProcess(head) == barePid) break;
        viewer_.pump(50);
    }
    if (head == nullptr || e2e::windowProcess(head) != barePid) {
        TerminateProcess(bare.get(), 1);
        return false;
    }
    std::vector<double> samples;
    for (int i = 0; i < options_.rounds; ++i) {
        const double ms = roundTrip(textOf("reference", i, 100));
        if (ms < 0) return false;
        samples.push_back(ms);
    }
    report("reference_notice_round_trip", samples);
    const ProcessGauge gauge(barePid);
    std::printf("reference_idle: %s\n", gauge.read().text().c_str());
    if (!largeCopies("reference_copy", head, gauge)) return false;
    PostMessageW(head, WM_CLOSE, 0, 0);
    while (WaitForSingleObject(bare.get(), 0) == WAIT_TIMEOUT) viewer_.pump(50);
    return true;
}

bool ProbeRun::measureLatency(HWND main, HWND activeList) {
    const RemoteListView rows(activeList);
    if (!rows.usable()) {
        std::printf("error: the active list's rows cannot be read\n");
        return false;
    }
    std::vector<double> passedOn;
    std::vector<double> refreshed;
    std::vector<double> painted;
    // Each copy comes after a pause, as a person's copies do: longer than
    // the quiet time after which the program shows a copy at once.
    constexpr DWORD PauseBeforeCopyMs = 300;
    for (int i = 0; i < options_.rounds; ++i) {
        viewer_.pump(PauseBeforeCopyMs);
        const std::wstring text = textOf("latency", i, 100);
        // The summary column of the top row starts with the text's head.
        const std::wstring head = text.substr(0, text.find(L' ', 8) + 1);
        const double start = clock_.nowMs();
        if (roundTrip(text) < 0) return false;
        passedOn.push_back(clock_.nowMs() - start);
        while (rows.cellText(0, 1).compare(0, head.size(), head) != 0) {
            if (clock_.nowMs() - start > 5000) {
                std::printf("error: the active list never showed copy %d\n", i);
                return false;
            }
            viewer_.pump(0);
            Sleep(0);
        }
        refreshed.push_back(clock_.nowMs() - start);
        // Painted once the list view has nothing left to repaint.
        while (GetUpdateRect(activeList, nullptr, FALSE) && clock_.nowMs() - start < 5000) {
            viewer_.pump(0);
            Sleep(0);
        }
        painted.push_back(clock_.nowMs() - start);
    }
    report("change_to_notice_passed_on", passedOn);
    report("change_to_list_refreshed", refreshed);
    report("change_to_list_repainted", painted);
    settle(main, 200);
    return true;
}

bool ProbeRun::largeCopies(const std::string& name, HWND main, const ProcessGauge& gauge) {
    ResponseWatch watch(main);
    for (int megabytes : {10, 100}) {
        const std::wstring text = textOf("large", megabytes, static_cast<std::size_t>(megabytes) << 19);
        settle(main, 500);
        watch.reset();
        const double ms = roundTrip(text, 300000);
        if (ms < 0) return false;
        settle(main, 2000);
        const ProcessReading after = gauge.read();
        DWORD_PTR answer = 0;
        const bool answers =
            SendMessageTimeoutW(main, WM_NULL, 0, 0, SMTO_ABORTIFHUNG, 5000, &answer) != 0;
        std::printf("%s_%dmb: round_trip_ms=%.1f longest_no_answer_ms=%.1f answers=%d\n",
                    name.c_str(), megabytes, ms, watch.longestWaitMs(), answers ? 1 : 0);
        std::printf("%s_%dmb_after: %s\n", name.c_str(), megabytes, after.text().c_str());
        std::fflush(stdout);
    }
    return true;
}

// Started with empty lists and default settings (50 active items at most),
// so the figures are the screenshots' alone.
bool ProbeRun::measureScreenshots() {
    if (!ProbeFolder::prepareEmpty(options_.folder)) return false;
    e2e::ProcessDriver program;
    HWND main = startProgram(program);
    if (main == nullptr) return false;
    const ProcessGauge gauge(program.pid());
    const std::uint32_t width = 1920, height = 1080, pixels = width * height * 4;
    std::vector<unsigned char> dib(40 + pixels);
    const std::uint32_t fields[] = {40, width, height, 1 | 32 << 16, 0, pixels, 0, 0, 0, 0};
    std::memcpy(dib.data(), fields, sizeof fields);
    settle(main, 3000);
    const ProcessReading before = gauge.read();
    std::vector<double> times;
    for (int shot = 1; shot <= 50; ++shot) {
        for (std::uint32_t i = 0; i < pixels; i += 4096) dib[40 + i] = static_cast<unsigned char>(shot);
        const int notices = viewer_.notices();
        const double start = clock_.nowMs();
        if (!viewer_.writeBlock(CF_DIB, dib) || !viewer_.waitForNotices(notices, 60000)) return false;
        times.push_back(clock_.nowMs() - start);
    }
    report("screenshot_round_trip", times);
    // Until the last save has been written: poolfile.bin keeps its size.
    const std::wstring pool = options_.folder + L"\\poolfile.bin";
    long long size = -1, last = -2;
    int steady = 0;
    for (int round = 0; round < 60 && steady < 3; ++round) {
        last = size;
        settle(main, 2000);
        WIN32_FILE_ATTRIBUTE_DATA data{};
        size = GetFileAttributesExW(pool.c_str(), GetFileExInfoStandard, &data)
                   ? (static_cast<long long>(data.nFileSizeHigh) << 32) | data.nFileSizeLow
                   : -1;
        steady = size == last ? steady + 1 : 0;
    }
    std::printf("screenshots_before: %s\nscreenshots_50_after: %s\nscreenshots_poolfile_bytes: %lld\n",
                before.text().c_str(), gauge.read().text().c_str(), size);
    for (HWND box : e2e::topWindows(program.pid(), L"#32770", L"Quillbox", true))
        std::printf("error: the program shows \"%ls\"\n", e2e::messageBoxText(box).c_str());
    std::fflush(stdout);
    e2e::clearClipboard();
    return program.exitWithYes(60000) && program.waitForWindowsGone();
}

bool ProbeRun::soakCaptures(const ProcessGauge& gauge) {
    if (options_.soakCaptures < 100) return true;
    ProcessReading first;
    for (int i = 1; i <= options_.soakCaptures; ++i) {
        if (roundTrip(textOf("soak", i, 200)) < 0) return false;
        if (i == 100) {
            viewer_.pump(1000);
            first = gauge.read();
        }
    }
    viewer_.pump(1000);
    reportGrowth("soak_captures", first, gauge.read());
    return true;
}

bool ProbeRun::soakMenus(HWND main, DWORD pid, const ProcessGauge& gauge) {
    if (options_.soakMenus < 100) return true;
    ProcessReading first;
    for (int i = 1; i <= options_.soakMenus; ++i) {
        PostMessageW(main, WM_HOTKEY, 0, MAKELPARAM(MOD_CONTROL, 'D'));
        HWND menu = nullptr;
        const ULONGLONG end = GetTickCount64() + 10000;
        while (menu == nullptr && GetTickCount64() < end) {
            const std::vector<HWND> menus = e2e::topWindows(pid, L"#32768", nullptr, true);
            if (!menus.empty()) menu = menus.front();
            else viewer_.pump(5);
        }
        if (menu == nullptr) return false;
        PostMessageW(menu, WM_KEYDOWN, VK_ESCAPE, 0);
        const ULONGLONG closeBy = GetTickCount64() + 10000;
        while (IsWindowVisible(menu) && GetTickCount64() < closeBy) viewer_.pump(5);
        if (IsWindowVisible(menu)) return false;
        settle(main, 0);
        if (i == 100) {
            viewer_.pump(1000);
            first = gauge.read();
        }
    }
    viewer_.pump(1000);
    reportGrowth("soak_menus", first, gauge.read());
    return true;
}

HWND ProbeRun::startProgram(e2e::ProcessDriver& program) {
    if (!program.start(ProbeFolder::programIn(options_.folder), options_.folder)) return nullptr;
    HWND main = program.waitForMainWindow();
    const ULONGLONG end = GetTickCount64() + 20000;
    while (main != nullptr && GetClipboardViewer() != main && GetTickCount64() < end) viewer_.pump(50);
    return main != nullptr && GetClipboardViewer() == main ? main : nullptr;
}

bool ProbeRun::measureEmptyStart() {
    e2e::ProcessDriver program;
    HWND main = startProgram(program);
    if (main == nullptr) return false;
    settle(main, 3000);
    std::printf("idle_empty_lists: %s\n", ProcessGauge(program.pid()).read().text().c_str());
    std::fflush(stdout);
    return program.exitWithYes(60000) && program.waitForWindowsGone();
}

int ProbeRun::run() {
    if (!viewer_.joined() || !ProbeFolder::prepare(options_.folder, options_.quillbox)) {
        std::printf("error: cannot prepare %ls\n", options_.folder.c_str());
        return 1;
    }
    e2e::clearClipboard();
    if (!measureReference()) {
        std::printf("error: the reference viewer did not run\n");
        return 1;
    }
    // The program captures what the clipboard holds when it starts.
    e2e::clearClipboard();
    viewer_.pump(200);
    if (!ProbeFolder::prepareEmpty(options_.folder) || !measureEmptyStart() || !measureScreenshots() ||
        !ProbeFolder::prepare(options_.folder, options_.quillbox)) {
        std::printf("error: the program did not start and end with empty lists\n");
        return 1;
    }

    e2e::ProcessDriver program;
    HWND main = startProgram(program);
    HWND activeList = main != nullptr ? listWithRows(main, 100) : nullptr;
    if (activeList == nullptr) {
        std::printf("error: the program did not start with its full list at the head of the chain\n");
        return 1;
    }
    const ProcessGauge gauge(program.pid());
    settle(main, 3000);
    std::printf("idle_full_lists: %s\n", gauge.read().text().c_str());

    bool done = measureLatency(main, activeList) && largeCopies("copy", main, gauge) &&
                soakCaptures(gauge) && soakMenus(main, program.pid(), gauge);
    if (!done) std::printf("error: a measurement did not finish\n");
    viewer_.leave();
    if (!program.exitWithYes(60000)) {
        std::printf("error: the program did not exit\n");
        done = false;
    }
    return done ? 0 : 1;
}
