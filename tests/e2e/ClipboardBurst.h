// A program on the desktop that copies texts as fast as a script would:
// each text is put on the clipboard as Unicode text by a window of its own,
// and between two writes the writer keeps handling its messages (Wine tells
// the clipboard viewers about a write only once the writer does), waiting
// until the next write is due. Runs on a thread of its own.
#pragma once

#include <windows.h>

#include <string>
#include <vector>

namespace e2e {

class ClipboardBurst {
public:
    // The texts "<prefix><n>" for n = 1..count.
    static std::vector<std::wstring> numberedTexts(const std::wstring& prefix, int count);

    // Writes every text, each started 1/perSecond of a second after the one
    // before (0: as fast as it can),
    // with a pause of pauseMs after every group of groupSize texts (0: no
    // pauses). Returns once all are written; false when the clipboard could
    // not be opened for one of them.
    static bool write(const std::vector<std::wstring>& texts, int perSecond, int groupSize = 0,
                      int pauseMs = 0);

    // Writes the texts on a thread of its own; finish() waits for it.
    ClipboardBurst(const std::vector<std::wstring>& texts, int perSecond, int groupSize = 0,
                   int pauseMs = 0);
    ~ClipboardBurst();
    ClipboardBurst(const ClipboardBurst&) = delete;
    ClipboardBurst& operator=(const ClipboardBurst&) = delete;
    // True when every text was written.
    bool finish();

private:
    static DWORD WINAPI threadMain(void* self);

    std::vector<std::wstring> texts_;
    int perSecond_;
    int groupSize_;
    int pauseMs_;
    bool written_ = false;
    HANDLE thread_ = nullptr;
};

}  // namespace e2e
