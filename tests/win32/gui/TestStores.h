// The two real stores the windows show, with their settings record and the
// recording doubles of the message box and the clipboard.
#pragma once

#include "core/Fakes.h"
#include "core/ItemStore.h"
#include "storage/Settings.h"

struct TestStores {
    Settings settings;
    RecordingMessages messages;
    FakeClipboard clipboard;
    ItemStore active{0, settings, messages};
    ItemStore favorites{1, settings, messages};
};
