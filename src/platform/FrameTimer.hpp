#pragma once

#include <cstdint>

// The milliseconds to sleep for `ticks` of a counter running at `frequency` ticks per second:
// truncated to whole milliseconds, then rounded down to a multiple of the timer resolution
// (`resolutionMs`, at least 1), so that the sleep never ends after the moment asked for.
// Nothing (0, a plain yield) for a count that is not positive.
uint32_t SleepMilliseconds(int64_t ticks, int64_t frequency, uint32_t resolutionMs);

// SDL's high-resolution counter and a millisecond sleep at a resolution of 1 ms.
class FrameTimer {
public:
    static constexpr uint32_t resolutionMs = 1;

    int64_t Now() const;
    int64_t Frequency() const { return frequency_; }
    void Sleep(int64_t ticks) const;

private:
    int64_t frequency_ = ReadFrequency();
    static int64_t ReadFrequency();
};
