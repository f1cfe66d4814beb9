// One save of both stores that nobody asked for: the save that follows
// changes. It writes only when the stores differ from what the file was
// last known to hold, and tells a failure once: the same failure again
// stays silent until a save succeeds.
#pragma once

#include "core/OnceMessageSink.h"
#include "core/PoolFingerprint.h"

class ItemStore;
class MessageSink;
class StoreSaver;

class BackgroundSave {
public:
    enum Result {
        Saved,      // written
        Unchanged,  // the file already holds the stores
        Failed,     // the saver failed (told once)
    };

    BackgroundSave(const ItemStore& favorites, const ItemStore& active, StoreSaver& saver,
                   MessageSink& messages);

    // The file holds the stores as they are now (read at start-up, or
    // written by another save).
    void markSaved();
    Result run();

private:
    const ItemStore& favorites_;
    const ItemStore& active_;
    StoreSaver& saver_;
    OnceMessageSink messages_;
    PoolFingerprint saved_;
};
