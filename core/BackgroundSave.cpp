#include "core/BackgroundSave.h"

#include "core/ItemStore.h"
#include "core/StoreSaver.h"

BackgroundSave::BackgroundSave(const ItemStore& favorites, const ItemStore& active,
                               StoreSaver& saver, MessageSink& messages)
    : favorites_(favorites), active_(active), saver_(saver), messages_(messages) {}

void BackgroundSave::markSaved() { saved_ = PoolFingerprint::of(favorites_, active_); }

BackgroundSave::Result BackgroundSave::run() {
    const PoolFingerprint now = PoolFingerprint::of(favorites_, active_);
    if (now == saved_) return Unchanged;
    if (saver_.writeStores(messages_) != 0) return Failed;
    saved_ = now;
    messages_.rearm();
    return Saved;
}
