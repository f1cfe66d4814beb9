// When a list view catches up with captured copies. Rebuilding and painting
// a list costs far more than capturing a copy (a full list's paint alone
// outlasts the 20 ms between copies at 50 a second), so while copies keep
// coming the view waits: it refreshes once the copies have paused for the
// quiet time. A view that has waited the longest wait refreshes at the
// next copy that leaves room for it, one that came at least the room after
// the copy before; copies closer together than that are never held up by
// a refresh, however long they go on.
#pragma once

#include <cstdint>

class RefreshPacing {
public:
    static constexpr std::uint32_t DefaultQuietMs = 100;
    static constexpr std::uint32_t DefaultLongestWaitMs = 2000;
    static constexpr std::uint32_t DefaultRoomMs = 40;

    RefreshPacing(std::uint32_t quietMs = DefaultQuietMs,
                  std::uint32_t longestWaitMs = DefaultLongestWaitMs,
                  std::uint32_t roomMs = DefaultRoomMs)
        : quietMs_(quietMs), longestWaitMs_(longestWaitMs), roomMs_(roomMs) {}

    // A change at now (milliseconds of a steadily rising clock that may
    // wrap). True: refresh at once; false: refresh after the quiet time
    // unless another change comes first.
    bool changed(std::uint32_t now);
    // True while a change waits to be shown.
    bool pending() const { return pending_; }
    // The view shows every change again.
    void refreshed() { pending_ = false; }
    std::uint32_t quietMs() const { return quietMs_; }

private:
    std::uint32_t quietMs_;
    std::uint32_t longestWaitMs_;
    std::uint32_t roomMs_;
    bool pending_ = false;
    std::uint32_t firstPendingAt_ = 0;
    std::uint32_t lastChangeAt_ = 0;
};
