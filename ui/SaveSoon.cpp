#include "ui/SaveSoon.h"

#include "core/BackgroundSave.h"

SaveSoon::SaveSoon(BackgroundSave& save, UINT delayMs) : save_(save), delayMs_(delayMs) {}

SaveSoon::~SaveSoon() { watch(nullptr); }

void SaveSoon::watch(HWND window) {
    if (isHooked()) {
        KillTimer(hookedWindow(), TimerId);
        unhook();
    }
    if (window != nullptr) hook(window);
}

void SaveSoon::storeChanged(ItemStore&) {
    if (isHooked()) schedule();
}

// Setting the timer again restarts its delay.
void SaveSoon::schedule() {
    SetTimer(hookedWindow(), TimerId, delayMs_, nullptr);
}

bool SaveSoon::onTimer(UINT_PTR id) {
    if (id != TimerId) return false;
    KillTimer(hookedWindow(), TimerId);
    if (saving_) {
        schedule();
    } else {
        saveNow();
    }
    return true;
}

void SaveSoon::saveNow() {
    saving_ = true;
    save_.run();
    saving_ = false;
}
