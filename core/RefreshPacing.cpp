#include "core/RefreshPacing.h"

bool RefreshPacing::changed(std::uint32_t now) {
    // Unsigned differences: right across a wrap of the clock.
    const bool leavesRoom = !pending_ || now - lastChangeAt_ >= roomMs_;
    if (!pending_) {
        pending_ = true;
        firstPendingAt_ = now;
    }
    lastChangeAt_ = now;
    return leavesRoom && now - firstPendingAt_ >= longestWaitMs_;
}
