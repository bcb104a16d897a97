#pragma once

#include <cstdint>
#include <span>

class AudioClip;

// What one channel plays. A channel whose clip is null is free.
struct Voice {
    AudioClip* clip = nullptr;
    float volume = 1.0f;
    bool paused = false;
    // Memory clips: next frame, repeats still to come, loop region (device frames).
    int64_t position = 0;
    int loopsLeft = 0;
    int64_t loopStart = 0;
    int64_t loopEnd = -1;
    uint32_t generation = 0;  // grows with each play, so stale channel handles miss
    uint64_t startOrder = 0;  // when all channels are busy the oldest play gives way
};

// The gains over every voice's own volume: the music (the one streamed clip) and the effects
// (clips held in memory) are turned up and down apart.
struct MixGains {
    float music = 1.0f;
    float effects = 1.0f;
};

// Starts `voice` on `clip` from its first frame with the clip's loop settings.
void StartVoice(Voice& voice, AudioClip& clip);

// Writes the sum of every playing, unpaused voice, each times its volume and its group's gain, over `frames`
// interleaved frames of `channels` samples in `out`. Voices that reach their end are freed.
// Returns how many streamed voices ran short of decoded frames (underruns).
int MixVoices(std::span<Voice> voices, float* out, int64_t frames, int channels, MixGains gains = {});
