#include <gtest/gtest.h>

#include "core/FrameTimer.hpp"

namespace {

constexpr int64_t nanoseconds = 1000000000;  // SDL's counter frequency on Linux

TEST(SleepMilliseconds, RoundsDownToTheTimerResolution) {
    EXPECT_EQ(SleepMilliseconds(16400000, nanoseconds, 1), 16u);  // 16.4 ms at 1 ms
    EXPECT_EQ(SleepMilliseconds(12000000, nanoseconds, 5), 10u);  // 12 ms at 5 ms
    EXPECT_EQ(SleepMilliseconds(15000000, nanoseconds, 5), 15u);  // a whole multiple stays
    EXPECT_EQ(SleepMilliseconds(4999999, nanoseconds, 5), 0u);    // under one period: a yield
    EXPECT_EQ(SleepMilliseconds(999999, nanoseconds, 1), 0u);
}

TEST(SleepMilliseconds, TruncatesTicksToWholeMilliseconds) {
    // 10000 ticks per 1/60 s: 16.666 ms.
    EXPECT_EQ(SleepMilliseconds(10000, 600000, 1), 16u);
    EXPECT_EQ(SleepMilliseconds(599, 600000, 1), 0u);
    EXPECT_EQ(SleepMilliseconds(600, 600000, 1), 1u);
}

TEST(SleepMilliseconds, NeverSleepsForANegativeOrHugeCount) {
    EXPECT_EQ(SleepMilliseconds(-16000000, nanoseconds, 1), 0u);
    EXPECT_EQ(SleepMilliseconds(0, nanoseconds, 1), 0u);
    EXPECT_EQ(SleepMilliseconds(INT64_MAX, 1000, 1), UINT32_MAX);  // clamped, not wrapped
    EXPECT_EQ(SleepMilliseconds(5000000, nanoseconds, 0), 5u);    // resolution at least 1 ms
}

}  // namespace
