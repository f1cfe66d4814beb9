#include "perf/ProcessGauge.h"

#include <psapi.h>
#include <winternl.h>

#include <cstdint>
#include <cstdio>
#include <vector>

namespace {

struct WindowCount {
    DWORD pid;
    long long count;
};

BOOL CALLBACK countChild(HWND window, LPARAM param) {
    auto* c = reinterpret_cast<WindowCount*>(param);
    DWORD owner = 0;
    GetWindowThreadProcessId(window, &owner);
    if (owner == c->pid) ++c->count;
    return TRUE;
}

BOOL CALLBACK countTop(HWND window, LPARAM param) {
    auto* c = reinterpret_cast<WindowCount*>(param);
    DWORD owner = 0;
    GetWindowThreadProcessId(window, &owner);
    if (owner != c->pid) return TRUE;
    ++c->count;
    EnumChildWindows(window, countChild, param);
    return TRUE;
}

// One entry of the GDI handle table, as Windows and Wine lay it out.
struct GdiHandleEntry {
    std::uint64_t object;
    std::uint32_t owner;
    std::uint8_t extType;  // bit 7: a stock object
    std::uint8_t generation;
    std::uint8_t type;     // 0: a free entry
    std::uint8_t flags;
    std::uint64_t userPointer;
};
static_assert(sizeof(GdiHandleEntry) == 24, "GDI handle entry layout");
constexpr std::size_t GdiMaxHandles = 0x10000;
// Offset of GdiSharedHandleTable in the PEB.
constexpr std::size_t PebGdiTableOffset = sizeof(void*) == 8 ? 0xF8 : 0x94;

}  // namespace

std::string ProcessReading::text() const {
    char line[256];
    std::snprintf(line, sizeof line,
                  "working_set_kb=%lld peak_working_set_kb=%lld private_kb=%lld windows=%lld "
                  "gdi_objects=%lld user_objects=%lld kernel_handles=%lld",
                  workingSetKb, peakWorkingSetKb, privateKb, windows, gdiObjects, userObjects,
                  kernelHandles);
    return line;
}

ProcessGauge::ProcessGauge(DWORD pid)
    : pid_(pid),
      process_(OpenProcess(PROCESS_QUERY_INFORMATION | PROCESS_VM_READ, FALSE, pid)) {}

ProcessGauge::~ProcessGauge() {
    if (process_ != nullptr) CloseHandle(process_);
}

ProcessReading ProcessGauge::read() const {
    ProcessReading r;
    r.windows = countWindows();
    if (process_ == nullptr) return r;
    PROCESS_MEMORY_COUNTERS_EX memory{};
    memory.cb = sizeof memory;
    if (GetProcessMemoryInfo(process_, reinterpret_cast<PROCESS_MEMORY_COUNTERS*>(&memory), sizeof memory)) {
        r.workingSetKb = static_cast<long long>(memory.WorkingSetSize / 1024);
        r.peakWorkingSetKb = static_cast<long long>(memory.PeakWorkingSetSize / 1024);
        // Wine leaves PrivateUsage at 0; its pagefile usage is the same figure.
        const SIZE_T privateBytes = memory.PrivateUsage != 0 ? memory.PrivateUsage : memory.PagefileUsage;
        r.privateKb = static_cast<long long>(privateBytes / 1024);
    }
    DWORD handles = 0;
    if (GetProcessHandleCount(process_, &handles) && handles > 0) r.kernelHandles = handles;
    SetLastError(0);
    const DWORD gdi = GetGuiResources(process_, GR_GDIOBJECTS);
    const bool guiResourcesWork = gdi != 0 || GetLastError() != ERROR_CALL_NOT_IMPLEMENTED;
    if (guiResourcesWork) {
        r.gdiObjects = gdi;
        r.userObjects = GetGuiResources(process_, GR_USEROBJECTS);
    } else {
        r.gdiObjects = countGdiObjectsInTable();
    }
    return r;
}

long long ProcessGauge::countWindows() const {
    WindowCount c{pid_, 0};
    EnumWindows(countTop, reinterpret_cast<LPARAM>(&c));
    // Message-only windows are not top-level windows of the desktop.
    for (HWND w = FindWindowExW(HWND_MESSAGE, nullptr, nullptr, nullptr); w != nullptr;
         w = FindWindowExW(HWND_MESSAGE, w, nullptr, nullptr)) {
        DWORD owner = 0;
        GetWindowThreadProcessId(w, &owner);
        if (owner == pid_) ++c.count;
    }
    return c.count;
}

long long ProcessGauge::countGdiObjectsInTable() const {
    PROCESS_BASIC_INFORMATION basic{};
    if (NtQueryInformationProcess(process_, ProcessBasicInformation, &basic, sizeof basic, nullptr) != 0)
        return -1;
    void* table = nullptr;
    SIZE_T got = 0;
    const auto* peb = static_cast<const unsigned char*>(static_cast<void*>(basic.PebBaseAddress));
    if (!ReadProcessMemory(process_, peb + PebGdiTableOffset, &table, sizeof table, &got) ||
        table == nullptr)
        return -1;
    std::vector<GdiHandleEntry> entries(GdiMaxHandles);
    if (!ReadProcessMemory(process_, table, entries.data(), entries.size() * sizeof(GdiHandleEntry), &got))
        return -1;
    long long count = 0;
    for (const GdiHandleEntry& e : entries) {
        const bool stock = (e.extType & 0x80) != 0;
        if (e.type != 0 && !stock) ++count;
    }
    return count;
}
