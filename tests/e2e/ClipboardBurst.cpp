#include "e2e/ClipboardBurst.h"

#include "shared/ClipboardText.h"

namespace e2e {

namespace {

constexpr DWORD OpenTimeoutMs = 2000;

double nowMs() {
    static LARGE_INTEGER frequency = [] {
        LARGE_INTEGER f;
        QueryPerformanceFrequency(&f);
        return f;
    }();
    LARGE_INTEGER now;
    QueryPerformanceCounter(&now);
    return static_cast<double>(now.QuadPart) * 1000.0 / static_cast<double>(frequency.QuadPart);
}

// Handles every message that is waiting, then waits for more until the
// deadline (a deadline already passed handles what is waiting and returns).
void pumpUntil(double deadlineMs) {
    for (;;) {
        MSG msg;
        while (PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) {
            TranslateMessage(&msg);
            DispatchMessageW(&msg);
        }
        const double left = deadlineMs - nowMs();
        if (left <= 0) return;
        // Whole milliseconds are waited for, the last fraction spun away:
        // a writer that waits a little too long each time copies slower
        // than it was asked to.
        MsgWaitForMultipleObjects(0, nullptr, FALSE, static_cast<DWORD>(left), QS_ALLINPUT);
    }
}

// The reader may hold the clipboard for a moment: try again, handling
// messages meanwhile.
bool openClipboard(HWND owner) {
    const double giveUp = nowMs() + OpenTimeoutMs;
    while (!OpenClipboard(owner)) {
        if (nowMs() > giveUp) return false;
        pumpUntil(nowMs() + 1);
    }
    return true;
}

bool putText(HWND owner, const std::wstring& text) {
    if (!openClipboard(owner)) return false;
    const bool set = setClipboardUnicodeText(text.c_str(), text.size());
    CloseClipboard();
    return set;
}

}  // namespace

std::vector<std::wstring> ClipboardBurst::numberedTexts(const std::wstring& prefix, int count) {
    std::vector<std::wstring> texts;
    for (int n = 1; n <= count; ++n) texts.push_back(prefix + std::to_wstring(n));
    return texts;
}

bool ClipboardBurst::write(const std::vector<std::wstring>& texts, int perSecond, int groupSize,
                           int pauseMs) {
    HWND owner = CreateWindowW(L"STATIC", L"QbClipboardBurst", WS_POPUP, 0, 0, 1, 1, nullptr,
                               nullptr, GetModuleHandleW(nullptr), nullptr);
    if (owner == nullptr) return false;
    const double period = perSecond > 0 ? 1000.0 / perSecond : 0.0;
    // Each write starts a period after the one before started: a writer
    // that fell behind does not catch up with a quicker run of writes.
    double due = nowMs();
    bool all = true;
    for (std::size_t i = 0; i < texts.size(); ++i) {
        if (i > 0 && groupSize > 0 && i % static_cast<std::size_t>(groupSize) == 0) due += pauseMs;
        pumpUntil(due);
        due = nowMs() + period;
        all = putText(owner, texts[i]) && all;
    }
    // The notice of the last write goes out once the writer is back here.
    pumpUntil(nowMs() + 50);
    DestroyWindow(owner);
    return all;
}

ClipboardBurst::ClipboardBurst(const std::vector<std::wstring>& texts, int perSecond,
                               int groupSize, int pauseMs)
    : texts_(texts), perSecond_(perSecond), groupSize_(groupSize), pauseMs_(pauseMs) {
    thread_ = CreateThread(nullptr, 0, &ClipboardBurst::threadMain, this, 0, nullptr);
}

ClipboardBurst::~ClipboardBurst() { finish(); }

DWORD WINAPI ClipboardBurst::threadMain(void* self) {
    auto* burst = static_cast<ClipboardBurst*>(self);
    burst->written_ = write(burst->texts_, burst->perSecond_, burst->groupSize_, burst->pauseMs_);
    return 0;
}

bool ClipboardBurst::finish() {
    if (thread_ != nullptr) {
        WaitForSingleObject(thread_, INFINITE);
        CloseHandle(thread_);
        thread_ = nullptr;
    }
    return written_;
}

}  // namespace e2e
