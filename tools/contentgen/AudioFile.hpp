#pragma once

#include <cstdint>
#include <string>
#include <vector>

// Writes interleaved 16-bit samples at 44100 Hz as WAV or FLAC (chosen by `flac`).
// Throws std::runtime_error naming the file when it cannot be written.
void WriteAudio(const std::string& path, bool flac, int channels, const std::vector<int16_t>& samples);

// Float samples (nominal -1..1) to 16-bit, rounded; values beyond full scale are an error,
// since the mix is meant never to clip.
std::vector<int16_t> ToPcm16(const std::vector<float>& samples);
