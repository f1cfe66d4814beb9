// Another program on the same desktop as the program under test, living on
// a thread of the test process with its own windows and message loop (it
// must keep handling messages: the program sends it clipboard notices and
// Wine delivers clipboard notices only to writers that handle messages):
// paste targets that record the keys they see, clipboard viewers that count
// the notices they get, and clipboard writes. Plus the X tools (xclip,
// xdotool) run as Unix commands.
#pragma once

#include <windows.h>

#include <atomic>
#include <functional>
#include <memory>
#include <mutex>
#include <string>
#include <thread>
#include <vector>

namespace e2e {

struct KeySeen {
    unsigned virtualKey;
    unsigned scanCode;
    bool extended;
    bool up;
    bool operator==(const KeySeen& o) const {
        return virtualKey == o.virtualKey && scanCode == o.scanCode && extended == o.extended &&
               up == o.up;
    }
};

class DesktopPeer {
public:
    DesktopPeer();
    ~DesktopPeer();
    DesktopPeer(const DesktopPeer&) = delete;
    DesktopPeer& operator=(const DesktopPeer&) = delete;

    // Runs fn on the peer's thread; returns once it has run.
    void run(const std::function<void()>& fn);

    // A top-level window of this class at x, y with a multi-line edit that
    // keeps the focus. Its title (see targetTitle) is unique.
    HWND openTarget(const wchar_t* className, int x, int y);
    // Destroys the target and unregisters its class (class names are
    // case-insensitive: "putty" is "PuTTY" while that is registered).
    void closeTarget(HWND target);
    std::wstring editText(HWND target);
    // Brings the target to the front and gives it the X focus.
    bool focusTarget(HWND target);
    // Real key presses in the target (xdotool key names, e.g. "ctrl+d").
    bool pressKeys(HWND target, const std::string& keys);
    // Key messages that reached target or its edit, in order.
    std::vector<KeySeen> keysSeen(HWND target);

    // A clipboard viewer of its own, at the head of the chain; it passes
    // every notice on. Index for the functions below.
    int joinChain();
    void leaveChain(int viewer);
    int notices(int viewer) const;
    // Waits (pumping nothing: the peer thread pumps) for the count.
    bool waitForNotices(int viewer, int count) const;
    // Waits for a notice at which the clipboard held this text.
    bool waitForNoticeOf(int viewer, const std::wstring& text) const;

    // Clipboard content written by this program: Unicode text, 8-bit text
    // alone, a bitmap alone.
    void putUnicodeText(const std::wstring& text);
    void putAnsiText(const std::string& bytes);
    void putBitmapOnly();
    // A block of one format alone (CF_DIB, CF_HDROP).
    void putBlock(UINT format, const std::vector<unsigned char>& bytes);
    // Unicode text together with a block of a registered format (the marks
    // by which a writer keeps its content from clipboard managers).
    void putUnicodeTextMarked(const std::wstring& text, const wchar_t* formatName,
                              const std::vector<unsigned char>& mark);
    // The same for a bitmap alone (empty text) with the mark.
    void putBitmapMarked(const wchar_t* formatName, const std::vector<unsigned char>& mark);

private:
    struct Viewer;
    static LRESULT CALLBACK viewerProc(HWND, UINT, WPARAM, LPARAM);
    static LRESULT CALLBACK targetProc(HWND, UINT, WPARAM, LPARAM);
    static LRESULT CALLBACK runProc(HWND, UINT, WPARAM, LPARAM);
    void loop();
    void record(const MSG& msg);
    void writeClipboard(UINT format, HANDLE data);
    void writeBlock(UINT format, const void* bytes, std::size_t size);

    std::thread thread_;
    HWND runner_ = nullptr;
    std::vector<std::unique_ptr<Viewer>> viewers_;
    std::vector<HWND> targets_;
    std::mutex keysLock_;
    std::vector<std::pair<HWND, KeySeen>> keys_;
};

// Runs a Unix command line through /bin/sh and waits until it has ended;
// false when it did not end in time. Use single quotes inside.
bool runUnix(const std::string& command, DWORD timeoutMs = 60000);
// Offers the text on the X clipboard through xclip, which ends once the
// text has been read.
bool copyWithXclip(const std::wstring& text);
// A name part no other run on this machine shares: Wine numbers its
// processes anew in every prefix, so two runs side by side (or one after a
// run that left something behind) have the same process ids.
std::string runToken();
// The same for bytes offered as the given X target (image/bmp, text/uri-list).
bool copyWithXclip(const std::vector<unsigned char>& bytes, const std::string& target);
// A file path under /tmp, for Unix commands and for this program.
std::string unixTempPath(const std::string& name);
std::wstring windowsPathOf(const std::string& unixPath);

}  // namespace e2e
