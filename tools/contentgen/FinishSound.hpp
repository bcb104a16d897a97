#pragma once

#include <cstdint>
#include <vector>

// The cue of a finished level: a rising chime of four bell notes, about a second, mono.
std::vector<int16_t> SynthesiseFinish();
