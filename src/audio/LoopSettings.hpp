#pragma once

#include <cstdint>

// How a sound repeats, in the file's PCM sample frames.
struct LoopSettings {
    int count = 0;       // repeats after the first pass: 0 plays once, -1 without end
    int64_t start = 0;   // first frame of the loop region
    int64_t end = -1;    // last frame of the loop region (inclusive); -1: the file's last frame
};
