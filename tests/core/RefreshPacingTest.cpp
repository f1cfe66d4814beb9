#include <gtest/gtest.h>

#include <cstdint>
#include <vector>

#include "core/RefreshPacing.h"

namespace {

std::vector<std::uint32_t> steady(std::uint32_t apartMs, std::uint32_t untilMs) {
    std::vector<std::uint32_t> times;
    for (std::uint32_t at = 0; at <= untilMs; at += apartMs) times.push_back(at);
    return times;
}

// A view that waits 100 ms of quiet, and after 2000 ms refreshes at the
// first copy that came 40 ms or more after the one before.
TEST(RefreshPacing, WaitsForQuietAndAfterTheLongestWaitForRoomBetweenCopies) {
    struct Case {
        const char* what;
        std::vector<std::uint32_t> changes;  // times of the changes, in order
        bool refreshAtOnce;                  // the answer to the last one
    };
    const Case cases[] = {
        {"a single change waits for quiet", {5000}, false},
        {"changes 10 ms apart within the longest wait", {0, 10, 20, 1990}, false},
        {"2000 ms after the first, 50 ms after the last", {0, 10, 1950, 2000}, true},
        {"2000 ms after the first, 10 ms after the last", {0, 10, 1990, 2000}, false},
        {"long past the longest wait", {0, 7000}, true},
        {"copies 20 ms apart for ten seconds", steady(20, 10000), false},
        {"copies 50 ms apart, at two seconds", steady(50, 2000), true},
        {"across the wrap of the clock", {0xFFFFFF00u, 0x00000010u}, false},
        {"across the wrap, 2000 ms later", {0xFFFFFF00u, 0x000006D0u}, true},
    };
    for (const Case& c : cases) {
        RefreshPacing pacing(100, 2000, 40);
        bool atOnce = false;
        for (std::uint32_t at : c.changes) atOnce = pacing.changed(at);
        EXPECT_EQ(atOnce, c.refreshAtOnce) << c.what;
        EXPECT_TRUE(pacing.pending()) << c.what;
    }
}

TEST(RefreshPacing, ARefreshStartsTheLongestWaitAgain) {
    RefreshPacing pacing(100, 2000, 40);
    EXPECT_FALSE(pacing.pending());
    EXPECT_FALSE(pacing.changed(0));
    EXPECT_TRUE(pacing.changed(2500));
    pacing.refreshed();
    EXPECT_FALSE(pacing.pending());
    EXPECT_FALSE(pacing.changed(2600)) << "the wait counts from the first change after a refresh";
    EXPECT_FALSE(pacing.changed(4590));
    EXPECT_FALSE(pacing.changed(4610)) << "no room after the copy before";
    EXPECT_TRUE(pacing.changed(4650));
    EXPECT_EQ(pacing.quietMs(), 100u);
}

}  // namespace
