// Saves both lists about two seconds after their last change, so a program
// that is killed, or a machine that loses power, costs at most the last
// few seconds of history. A timer on the main window starts again with
// each change: a run of changes is saved once, after it. Everything runs
// on the user-interface thread; the save itself is a BackgroundSave.
#pragma once

#include <windows.h>

#include "core/StoreChangeListener.h"
#include "ui/framework/MessageHook.h"

class BackgroundSave;

class SaveSoon : public MessageHook, public StoreChangeListener {
public:
    static constexpr UINT_PTR TimerId = 125;
    static constexpr UINT DefaultDelayMs = 2000;

    explicit SaveSoon(BackgroundSave& save, UINT delayMs = DefaultDelayMs);
    ~SaveSoon() override;

    // Keeps its timer on window; null stops (a save still due is left to
    // the save at exit).
    void watch(HWND window);
    void storeChanged(ItemStore& store) override;

protected:
    bool onTimer(UINT_PTR id) override;

private:
    void schedule();
    void saveNow();

    BackgroundSave& save_;
    UINT delayMs_;
    // A failure's message box runs a loop in which the timer may fire again.
    bool saving_ = false;
};
