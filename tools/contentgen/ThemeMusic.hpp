#pragma once

#include <cstdint>
#include <vector>

// The maze theme: an introduction played once and a loop region of whole bars.
struct ThemeTrack {
    std::vector<int16_t> samples;  // interleaved stereo, 44100 Hz
    int64_t loopStart;             // first frame of the loop region
    int64_t loopEnd;               // last frame of the loop region (inclusive)
};

// The loop region is taken from the second of two rendered passes, so the reverb and decay
// of its last bar already sound in its first bar: the frame after loopEnd continues into
// loopStart as it would in one continuous performance.
ThemeTrack ComposeTheme();
