#include "platform/FrameTimer.hpp"

#include <limits>

#include <SDL_timer.h>

uint32_t SleepMilliseconds(int64_t ticks, int64_t frequency, uint32_t resolutionMs) {
    if (ticks <= 0 || frequency <= 0) return 0;
    if (resolutionMs == 0) resolutionMs = 1;
    // 64-bit signed and truncating; a count so large that ×1000 would overflow sleeps the most.
    constexpr int64_t limit = std::numeric_limits<int64_t>::max() / 1000;
    const int64_t ms = ticks > limit ? std::numeric_limits<int64_t>::max() / frequency
                                     : ticks * 1000 / frequency;
    const uint32_t whole = ms > int64_t(std::numeric_limits<uint32_t>::max())
                               ? std::numeric_limits<uint32_t>::max()
                               : uint32_t(ms);
    return whole / resolutionMs * resolutionMs;
}

int64_t FrameTimer::ReadFrequency() { return int64_t(SDL_GetPerformanceFrequency()); }

int64_t FrameTimer::Now() const { return int64_t(SDL_GetPerformanceCounter()); }

void FrameTimer::Sleep(int64_t ticks) const {
    // SDL_Delay(0) gives up the rest of the time slice, which is what the loop wants in the
    // last fraction of a millisecond before a step is due.
    SDL_Delay(SleepMilliseconds(ticks, frequency_, resolutionMs));
}
