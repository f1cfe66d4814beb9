// When a list view catches up with captured copies. Rebuilding and painting
// a list costs far more than capturing a copy, so while copies keep coming
// the view waits: it refreshes once the copies have paused for the quiet
// time, or at the latest when the oldest change it does not show yet has
// waited the longest wait.
#pragma once

#include <cstdint>

class RefreshPacing {
public:
    static constexpr std::uint32_t DefaultQuietMs = 100;
    static constexpr std::uint32_t DefaultLongestWaitMs = 2000;

    RefreshPacing(std::uint32_t quietMs = DefaultQuietMs,
                  std::uint32_t longestWaitMs = DefaultLongestWaitMs)
        : quietMs_(quietMs), longestWaitMs_(longestWaitMs) {}

    // A change at now (milliseconds of a steadily rising clock that may
    // wrap). True: refresh at once, the longest wait is over; false: refresh
    // after the quiet time unless another change comes first.
    bool changed(std::uint32_t now);
    // True while a change waits to be shown.
    bool pending() const { return pending_; }
    // The view shows every change again.
    void refreshed() { pending_ = false; }
    std::uint32_t quietMs() const { return quietMs_; }

private:
    std::uint32_t quietMs_;
    std::uint32_t longestWaitMs_;
    bool pending_ = false;
    std::uint32_t firstPendingAt_ = 0;
};
