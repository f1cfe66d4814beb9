// What one captured copy costs on the program's way from the clipboard
// notice to the refreshed list, step by step, with the active list full at
// 100 items: reading the clipboard, making the item (its digest), adding it
// to the store, rebuilding the list's rows, and painting the whole list.
// Last, the whole way as the clipboard viewer takes it for a real copy.
// Then a screenshot (a packed DIB of 1920 x 1080 at 32 bits) read from the
// clipboard into an image item, against the MD5 of its bytes alone.
// Prints milliseconds per step; it checks nothing.
#include <windows.h>
#include <commctrl.h>
#include <ole2.h>

#include <algorithm>
#include <cstring>
#include <cstdio>
#include <functional>
#include <string>
#include <vector>

#include "ListHarness.h"
#include "capture/ClipContentReader.h"
#include "capture/ClipTextReader.h"
#include "capture/ClipboardViewer.h"
#include "core/Md5.h"
#include "core/win32/Handles.h"
#include "shared/ClipboardText.h"

namespace {

constexpr int ListSize = 100;

double nowMs() {
    LARGE_INTEGER frequency;
    LARGE_INTEGER now;
    QueryPerformanceFrequency(&frequency);
    QueryPerformanceCounter(&now);
    return static_cast<double>(now.QuadPart) * 1000.0 / static_cast<double>(frequency.QuadPart);
}

void pump() {
    MSG msg;
    while (PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) {
        TranslateMessage(&msg);
        DispatchMessageW(&msg);
    }
}

std::u16string sampleText(int n) {
    const std::string ascii = " copied line of about forty characters #" + std::to_string(n);
    return u"剪贴板文本" + std::u16string(ascii.begin(), ascii.end());
}

bool putOnClipboard(HWND owner, const std::u16string& text) {
    if (!OpenClipboard(owner)) return false;
    const bool set = setClipboardUnicodeText(reinterpret_cast<const wchar_t*>(text.c_str()), text.size());
    CloseClipboard();
    return set;
}

// Median and mean of runs of step, in milliseconds.
void measure(const char* name, int runs, const std::function<void(int)>& step) {
    std::vector<double> times;
    for (int i = 0; i < runs; ++i) {
        const double start = nowMs();
        step(i);
        times.push_back(nowMs() - start);
    }
    std::sort(times.begin(), times.end());
    double total = 0;
    for (double t : times) total += t;
    std::printf("%-44s median %8.3f ms  mean %8.3f ms  (%d runs)\n", name,
                times[times.size() / 2], total / runs, runs);
}

// A screenshot as the system offers it: a packed DIB of 1920 x 1080 at 32
// bits a pixel, bottom-up, with some variety in its pixels.
std::vector<unsigned char> screenshotDib() {
    const std::uint32_t width = 1920, height = 1080, pixels = width * height * 4;
    std::vector<unsigned char> dib(40 + pixels);
    const std::uint32_t fields[] = {40, width, height, 1 | 32 << 16, 0, pixels, 0, 0, 0, 0};
    std::memcpy(dib.data(), fields, sizeof fields);
    for (std::uint32_t i = 0; i < pixels; ++i) dib[40 + i] = static_cast<unsigned char>(i * 7 / 5);
    return dib;
}

bool putDibOnClipboard(HWND owner, const std::vector<unsigned char>& dib) {
    GlobalMemory block(GlobalAlloc(GMEM_MOVEABLE, dib.size()));
    if (!block) return false;
    {
        GlobalLockView view(block.get());
        if (!view || view.size() < dib.size()) return false;
        std::memcpy(view.data(), dib.data(), dib.size());
    }
    if (!OpenClipboard(owner)) return false;
    EmptyClipboard();
    const bool set = SetClipboardData(CF_DIB, block.get()) != nullptr;
    if (set) block.release();
    CloseClipboard();
    return set;
}

void measureScreenshot(HWND owner) {
    const std::vector<unsigned char> dib = screenshotDib();
    if (!putDibOnClipboard(owner, dib)) {
        std::printf("error: the screenshot was not put on the clipboard\n");
        return;
    }
    measure("screenshot 1920x1080 read into an image item", 20, [&](int) {
        std::unique_ptr<ClipItem> item = ClipContentReader().read();
        if (!item) std::printf("error: no image item\n");
    });
    measure("screenshot 1920x1080: the clipboard's block alone", 20, [&](int) {
        if (!OpenClipboard(nullptr)) return;
        GlobalLockView block(static_cast<HGLOBAL>(GetClipboardData(CF_DIB)));
        if (!block || block.size() < dib.size()) std::printf("error: no block\n");
        CloseClipboard();
    });
    measure("screenshot 1920x1080: MD5 of its bytes alone", 20, [&](int) {
        MD5_CTX context;
        unsigned char digest[16];
        MD5Init(&context);
        MD5Update(&context, dib.data(), static_cast<std::uint32_t>(dib.size()));
        MD5Final(digest, &context);
    });
}

}  // namespace

int main() {
    INITCOMMONCONTROLSEX controls{sizeof(INITCOMMONCONTROLSEX),
                                  ICC_WIN95_CLASSES | ICC_LISTVIEW_CLASSES};
    InitCommonControlsEx(&controls);
    OleInitialize(nullptr);
    {
        listharness::ListHarness lists;
        lists.settings.MaxActiveItemNum(ListSize);
        for (int n = 0; n < ListSize; ++n) {
            lists.active.add(std::make_unique<UnicodeTextItem>(sampleText(n)), 0);
        }
        lists.active.notifyObserver();
        pump();
        int next = ListSize;

        putOnClipboard(lists.top, sampleText(0));
        pump();
        measure("clipboard read (OleGetClipboard, ReadText)", 200, [&](int) {
            ComPtr<IDataObject> data;
            if (SUCCEEDED(OleGetClipboard(data.receive())) && data) {
                ClipTextReader().ReadText(data.get());
            }
        });
        measure("item with its digest (40 characters)", 2000,
                [&](int i) { UnicodeTextItem item(sampleText(i)); });
        measure("store add, list full", 2000, [&](int) {
            lists.active.add(std::make_unique<UnicodeTextItem>(sampleText(next++)), 1);
        });
        measure("list rebuild from the store (refresh)", 50,
                [&](int) { lists.activeList.refresh(); });
        measure("paint of the whole list", 50, [&](int) {
            RedrawWindow(lists.activeList.hwnd(), nullptr, nullptr,
                         RDW_INVALIDATE | RDW_ERASE | RDW_UPDATENOW | RDW_ALLCHILDREN);
        });

        // The whole way: a real copy, its notice, the viewer's capture and
        // the list's refresh, until the list shows the text at the top.
        ClipboardViewer viewer(lists.active, lists.settings);
        viewer.join(lists.top);
        pump();
        measure("copy to stored item, through the viewer", 100, [&](int) {
            const std::u16string text = sampleText(next++);
            putOnClipboard(lists.top, text);
            const double giveUp = nowMs() + 2000;
            for (;;) {
                pump();
                const ClipItem* top = lists.active.itemAt(0);
                if (top != nullptr && top->byteLength() == static_cast<int>(text.size() * 2) &&
                    std::memcmp(top->text(), text.data(), text.size() * 2) == 0) {
                    break;
                }
                if (nowMs() > giveUp) break;
                Sleep(0);
            }
            UpdateWindow(lists.top);
        });
        viewer.leave();
        measureScreenshot(lists.top);
    }
    OleUninitialize();
    return 0;
}
