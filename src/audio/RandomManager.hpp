#pragma once

#include <cstdint>
#include <random>

// The process's one source of pseudo-random numbers: MT19937 with its published seeding, so
// that a seed gives the same draws as std::mt19937.
class RandomManager {
public:
    // Seeded with the calendar time in whole seconds since 1970, low 32 bits.
    RandomManager();
    explicit RandomManager(uint32_t seed);
    virtual ~RandomManager() = default;

    // Uniform over lo..hi inclusive (hi >= lo); rejects the uneven tail, so no bias.
    int32_t UniformInt(int32_t lo, int32_t hi);
    // True with probability p; p == 0 draws nothing.
    bool Bernoulli(double p);

    std::mt19937 generator;
};
