// A clipboard viewer window of the probe, in the viewer chain. The probe's
// own viewer sits behind the program under test, so the program passes each
// notice on to it only after its own work for that clipboard change is done;
// the notices it has received are counted. With readText set the viewer
// also reads the clipboard's text at each notice, the least any capture
// does: the reference against which the program's capture is timed.
//
// The window lives on the thread that creates it, which must pump messages
// (pump, waitForNotices) for notices to arrive. WM_CLOSE makes it leave the
// chain and ends its thread's message loop.
#pragma once

#include <windows.h>

#include <atomic>
#include <cstddef>
#include <vector>

class ChainViewer {
public:
    explicit ChainViewer(bool readText);
    ~ChainViewer();
    ChainViewer(const ChainViewer&) = delete;
    ChainViewer& operator=(const ChainViewer&) = delete;

    bool joined() const { return window_ != nullptr; }
    HWND window() const { return window_; }
    int notices() const { return notices_.load(); }
    // Leaves the chain (also done by the destructor).
    void leave();

    // Puts count UTF-16 units and a terminator on the clipboard as Unicode
    // text, owned by this window. False when the clipboard refused.
    bool write(const wchar_t* text, std::size_t count);
    // Puts the bytes alone on the clipboard under format (a packed DIB).
    bool writeBlock(UINT format, const std::vector<unsigned char>& bytes);

    // Handles this thread's messages until more than `after` notices have
    // arrived; false on timeout.
    bool waitForNotices(int after, DWORD timeoutMs);
    // Handles this thread's messages for ms milliseconds.
    void pump(DWORD ms);

private:
    static LRESULT CALLBACK proc(HWND window, UINT msg, WPARAM wParam, LPARAM lParam);
    LRESULT handle(UINT msg, WPARAM wParam, LPARAM lParam);
    void readClipboardText();

    bool readText_;
    HWND window_ = nullptr;
    HWND next_ = nullptr;
    std::atomic<int> notices_{0};
    std::vector<wchar_t> lastText_;
};
