#include "audio/RandomManager.hpp"

#include <ctime>

RandomManager::RandomManager() : generator(static_cast<uint32_t>(std::time(nullptr))) {}

RandomManager::RandomManager(uint32_t seed) : generator(seed) {}

int32_t RandomManager::UniformInt(int32_t lo, int32_t hi) {
    const uint32_t r = uint32_t(hi) - uint32_t(lo);
    if (r == 0) return lo;
    if (r == 0xFFFFFFFFu) return int32_t(uint32_t(lo) + uint32_t(generator()));
    uint32_t bucket = 0xFFFFFFFFu / (r + 1);
    if (0xFFFFFFFFu % (r + 1) == r) bucket += 1;  // r + 1 divides 2^32
    uint32_t v;
    do {
        v = uint32_t(generator()) / bucket;
    } while (v > r);
    return int32_t(uint32_t(lo) + v);
}

bool RandomManager::Bernoulli(double p) {
    if (p == 0.0) return false;
    return double(uint32_t(generator())) <= p * 4294967295.0;
}
