#include "platform/FrameTimer.hpp"

#include <algorithm>
#include <chrono>
#include <limits>
#include <thread>

#include <SDL_timer.h>

#ifdef __EMSCRIPTEN__
#include <emscripten.h>
#endif

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
#ifdef __EMSCRIPTEN__
    // The page's own loop must run meanwhile, and a fraction of a millisecond would be a busy
    // wait: hand the browser whole milliseconds, rounded up.
    const int64_t perMs = std::max<int64_t>(frequency_ / 1000, 1);
    if (ticks > 0) emscripten_sleep(uint32_t(std::min<int64_t>((ticks + perMs - 1) / perMs, 1000)));
    return;
#endif
    const uint32_t ms = SleepMilliseconds(ticks, frequency_, resolutionMs);
    if (ms > 0 || ticks <= 0) return SDL_Delay(ms);
    // The last fraction of a millisecond before a step is due: a yield would return at once
    // and the loop would spin on it, so sleep that fraction instead.
    std::this_thread::sleep_for(std::chrono::nanoseconds(ticks * 1000000000 / frequency_));
}
