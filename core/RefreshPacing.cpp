#include "core/RefreshPacing.h"

bool RefreshPacing::changed(std::uint32_t now) {
    if (!pending_) {
        pending_ = true;
        firstPendingAt_ = now;
    }
    // Unsigned difference: right across a wrap of the clock.
    return now - firstPendingAt_ >= longestWaitMs_;
}
