#include "e2e/DesktopPeer.h"

#include <cstring>

#include "e2e/ProcessDriver.h"

namespace e2e {

namespace {
constexpr UINT WM_RUN = WM_APP + 1;
const wchar_t* const RunnerClass = L"QbPeerRunner";
const wchar_t* const ViewerClass = L"QbPeerViewer";

void registerClass(const wchar_t* name, WNDPROC proc) {
    WNDCLASSW wc{};
    wc.lpfnWndProc = proc;
    wc.hInstance = GetModuleHandleW(nullptr);
    wc.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_WINDOW + 1);
    wc.lpszClassName = name;
    RegisterClassW(&wc);
}

bool isKeyMessage(UINT msg) {
    return msg == WM_KEYDOWN || msg == WM_KEYUP || msg == WM_SYSKEYDOWN || msg == WM_SYSKEYUP;
}

std::string utf8(const std::wstring& s) {
    const int n = WideCharToMultiByte(CP_UTF8, 0, s.c_str(), -1, nullptr, 0, nullptr, nullptr);
    std::string out(n > 0 ? n - 1 : 0, '\0');
    if (n > 1) WideCharToMultiByte(CP_UTF8, 0, s.c_str(), -1, &out[0], n, nullptr, nullptr);
    return out;
}

std::wstring clipboardText(HWND owner) {
    std::wstring text;
    for (int attempt = 0; attempt < 20 && !OpenClipboard(owner); ++attempt) Sleep(10);
    HANDLE data = GetClipboardData(CF_UNICODETEXT);
    if (const auto* chars = static_cast<const wchar_t*>(data ? GlobalLock(data) : nullptr)) {
        text.assign(chars, wcsnlen(chars, GlobalSize(data) / sizeof(wchar_t)));
        GlobalUnlock(data);
    }
    CloseClipboard();
    return text;
}
}  // namespace

struct DesktopPeer::Viewer {
    HWND window = nullptr;
    HWND next = nullptr;
    std::atomic<int> notices{0};
    std::mutex lock;
    std::wstring lastText;  // the clipboard's text at the last notice
};

DesktopPeer::DesktopPeer() {
    HANDLE ready = CreateEventW(nullptr, TRUE, FALSE, nullptr);
    thread_ = std::thread([this, ready] {
        registerClass(RunnerClass, runProc);
        registerClass(ViewerClass, viewerProc);
        runner_ = CreateWindowW(RunnerClass, L"", 0, 0, 0, 0, 0, HWND_MESSAGE, nullptr,
                                GetModuleHandleW(nullptr), nullptr);
        SetEvent(ready);
        loop();
    });
    WaitForSingleObject(ready, INFINITE);
    CloseHandle(ready);
}

DesktopPeer::~DesktopPeer() {
    run([this] {
        for (auto& viewer : viewers_) {
            if (viewer->window != nullptr) ChangeClipboardChain(viewer->window, viewer->next);
            DestroyWindow(viewer->window);
        }
        for (HWND target : targets_) {
            const std::wstring name = className(target);
            DestroyWindow(target);
            UnregisterClassW(name.c_str(), GetModuleHandleW(nullptr));
        }
        DestroyWindow(runner_);
        PostQuitMessage(0);
    });
    thread_.join();
}

void DesktopPeer::loop() {
    MSG msg;
    while (GetMessageW(&msg, nullptr, 0, 0) > 0) {
        if (isKeyMessage(msg.message)) record(msg);
        TranslateMessage(&msg);
        DispatchMessageW(&msg);
    }
}

void DesktopPeer::record(const MSG& msg) {
    const HWND root = GetAncestor(msg.hwnd, GA_ROOT);
    const auto lp = static_cast<unsigned long>(msg.lParam);
    KeySeen key{static_cast<unsigned>(msg.wParam), (lp >> 16) & 0xFF, ((lp >> 24) & 1) != 0,
                msg.message == WM_KEYUP || msg.message == WM_SYSKEYUP};
    std::lock_guard<std::mutex> lock(keysLock_);
    keys_.emplace_back(root, key);
}

LRESULT CALLBACK DesktopPeer::runProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
    if (msg != WM_RUN) return DefWindowProcW(hwnd, msg, wParam, lParam);
    (*reinterpret_cast<const std::function<void()>*>(lParam))();
    return 0;
}

void DesktopPeer::run(const std::function<void()>& fn) {
    SendMessageW(runner_, WM_RUN, 0, reinterpret_cast<LPARAM>(&fn));
}

// ---- Paste targets -----------------------------------------------------------------

LRESULT CALLBACK DesktopPeer::targetProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
    HWND edit = GetWindow(hwnd, GW_CHILD);
    if (msg == WM_SETFOCUS && edit != nullptr) {
        SetFocus(edit);
        return 0;
    }
    if (msg == WM_SIZE && edit != nullptr) {
        MoveWindow(edit, 0, 0, LOWORD(lParam), HIWORD(lParam), TRUE);
        return 0;
    }
    return DefWindowProcW(hwnd, msg, wParam, lParam);
}

HWND DesktopPeer::openTarget(const wchar_t* className, int x, int y) {
    HWND target = nullptr;
    run([&] {
        registerClass(className, targetProc);
        const std::string token = runToken();
        const std::wstring title = L"QbTarget-" + std::wstring(token.begin(), token.end()) + L"-" +
                                   std::to_wstring(targets_.size());
        target = CreateWindowW(className, title.c_str(), WS_OVERLAPPEDWINDOW | WS_VISIBLE, x, y,
                               300, 200, nullptr, nullptr, GetModuleHandleW(nullptr), nullptr);
        RECT client{};
        GetClientRect(target, &client);
        HWND edit = CreateWindowW(L"EDIT", L"", WS_CHILD | WS_VISIBLE | ES_MULTILINE, 0, 0,
                                  client.right, client.bottom, target, nullptr,
                                  GetModuleHandleW(nullptr), nullptr);
        SetFocus(edit);
        targets_.push_back(target);
    });
    return target;
}

void DesktopPeer::closeTarget(HWND target) {
    run([&] {
        const std::wstring name = className(target);
        DestroyWindow(target);
        UnregisterClassW(name.c_str(), GetModuleHandleW(nullptr));
    });
}

std::wstring DesktopPeer::editText(HWND target) {
    std::wstring text;
    run([&] { text = windowText(GetWindow(target, GW_CHILD)); });
    return text;
}

bool DesktopPeer::focusTarget(HWND target) {
    run([&] { SetForegroundWindow(target); });
    const std::string title = utf8(windowText(target));
    // Asked on the peer's thread: asked on the test's own thread (which
    // pumps no messages), Wine 8 left every later test of a whole run unable
    // to open the clipboard from the first paste on.
    const auto inFront = [&] {
        bool front = false;
        run([&] { front = GetForegroundWindow() == target; });
        return front;
    };
    return runUnix("xdotool search --name '^" + title + "$' windowfocus --sync") && waitUntil(inFront);
}

bool DesktopPeer::pressKeys(HWND target, const std::string& keys) {
    return focusTarget(target) && runUnix("xdotool key " + keys);
}

std::vector<KeySeen> DesktopPeer::keysSeen(HWND target) {
    std::vector<KeySeen> seen;
    std::lock_guard<std::mutex> lock(keysLock_);
    for (const auto& entry : keys_) {
        if (entry.first == target) seen.push_back(entry.second);
    }
    return seen;
}

// ---- Clipboard viewers -------------------------------------------------------------

LRESULT CALLBACK DesktopPeer::viewerProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
    auto* viewer = reinterpret_cast<Viewer*>(GetWindowLongPtrW(hwnd, GWLP_USERDATA));
    if (viewer == nullptr) return DefWindowProcW(hwnd, msg, wParam, lParam);
    if (msg == WM_DRAWCLIPBOARD) {
        const std::wstring text = clipboardText(hwnd);
        {
            std::lock_guard<std::mutex> lock(viewer->lock);
            viewer->lastText = text;
        }
        ++viewer->notices;
        if (viewer->next != nullptr) SendMessageW(viewer->next, msg, wParam, lParam);
        return 0;
    }
    if (msg == WM_CHANGECBCHAIN) {
        if (reinterpret_cast<HWND>(wParam) == viewer->next) {
            viewer->next = reinterpret_cast<HWND>(lParam);
        } else if (viewer->next != nullptr) {
            SendMessageW(viewer->next, msg, wParam, lParam);
        }
        return 0;
    }
    return DefWindowProcW(hwnd, msg, wParam, lParam);
}

int DesktopPeer::joinChain() {
    viewers_.push_back(std::make_unique<Viewer>());
    Viewer* viewer = viewers_.back().get();
    run([&] {
        viewer->window = CreateWindowW(ViewerClass, L"QbPeerViewer", WS_POPUP, 0, 0, 1, 1,
                                       nullptr, nullptr, GetModuleHandleW(nullptr), nullptr);
        SetWindowLongPtrW(viewer->window, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(viewer));
        viewer->next = SetClipboardViewer(viewer->window);
    });
    return static_cast<int>(viewers_.size()) - 1;
}

void DesktopPeer::leaveChain(int index) {
    Viewer* viewer = viewers_.at(index).get();
    run([&] {
        ChangeClipboardChain(viewer->window, viewer->next);
        DestroyWindow(viewer->window);
        viewer->window = nullptr;
    });
}

int DesktopPeer::notices(int viewer) const { return viewers_.at(viewer)->notices; }

bool DesktopPeer::waitForNotices(int viewer, int count) const {
    return waitUntil([&] { return notices(viewer) >= count; });
}

bool DesktopPeer::waitForNoticeOf(int index, const std::wstring& text) const {
    Viewer& viewer = *viewers_.at(index);
    return waitUntil([&] {
        std::lock_guard<std::mutex> lock(viewer.lock);
        return viewer.lastText == text;
    });
}

// ---- Clipboard writes --------------------------------------------------------------

void DesktopPeer::writeClipboard(UINT format, HANDLE data) {
    run([&] {
        if (!OpenClipboard(runner_)) return;
        EmptyClipboard();
        SetClipboardData(format, data);
        CloseClipboard();
    });
}

void DesktopPeer::writeBlock(UINT format, const void* bytes, std::size_t size) {
    HGLOBAL block = GlobalAlloc(GMEM_MOVEABLE, size);
    std::memcpy(GlobalLock(block), bytes, size);
    GlobalUnlock(block);
    writeClipboard(format, block);
}

void DesktopPeer::putUnicodeText(const std::wstring& text) {
    writeBlock(CF_UNICODETEXT, text.c_str(), (text.size() + 1) * sizeof(wchar_t));
}

void DesktopPeer::putAnsiText(const std::string& bytes) {
    writeBlock(CF_TEXT, bytes.c_str(), bytes.size() + 1);
}

void DesktopPeer::putBlock(UINT format, const std::vector<unsigned char>& bytes) {
    writeBlock(format, bytes.data(), bytes.size());
}

void DesktopPeer::putBitmapOnly() {
    writeClipboard(CF_BITMAP, CreateBitmap(8, 8, 1, 32, nullptr));
}

void DesktopPeer::putUnicodeTextMarked(const std::wstring& text, const wchar_t* formatName,
                                       const std::vector<unsigned char>& mark) {
    const auto block = [](const void* bytes, std::size_t size) {
        HGLOBAL memory = GlobalAlloc(GMEM_MOVEABLE, size == 0 ? 1 : size);
        if (size > 0) std::memcpy(GlobalLock(memory), bytes, size);
        GlobalUnlock(memory);
        return memory;
    };
    run([&] {
        if (!OpenClipboard(runner_)) return;
        EmptyClipboard();
        if (text.empty()) {
            SetClipboardData(CF_BITMAP, CreateBitmap(8, 8, 1, 32, nullptr));
        } else {
            SetClipboardData(CF_UNICODETEXT, block(text.c_str(), (text.size() + 1) * sizeof(wchar_t)));
        }
        SetClipboardData(RegisterClipboardFormatW(formatName), block(mark.data(), mark.size()));
        CloseClipboard();
    });
}

void DesktopPeer::putBitmapMarked(const wchar_t* formatName,
                                  const std::vector<unsigned char>& mark) {
    putUnicodeTextMarked(L"", formatName, mark);
}

// ---- Unix commands -----------------------------------------------------------------

std::string runToken() {
    static const std::string token = [] {
        FILETIME now{};
        GetSystemTimeAsFileTime(&now);
        return std::to_string(GetCurrentProcessId()) + "-" + std::to_string(now.dwLowDateTime);
    }();
    return token;
}

std::string unixTempPath(const std::string& name) {
    return "/tmp/qb-e2e-" + runToken() + "-" + name;
}

std::wstring windowsPathOf(const std::string& unixPath) {
    return toWindowsPath(std::wstring(unixPath.begin(), unixPath.end()));
}

// Wine starts a Unix program without a handle to wait on: the command
// leaves a mark when it is done.
bool runUnix(const std::string& command, DWORD timeoutMs) {
    static int count = 0;
    const std::string mark = unixTempPath("done-" + std::to_string(++count));
    const std::string line = "sh -c \"" + command + "; touch " + mark + "\"";
    std::wstring wide(line.size() + 1, L'\0');
    MultiByteToWideChar(CP_UTF8, 0, line.c_str(), -1, &wide[0], static_cast<int>(wide.size()));
    STARTUPINFOW startup{};
    startup.cb = sizeof startup;
    PROCESS_INFORMATION info{};
    if (!CreateProcessW(L"Z:\\bin\\sh", &wide[0], nullptr, nullptr, FALSE, 0, nullptr, nullptr,
                        &startup, &info)) {
        return false;
    }
    if (info.hProcess != nullptr) CloseHandle(info.hProcess);
    if (info.hThread != nullptr) CloseHandle(info.hThread);
    const std::wstring markFile = windowsPathOf(mark);
    const bool done = waitUntil([&] { return fileExists(markFile); }, timeoutMs);
    DeleteFileW(markFile.c_str());
    return done;
}

bool copyWithXclip(const std::wstring& text) {
    const std::string file = unixTempPath("copy");
    const std::string bytes = utf8(text);
    return writeFile(windowsPathOf(file), std::vector<unsigned char>(bytes.begin(), bytes.end())) &&
           runUnix("xclip -selection clipboard -loops 1 " + file + "; rm -f " + file);
}

bool copyWithXclip(const std::vector<unsigned char>& bytes, const std::string& target) {
    const std::string file = unixTempPath("copy");
    return writeFile(windowsPathOf(file), bytes) &&
           runUnix("xclip -selection clipboard -loops 1 -t " + target + " -i " + file +
                   "; rm -f " + file);
}

}  // namespace e2e
