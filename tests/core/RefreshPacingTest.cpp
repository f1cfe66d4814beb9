#include <gtest/gtest.h>

#include <cstdint>
#include <vector>

#include "core/RefreshPacing.h"

namespace {

// A view that waits 100 ms of quiet and at most 2000 ms for changes.
TEST(RefreshPacing, WaitsForQuietButNeverLongerThanTheLongestWait) {
    struct Case {
        const char* what;
        std::vector<std::uint32_t> changes;  // times of the changes, in order
        bool refreshAtOnce;                  // the answer to the last one
    };
    const Case cases[] = {
        {"a single change waits for quiet", {5000}, false},
        {"changes 10 ms apart within the longest wait", {0, 10, 20, 1990}, false},
        {"the change that finds the first one 2000 ms old", {0, 10, 2000}, true},
        {"long past the longest wait", {0, 7000}, true},
        {"across the wrap of the clock", {0xFFFFFF00u, 0x00000010u}, false},
        {"across the wrap, 2000 ms later", {0xFFFFFF00u, 0x000006D0u}, true},
    };
    for (const Case& c : cases) {
        RefreshPacing pacing(100, 2000);
        bool atOnce = false;
        for (std::uint32_t at : c.changes) atOnce = pacing.changed(at);
        EXPECT_EQ(atOnce, c.refreshAtOnce) << c.what;
        EXPECT_TRUE(pacing.pending()) << c.what;
    }
}

TEST(RefreshPacing, ARefreshStartsTheLongestWaitAgain) {
    RefreshPacing pacing(100, 2000);
    EXPECT_FALSE(pacing.pending());
    EXPECT_FALSE(pacing.changed(0));
    EXPECT_TRUE(pacing.changed(2500));
    pacing.refreshed();
    EXPECT_FALSE(pacing.pending());
    EXPECT_FALSE(pacing.changed(2600)) << "the wait counts from the first change after a refresh";
    EXPECT_FALSE(pacing.changed(4599));
    EXPECT_TRUE(pacing.changed(4600));
    EXPECT_EQ(pacing.quietMs(), 100u);
}

}  // namespace
