#include "core/ListMaximumChoice.h"

#include <gtest/gtest.h>

namespace {

TEST(ListMaximumChoiceTest, TenChoicesFromTenToAHundred) {
    const char* labels[] = {"10", "20", "30", "40", "50", "60", "70", "80", "90", "100"};
    for (int p = 0; p < 10; ++p) {
        EXPECT_EQ(labels[p], ListMaximumChoice::label(p));
        EXPECT_EQ(p, ListMaximumChoice::positionOf(10 * (p + 1)));
        EXPECT_EQ(10 * (p + 1), ListMaximumChoice::maximumAt(p, 55));
    }
    EXPECT_EQ("", ListMaximumChoice::label(10));
}

// A maximum written by hand that the lists lack selects nothing, and
// confirming with nothing selected keeps it (never 0).
TEST(ListMaximumChoiceTest, UnofferedMaximumSelectsNothingAndIsKept) {
    for (int maximum : {55, 5, 0, -10, 110, 1000}) {
        SCOPED_TRACE(maximum);
        EXPECT_EQ(-1, ListMaximumChoice::positionOf(maximum));
        EXPECT_EQ(maximum, ListMaximumChoice::maximumAt(-1, maximum));
    }
    EXPECT_EQ(55, ListMaximumChoice::maximumAt(10, 55));
}

}  // namespace
