// Drives one copy of quillbox.exe from outside, the way a user or the
// system would: start it, find its windows, answer its message boxes, send
// it messages, end it. Plus the small helpers the end-to-end tests share
// (waiting, window texts, file bytes, folder snapshots).
//
// Everything here polls: Wine is slow and unpredictable in its timing, so
// the tests wait for states with generous timeouts and never measure time.
#pragma once

#include <windows.h>

#include <cstdint>
#include <functional>
#include <map>
#include <string>
#include <vector>

namespace e2e {

constexpr DWORD DefaultTimeoutMs = 20000;
constexpr DWORD PollIntervalMs = 50;

// Title of the main window, by which the tests (and a second copy of the
// program) find it.
extern const wchar_t* const MainWindowTitle;

// Polls condition every 50 ms until it holds or timeoutMs has passed.
bool waitUntil(const std::function<bool()>& condition, DWORD timeoutMs = DefaultTimeoutMs);

// Full path of the program under test: the first argument of this test
// executable that is not a test framework option. A Linux path ("/a/b")
// becomes the Wine path "Z:\a\b". Without an argument, quillbox.exe two
// folders above this executable. Empty when nothing is found.
std::wstring quillboxPath();
std::wstring toWindowsPath(const std::wstring& path);

// Window text through WM_GETTEXT (works across processes); empty on failure.
std::wstring windowText(HWND window);
std::wstring className(HWND window);
DWORD windowProcess(HWND window);

// Top-level windows of a process; cls and title are exact matches, null
// matches anything. Only visible ones when visibleOnly.
std::vector<HWND> topWindows(DWORD pid, const wchar_t* cls, const wchar_t* title,
                             bool visibleOnly);
// Any top-level window, of any process, with exactly this title.
bool anyWindowTitled(const wchar_t* title);

// A visible message box of the process: a #32770 window with push buttons
// that is not the main window. Null when there is none.
HWND findMessageBox(DWORD pid);
// The message text of a message box (its static text control).
std::wstring messageBoxText(HWND box);
// Ids of the visible buttons of a dialog.
std::vector<int> buttonIds(HWND dialog);
// Id of the visible default push button (BS_DEFPUSHBUTTON style), or 0.
// Read from the style because Wine's message boxes answer DM_GETDEFID with
// IDOK even when they have no such button.
int defaultButtonId(HWND dialog);
// Presses the button with this id the way the dialog sees a click: a
// WM_COMMAND/BN_CLICKED from that button. False if the dialog has no such
// button.
bool pressButton(HWND dialog, int id);

// Empties the clipboard, so a program that reads it at start finds no text.
bool clearClipboard();

// File helpers. readFile returns false when the file cannot be read.
bool readFile(const std::wstring& path, std::vector<unsigned char>& bytes);
bool writeFile(const std::wstring& path, const std::vector<unsigned char>& bytes);
bool fileExists(const std::wstring& path);

struct FileState {
    std::uint64_t size = 0;
    std::uint64_t writeTime = 0;
    std::vector<unsigned char> bytes;
    bool operator==(const FileState& o) const {
        return size == o.size && writeTime == o.writeTime && bytes == o.bytes;
    }
};
// Every plain file of a folder (not recursive), by name.
std::map<std::wstring, FileState> snapshotFolder(const std::wstring& folder);
// Deletes the plain files of a folder and the folder itself.
void removeFolder(const std::wstring& folder);

// One started process of quillbox.exe.
class ProcessDriver {
public:
    ProcessDriver() = default;
    ~ProcessDriver();
    ProcessDriver(const ProcessDriver&) = delete;
    ProcessDriver& operator=(const ProcessDriver&) = delete;

    // Starts exe with workDir as its current directory. False on failure.
    bool start(const std::wstring& exe, const std::wstring& workDir);
    DWORD pid() const { return pid_; }
    bool started() const { return process_ != nullptr; }
    bool isRunning() const;
    // Waits for the process to end; false on timeout.
    bool waitForExit(DWORD timeoutMs = DefaultTimeoutMs);
    // Exit code once ended; STILL_ACTIVE while running.
    DWORD exitCode() const;

    // The main window of this process (visible or not); null if none.
    HWND mainWindow() const;
    HWND waitForMainWindow(DWORD timeoutMs = DefaultTimeoutMs) const;
    HWND waitForMessageBox(DWORD timeoutMs = DefaultTimeoutMs) const;
    // True once no top-level window of this process is left.
    bool waitForWindowsGone(DWORD timeoutMs = DefaultTimeoutMs) const;

    // Posts a command to the main window (WM_COMMAND, as from a menu).
    bool postCommand(int id) const;
    // The exit command answered with Yes; waits for the end of the process.
    bool exitWithYes(DWORD timeoutMs = DefaultTimeoutMs);
    // Ends the process however it can: exit command, else TerminateProcess;
    // then waits until its windows are gone. Safe to call repeatedly.
    void stop();

private:
    HANDLE process_ = nullptr;
    DWORD pid_ = 0;
};

}  // namespace e2e
