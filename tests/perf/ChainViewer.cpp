#include "perf/ChainViewer.h"

#include <cstring>

#include "shared/ClipboardText.h"

namespace {

const wchar_t* const ViewerClass = L"QbProbeViewer";

void registerViewerClass(WNDPROC proc) {
    WNDCLASSW wc{};
    wc.lpfnWndProc = proc;
    wc.hInstance = GetModuleHandleW(nullptr);
    wc.lpszClassName = ViewerClass;
    RegisterClassW(&wc);  // a second registration fails harmlessly
}

}  // namespace

ChainViewer::ChainViewer(bool readText) : readText_(readText) {
    registerViewerClass(proc);
    window_ = CreateWindowW(ViewerClass, L"", WS_POPUP, 0, 0, 10, 10, nullptr, nullptr,
                            GetModuleHandleW(nullptr), nullptr);
    if (window_ == nullptr) return;
    SetWindowLongPtrW(window_, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(this));
    next_ = SetClipboardViewer(window_);
    // Joining sends a notice of the present content at once.
    pump(50);
    notices_ = 0;
}

ChainViewer::~ChainViewer() { leave(); }

void ChainViewer::leave() {
    if (window_ == nullptr) return;
    ChangeClipboardChain(window_, next_);
    DestroyWindow(window_);
    window_ = nullptr;
}

LRESULT CALLBACK ChainViewer::proc(HWND window, UINT msg, WPARAM wParam, LPARAM lParam) {
    auto* self = reinterpret_cast<ChainViewer*>(GetWindowLongPtrW(window, GWLP_USERDATA));
    if (self == nullptr) return DefWindowProcW(window, msg, wParam, lParam);
    return self->handle(msg, wParam, lParam);
}

LRESULT ChainViewer::handle(UINT msg, WPARAM wParam, LPARAM lParam) {
    switch (msg) {
    case WM_DRAWCLIPBOARD:
        if (readText_) readClipboardText();
        ++notices_;
        if (next_ != nullptr) SendMessageW(next_, msg, wParam, lParam);
        return 0;
    case WM_CLOSE:
        leave();
        PostQuitMessage(0);
        return 0;
    case WM_CHANGECBCHAIN:
        if (reinterpret_cast<HWND>(wParam) == next_) {
            next_ = reinterpret_cast<HWND>(lParam);
        } else if (next_ != nullptr) {
            SendMessageW(next_, msg, wParam, lParam);
        }
        return 0;
    default:
        return DefWindowProcW(window_, msg, wParam, lParam);
    }
}

void ChainViewer::readClipboardText() {
    if (!OpenClipboard(window_)) return;
    HANDLE data = GetClipboardData(CF_UNICODETEXT);
    const auto* chars = static_cast<const wchar_t*>(data != nullptr ? GlobalLock(data) : nullptr);
    if (chars != nullptr) {
        const std::size_t units = GlobalSize(data) / sizeof(wchar_t);
        std::size_t length = 0;
        while (length < units && chars[length] != L'\0') ++length;
        lastText_.assign(chars, chars + length);
        GlobalUnlock(data);
    }
    CloseClipboard();
}

bool ChainViewer::write(const wchar_t* text, std::size_t count) {
    bool opened = false;
    for (int attempt = 0; attempt < 200 && !(opened = OpenClipboard(window_) != FALSE); ++attempt) Sleep(5);
    if (!opened) return false;
    const bool set = setClipboardUnicodeText(text, count);
    CloseClipboard();
    return set;
}

bool ChainViewer::writeBlock(UINT format, const std::vector<unsigned char>& bytes) {
    HGLOBAL block = GlobalAlloc(GMEM_MOVEABLE, bytes.size());
    if (block == nullptr) return false;
    std::memcpy(GlobalLock(block), bytes.data(), bytes.size());
    GlobalUnlock(block);
    bool opened = false;
    for (int attempt = 0; attempt < 200 && !(opened = OpenClipboard(window_) != FALSE); ++attempt) Sleep(5);
    const bool set = opened && EmptyClipboard() && SetClipboardData(format, block) != nullptr;
    if (opened) CloseClipboard();
    if (!set) GlobalFree(block);
    return set;
}

bool ChainViewer::waitForNotices(int after, DWORD timeoutMs) {
    const ULONGLONG end = GetTickCount64() + timeoutMs;
    while (notices_.load() <= after) {
        const ULONGLONG now = GetTickCount64();
        if (now >= end) return false;
        MsgWaitForMultipleObjects(0, nullptr, FALSE, static_cast<DWORD>(end - now), QS_ALLINPUT);
        MSG msg;
        while (PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) {
            TranslateMessage(&msg);
            DispatchMessageW(&msg);
        }
    }
    return true;
}

void ChainViewer::pump(DWORD ms) {
    const ULONGLONG end = GetTickCount64() + ms;
    for (ULONGLONG now = GetTickCount64(); now < end; now = GetTickCount64()) {
        MsgWaitForMultipleObjects(0, nullptr, FALSE, static_cast<DWORD>(end - now), QS_ALLINPUT);
        MSG msg;
        while (PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) {
            TranslateMessage(&msg);
            DispatchMessageW(&msg);
        }
    }
}
