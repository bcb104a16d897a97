#include <gtest/gtest.h>

#include <ctime>
#include <limits>
#include <random>
#include <set>

#include "audio/RandomManager.hpp"

namespace {
constexpr uint32_t seed = 20240611;
}

TEST(RandomManager, DrawsTheStandardMersenneTwisterSequence) {
    RandomManager random(seed);
    std::mt19937 mirror(seed);
    // The full range takes lo + u; a range whose size is a power of two takes the top bits.
    for (int i = 0; i < 100; ++i) {
        ASSERT_EQ(random.UniformInt(std::numeric_limits<int32_t>::min(), std::numeric_limits<int32_t>::max()),
                  int32_t(uint32_t(std::numeric_limits<int32_t>::min()) + uint32_t(mirror())));
        ASSERT_EQ(random.UniformInt(0, 1), int32_t(mirror() >> 31));
        ASSERT_EQ(random.UniformInt(-128, 127), int32_t(mirror() >> 24) - 128);
        ASSERT_EQ(random.Bernoulli(0.25), double(mirror()) <= 0.25 * 4294967295.0);
    }
}

TEST(RandomManager, EmptyRangesAndZeroChancesDrawNothing) {
    RandomManager random(seed);
    std::mt19937 mirror(seed);
    EXPECT_EQ(random.UniformInt(5, 5), 5);
    EXPECT_EQ(random.UniformInt(-7, -7), -7);
    EXPECT_FALSE(random.Bernoulli(0.0));
    EXPECT_EQ(random.generator(), mirror());
}

TEST(RandomManager, UniformIntStaysInItsRangeAndReachesBothEnds) {
    RandomManager random(seed);
    for (const auto& [lo, hi] : {std::pair{0, 2}, std::pair{-3, 3}, std::pair{1000, 1006}}) {
        std::set<int32_t> seen;
        for (int i = 0; i < 5000; ++i) {
            const int32_t v = random.UniformInt(lo, hi);
            ASSERT_GE(v, lo);
            ASSERT_LE(v, hi);
            seen.insert(v);
        }
        EXPECT_EQ(seen.size(), size_t(hi - lo + 1)) << lo << ".." << hi;
    }
}

TEST(RandomManager, BernoulliOfOneIsAlwaysTrue) {
    RandomManager random(seed);
    for (int i = 0; i < 10000; ++i) ASSERT_TRUE(random.Bernoulli(1.0));
}

TEST(RandomManager, TheClockSeedIsTheCalendarSecond) {
    // Retried in the rare case that the second changes between the two readings.
    for (int attempt = 0; attempt < 3; ++attempt) {
        const std::time_t before = std::time(nullptr);
        RandomManager clockSeeded;
        if (std::time(nullptr) != before) continue;
        RandomManager sameSecond{uint32_t(before)};
        for (int i = 0; i < 10; ++i)
            ASSERT_EQ(clockSeeded.UniformInt(0, 1000), sameSecond.UniformInt(0, 1000));
        return;
    }
    GTEST_SKIP() << "the clock kept changing seconds";
}
