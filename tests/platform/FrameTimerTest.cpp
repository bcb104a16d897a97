#include <gtest/gtest.h>

#include "platform/FrameTimer.hpp"

TEST(SleepMilliseconds, RoundsDownToWholeTimerPeriodsAndNeverWraps) {
    constexpr int64_t ns = 1000000000;  // SDL's counter frequency on Linux
    const struct {
        int64_t ticks, frequency;
        uint32_t resolution, expected;
    } cases[] = {
        {16400000, ns, 1, 16}, {12000000, ns, 5, 10},  {15000000, ns, 5, 15},
        {4999999, ns, 5, 0},   {10000, 600000, 1, 16}, {599, 600000, 1, 0},
        {600, 600000, 1, 1},   {-16000000, ns, 1, 0},  {INT64_MAX, 1000, 1, UINT32_MAX},
        {5000000, ns, 0, 5},  // resolution at least 1 ms
    };
    for (const auto& c : cases) {
        EXPECT_EQ(SleepMilliseconds(c.ticks, c.frequency, c.resolution), c.expected)
            << c.ticks << " ticks at " << c.frequency << " Hz, " << c.resolution << " ms";
    }
}

TEST(FrameTimer, TheLastFractionOfAMillisecondIsSleptNotSpunAway) {
    const FrameTimer timer;
    const int64_t fraction = timer.Frequency() * 6 / 10000;  // 0.6 ms: no whole millisecond
    const int64_t start = timer.Now();
    timer.Sleep(fraction);
    EXPECT_GE(timer.Now() - start, fraction);  // a yield would be back at once
}
