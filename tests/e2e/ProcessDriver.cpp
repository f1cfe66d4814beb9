#include "e2e/ProcessDriver.h"

#include <shellapi.h>

#include "resource.h"

namespace e2e {

const wchar_t* const MainWindowTitle = L"Quillbox v1.3.1";

namespace {

constexpr UINT TextTimeoutMs = 5000;

std::wstring parentFolder(const std::wstring& path) {
    std::size_t slash = path.find_last_of(L"\\/");
    return slash == std::wstring::npos ? std::wstring() : path.substr(0, slash);
}

std::wstring moduleFolder() {
    wchar_t buffer[MAX_PATH] = {};
    DWORD n = GetModuleFileNameW(nullptr, buffer, MAX_PATH);
    if (n == 0 || n >= MAX_PATH) return std::wstring();
    return parentFolder(buffer);
}

std::wstring argumentPath() {
    int count = 0;
    LPWSTR* args = CommandLineToArgvW(GetCommandLineW(), &count);
    if (args == nullptr) return std::wstring();
    std::wstring found;
    for (int i = 1; i < count && found.empty(); ++i) {
        std::wstring arg = args[i];
        if (!arg.empty() && arg[0] != L'-') found = arg;
    }
    LocalFree(args);
    return found;
}

struct EnumQuery {
    DWORD pid;
    const wchar_t* cls;
    const wchar_t* title;
    bool visibleOnly;
    std::vector<HWND> found;
};

BOOL CALLBACK collectTopWindow(HWND window, LPARAM param) {
    auto* query = reinterpret_cast<EnumQuery*>(param);
    if (query->pid != 0 && windowProcess(window) != query->pid) return TRUE;
    if (query->visibleOnly && !IsWindowVisible(window)) return TRUE;
    if (query->cls != nullptr && className(window) != query->cls) return TRUE;
    if (query->title != nullptr && windowText(window) != query->title) return TRUE;
    query->found.push_back(window);
    return TRUE;
}

struct ChildQuery {
    const wchar_t* cls;
    std::vector<HWND> found;
};

BOOL CALLBACK collectChild(HWND window, LPARAM param) {
    auto* query = reinterpret_cast<ChildQuery*>(param);
    if (lstrcmpiW(className(window).c_str(), query->cls) == 0) query->found.push_back(window);
    return TRUE;
}

std::vector<HWND> childrenOfClass(HWND parent, const wchar_t* cls) {
    ChildQuery query{cls, {}};
    EnumChildWindows(parent, collectChild, reinterpret_cast<LPARAM>(&query));
    return query.found;
}

bool isPushButton(HWND button) {
    LONG type = GetWindowLongW(button, GWL_STYLE) & BS_TYPEMASK;
    return type == BS_PUSHBUTTON || type == BS_DEFPUSHBUTTON;
}

std::uint64_t toUint64(DWORD high, DWORD low) {
    return (static_cast<std::uint64_t>(high) << 32) | low;
}

}  // namespace

bool waitUntil(const std::function<bool()>& condition, DWORD timeoutMs) {
    DWORD start = GetTickCount();
    for (;;) {
        if (condition()) return true;
        if (GetTickCount() - start >= timeoutMs) return condition();
        Sleep(PollIntervalMs);
    }
}

std::wstring toWindowsPath(const std::wstring& path) {
    if (path.empty() || path[0] != L'/') return path;
    std::wstring result = L"Z:" + path;
    for (wchar_t& c : result) {
        if (c == L'/') c = L'\\';
    }
    return result;
}

std::wstring quillboxPath() {
    std::wstring path = toWindowsPath(argumentPath());
    if (path.empty()) {
        // tests\win32\qb_e2e_tests.exe -> quillbox.exe at the build folder's top
        std::wstring top = parentFolder(parentFolder(moduleFolder()));
        if (!top.empty()) path = top + L"\\quillbox.exe";
    }
    return fileExists(path) ? path : std::wstring();
}

std::wstring windowText(HWND window) {
    DWORD_PTR length = 0;
    if (!SendMessageTimeoutW(window, WM_GETTEXTLENGTH, 0, 0, SMTO_ABORTIFHUNG, TextTimeoutMs,
                             &length)) {
        return std::wstring();
    }
    std::vector<wchar_t> buffer(length + 1, L'\0');
    DWORD_PTR copied = 0;
    if (!SendMessageTimeoutW(window, WM_GETTEXT, buffer.size(),
                             reinterpret_cast<LPARAM>(buffer.data()), SMTO_ABORTIFHUNG,
                             TextTimeoutMs, &copied)) {
        return std::wstring();
    }
    return std::wstring(buffer.data(), copied < buffer.size() ? copied : buffer.size() - 1);
}

std::wstring className(HWND window) {
    wchar_t buffer[256] = {};
    int n = GetClassNameW(window, buffer, 256);
    return std::wstring(buffer, n > 0 ? n : 0);
}

DWORD windowProcess(HWND window) {
    DWORD pid = 0;
    GetWindowThreadProcessId(window, &pid);
    return pid;
}

std::vector<HWND> topWindows(DWORD pid, const wchar_t* cls, const wchar_t* title,
                             bool visibleOnly) {
    EnumQuery query{pid, cls, title, visibleOnly, {}};
    EnumWindows(collectTopWindow, reinterpret_cast<LPARAM>(&query));
    return query.found;
}

bool anyWindowTitled(const wchar_t* title) {
    return FindWindowW(nullptr, title) != nullptr;
}

HWND findMessageBox(DWORD pid) {
    for (HWND window : topWindows(pid, L"#32770", nullptr, true)) {
        if (windowText(window) == MainWindowTitle) continue;
        if (!buttonIds(window).empty()) return window;
    }
    return nullptr;
}

std::wstring messageBoxText(HWND box) {
    HWND text = GetDlgItem(box, 0xFFFF);
    if (text != nullptr && lstrcmpiW(className(text).c_str(), L"Static") == 0) {
        std::wstring s = windowText(text);
        if (!s.empty()) return s;
    }
    for (HWND label : childrenOfClass(box, L"Static")) {
        std::wstring s = windowText(label);
        if (!s.empty()) return s;
    }
    return std::wstring();
}

std::vector<int> buttonIds(HWND dialog) {
    std::vector<int> ids;
    for (HWND button : childrenOfClass(dialog, L"Button")) {
        if (IsWindowVisible(button) && isPushButton(button)) ids.push_back(GetDlgCtrlID(button));
    }
    return ids;
}

int defaultButtonId(HWND dialog) {
    for (HWND button : childrenOfClass(dialog, L"Button")) {
        LONG type = GetWindowLongW(button, GWL_STYLE) & BS_TYPEMASK;
        if (IsWindowVisible(button) && type == BS_DEFPUSHBUTTON) return GetDlgCtrlID(button);
    }
    return 0;
}

bool pressButton(HWND dialog, int id) {
    HWND button = GetDlgItem(dialog, id);
    if (button == nullptr || !IsWindowVisible(button)) return false;
    return PostMessageW(dialog, WM_COMMAND, MAKEWPARAM(id, BN_CLICKED),
                        reinterpret_cast<LPARAM>(button)) != FALSE;
}

bool clearClipboard() {
    bool opened = waitUntil([] { return OpenClipboard(nullptr) != FALSE; }, 5000);
    if (!opened) return false;
    BOOL emptied = EmptyClipboard();
    CloseClipboard();
    return emptied != FALSE;
}

bool readFile(const std::wstring& path, std::vector<unsigned char>& bytes) {
    bytes.clear();
    HANDLE file = CreateFileW(path.c_str(), GENERIC_READ,
                              FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr,
                              OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE) return false;
    bool ok = true;
    unsigned char chunk[4096];
    for (;;) {
        DWORD got = 0;
        if (!ReadFile(file, chunk, sizeof chunk, &got, nullptr)) {
            ok = false;
            break;
        }
        if (got == 0) break;
        bytes.insert(bytes.end(), chunk, chunk + got);
    }
    CloseHandle(file);
    return ok;
}

bool writeFile(const std::wstring& path, const std::vector<unsigned char>& bytes) {
    HANDLE file = CreateFileW(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS,
                              FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE) return false;
    DWORD written = 0;
    BOOL ok = bytes.empty() ||
              WriteFile(file, bytes.data(), static_cast<DWORD>(bytes.size()), &written, nullptr);
    CloseHandle(file);
    return ok && written == bytes.size();
}

bool fileExists(const std::wstring& path) {
    if (path.empty()) return false;
    DWORD attributes = GetFileAttributesW(path.c_str());
    return attributes != INVALID_FILE_ATTRIBUTES && !(attributes & FILE_ATTRIBUTE_DIRECTORY);
}

std::map<std::wstring, FileState> snapshotFolder(const std::wstring& folder) {
    std::map<std::wstring, FileState> files;
    WIN32_FIND_DATAW data;
    HANDLE find = FindFirstFileW((folder + L"\\*").c_str(), &data);
    if (find == INVALID_HANDLE_VALUE) return files;
    do {
        if (data.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) continue;
        FileState& state = files[data.cFileName];
        state.size = toUint64(data.nFileSizeHigh, data.nFileSizeLow);
        state.writeTime =
            toUint64(data.ftLastWriteTime.dwHighDateTime, data.ftLastWriteTime.dwLowDateTime);
        readFile(folder + L"\\" + data.cFileName, state.bytes);
    } while (FindNextFileW(find, &data));
    FindClose(find);
    return files;
}

void removeFolder(const std::wstring& folder) {
    if (folder.empty()) return;
    for (const auto& entry : snapshotFolder(folder)) {
        DeleteFileW((folder + L"\\" + entry.first).c_str());
    }
    RemoveDirectoryW(folder.c_str());
}

ProcessDriver::~ProcessDriver() {
    stop();
    if (process_ != nullptr) CloseHandle(process_);
}

bool ProcessDriver::start(const std::wstring& exe, const std::wstring& workDir) {
    if (process_ != nullptr) return false;
    std::wstring commandLine = L"\"" + exe + L"\"";
    STARTUPINFOW startup = {};
    startup.cb = sizeof startup;
    PROCESS_INFORMATION info = {};
    if (!CreateProcessW(exe.c_str(), &commandLine[0], nullptr, nullptr, FALSE, 0, nullptr,
                        workDir.c_str(), &startup, &info)) {
        return false;
    }
    CloseHandle(info.hThread);
    process_ = info.hProcess;
    pid_ = info.dwProcessId;
    return true;
}

bool ProcessDriver::isRunning() const {
    return process_ != nullptr && WaitForSingleObject(process_, 0) == WAIT_TIMEOUT;
}

bool ProcessDriver::waitForExit(DWORD timeoutMs) {
    return process_ != nullptr && WaitForSingleObject(process_, timeoutMs) == WAIT_OBJECT_0;
}

DWORD ProcessDriver::exitCode() const {
    DWORD code = STILL_ACTIVE;
    if (process_ != nullptr) GetExitCodeProcess(process_, &code);
    return code;
}

HWND ProcessDriver::mainWindow() const {
    if (process_ == nullptr) return nullptr;
    std::vector<HWND> windows = topWindows(pid_, nullptr, MainWindowTitle, false);
    return windows.empty() ? nullptr : windows.front();
}

HWND ProcessDriver::waitForMainWindow(DWORD timeoutMs) const {
    HWND found = nullptr;
    waitUntil([&] { return (found = mainWindow()) != nullptr; }, timeoutMs);
    return found;
}

HWND ProcessDriver::waitForMessageBox(DWORD timeoutMs) const {
    HWND found = nullptr;
    if (process_ == nullptr) return nullptr;
    waitUntil([&] { return (found = findMessageBox(pid_)) != nullptr; }, timeoutMs);
    return found;
}

bool ProcessDriver::waitForWindowsGone(DWORD timeoutMs) const {
    if (process_ == nullptr) return true;
    return waitUntil([&] { return topWindows(pid_, nullptr, nullptr, false).empty(); },
                     timeoutMs);
}

bool ProcessDriver::postCommand(int id) const {
    HWND main = mainWindow();
    return main != nullptr && PostMessageW(main, WM_COMMAND, MAKEWPARAM(id, 0), 0) != FALSE;
}

bool ProcessDriver::exitWithYes(DWORD timeoutMs) {
    if (!postCommand(ID_EXIT)) return false;
    HWND box = waitForMessageBox(timeoutMs);
    if (box == nullptr || !pressButton(box, IDYES)) return false;
    return waitForExit(timeoutMs);
}

void ProcessDriver::stop() {
    if (process_ == nullptr) return;
    if (isRunning()) {
        // A box left open by a failed test would catch the exit command's
        // own box; only a program at rest is asked to exit.
        bool atRest = findMessageBox(pid_) == nullptr && mainWindow() != nullptr;
        if (!atRest || !exitWithYes(10000)) {
            TerminateProcess(process_, 1);
            waitForExit();
        }
    }
    waitForWindowsGone();
}

}  // namespace e2e
