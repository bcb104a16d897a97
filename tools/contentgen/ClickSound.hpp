#pragma once

#include <cstdint>
#include <vector>

// A short, soft tick for the editor, mono 44100 Hz. Variants 0..3 differ a little in pitch,
// brightness and decay so that repeated clicks do not sound mechanical.
std::vector<int16_t> SynthesiseClick(int variant);
