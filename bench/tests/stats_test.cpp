// Medians and the per-round ratio of the benchmark's summaries.
#include <gtest/gtest.h>

#include "../run/Stats.h"

namespace {

TEST(Stats, MedianOfOddEvenAndNoValues) {
    struct Case {
        std::vector<double> values;
        double median;
    };
    const Case cases[] = {
        {{}, 0},
        {{3}, 3},
        {{9, 1, 5}, 5},
        {{4, 1, 3, 2}, 2.5},
        {{7, 7, 1, 100, 7, 2, 8}, 7},
    };
    for (const Case& c : cases) EXPECT_DOUBLE_EQ(c.median, Median(c.values));
}

TEST(Stats, MedianRatioPairsRoundsAndSkipsZeroDenominators) {
    // Each round's ratio counts, not the ratio of the medians: 1, 2, 3.
    EXPECT_DOUBLE_EQ(2, MedianRatio({10, 40, 90}, {10, 20, 30}));
    EXPECT_DOUBLE_EQ(2, MedianRatio({10, 40, 90, 5}, {10, 20, 30}));
    EXPECT_DOUBLE_EQ(4, MedianRatio({1, 8}, {0, 2}));
    EXPECT_DOUBLE_EQ(0, MedianRatio({1}, {0}));
    EXPECT_DOUBLE_EQ(0, MedianRatio({}, {}));
}

}  // namespace
