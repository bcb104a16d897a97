#include <gtest/gtest.h>

#include <limits>
#include <random>

#include "audio/RandomManager.hpp"

namespace {
constexpr uint32_t seed = 20240611;
}

TEST(RandomManager, DrawsTheStandardMersenneTwisterSequenceAndNothingForAnEmptyChoice) {
    RandomManager random(seed);
    std::mt19937 mirror(seed);
    EXPECT_TRUE(random.UniformInt(5, 5) == 5 && random.UniformInt(-7, -7) == -7 && !random.Bernoulli(0.0));
    constexpr int32_t lowest = std::numeric_limits<int32_t>::min(),
                      highest = std::numeric_limits<int32_t>::max();
    for (int i = 0; i < 300; ++i) {
        ASSERT_EQ(random.UniformInt(lowest, highest), int32_t(uint32_t(lowest) + uint32_t(mirror())));
        // A range whose size is a power of two takes the top bits.
        ASSERT_EQ(random.UniformInt(0, 1), int32_t(mirror() >> 31));
        ASSERT_EQ(random.UniformInt(-128, 127), int32_t(mirror() >> 24) - 128);
        // A range of three takes the third of 2^32 - 1 the draw falls in (the top draw alone,
        // which would give a fourth value, is drawn again).
        ASSERT_EQ(random.UniformInt(-1, 1), int32_t(uint32_t(mirror()) / 1431655765u) - 1);
        ASSERT_EQ(random.Bernoulli(0.25), double(mirror()) <= 0.25 * 4294967295.0);
        mirror();
        ASSERT_TRUE(random.Bernoulli(1.0));
    }
}
