// The save that follows changes, on a real window's timer.
#include "ui/SaveSoon.h"

#include <gtest/gtest.h>

#include <functional>
#include <memory>
#include <string>

#include "TestStores.h"
#include "core/BackgroundSave.h"
#include "core/StoreSaver.h"
#include "core/UnicodeTextItem.h"
#include "MessagePump.h"

namespace {

constexpr UINT DelayMs = 60;

class CountingSaver : public StoreSaver {
public:
    int writeStores(MessageSink& messages) override {
        ++writes;
        if (!fail) return 0;
        messages.show("打开文件失败！", msgbox::Ok | msgbox::IconStop);
        return -4;
    }
    int writes = 0;
    bool fail = false;
};

// A message box runs a loop of its own: meanwhile the lists change and the
// timer keeps firing.
class LoopingMessages : public MessageSink {
public:
    int show(const std::string&, unsigned) override {
        ++shown;
        if (whileShown) whileShown();
        pumpFor(4 * DelayMs);
        return 1;
    }
    std::function<void()> whileShown;
    int shown = 0;
};

struct SaveSoonHarness : TestStores {
    SaveSoonHarness() {
        window = CreateWindowExW(0, L"STATIC", L"save soon", WS_POPUP, 0, 0, 10, 10, nullptr,
                                 nullptr, GetModuleHandleW(nullptr), nullptr);
        save.markSaved();
        soon.watch(window);
        active.setChangeListener(&soon);
    }
    ~SaveSoonHarness() {
        active.setChangeListener(nullptr);
        soon.watch(nullptr);
        if (IsWindow(window)) DestroyWindow(window);
    }
    void copy(const std::u16string& text) {
        active.add(std::make_unique<UnicodeTextItem>(text), 1);
        active.notifyObserver();
    }

    HWND window = nullptr;
    CountingSaver saver;
    LoopingMessages boxes;
    BackgroundSave save{favorites, active, saver, boxes};
    SaveSoon soon{save, DelayMs};
};

// A run of changes is saved once, after the last; without a window, or
// once it is gone, nothing is (the save at exit takes over).
TEST(SaveSoon, ARunOfChangesIsSavedOnceAfterTheLastAndOnlyWhileTheWindowLives) {
    SaveSoonHarness h;
    for (char16_t c = u'a'; c < u'f'; ++c) {
        h.copy(std::u16string(1, c));
        pumpFor(DelayMs / 3);
    }
    EXPECT_EQ(h.saver.writes, 0) << "saved while the changes kept coming";
    pumpFor(3 * DelayMs);
    EXPECT_EQ(h.saver.writes, 1);
    pumpFor(3 * DelayMs);
    EXPECT_EQ(h.saver.writes, 1);

    h.copy(u"window going");
    DestroyWindow(h.window);
    pumpFor(3 * DelayMs);
    EXPECT_EQ(h.saver.writes, 1);
    EXPECT_FALSE(h.soon.isHooked());
}

TEST(SaveSoon, AFailureShowsOneBoxAndNoSaveRunsInsideIt) {
    SaveSoonHarness h;
    h.saver.fail = true;
    h.boxes.whileShown = [&] { h.copy(u"copied while the box is up"); };
    h.copy(u"first");
    pumpFor(3 * DelayMs);
    EXPECT_EQ(h.boxes.shown, 1);
    // The change made inside the box was saved after it, silently.
    pumpFor(3 * DelayMs);
    EXPECT_EQ(h.saver.writes, 2);
    EXPECT_EQ(h.boxes.shown, 1);

    h.saver.fail = false;
    h.copy(u"next");
    pumpFor(3 * DelayMs);
    EXPECT_EQ(h.saver.writes, 3);
}

}  // namespace
