#pragma once

#include <cstdint>

// Which layers one play of a cue starts.
enum class LayerMode : int32_t {
    Randomized = 0,   // one, drawn anew each play
    Sequential = 1,   // one, the next in turn
    Simultaneous = 2, // all together
};
