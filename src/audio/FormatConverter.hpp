#pragma once

#include <cstdint>
#include <memory>

#include <SDL_audio.h>

struct AudioStreamDeleter {
    void operator()(SDL_AudioStream* stream) const { SDL_FreeAudioStream(stream); }
};

// Converts interleaved float frames from one rate and channel count to another. Input goes in
// pieces of at most 1024 frames: the converter loses the tail of much larger puts.
class FormatConverter {
public:
    static constexpr int64_t maxPutFrames = 1024;

    FormatConverter(int fromChannels, int fromRate, int toChannels, int toRate);

    void Put(const float* frames, int64_t count);
    // No more input: makes the frames the resampler still holds back available.
    void Flush();
    // Takes up to `count` converted frames; returns how many came.
    int64_t Get(float* out, int64_t count);
    // Drops everything queued, to start again from a new position.
    void Clear();

    int fromChannels() const { return fromChannels_; }
    int toChannels() const { return toChannels_; }

private:
    int fromChannels_;
    int toChannels_;
    std::unique_ptr<SDL_AudioStream, AudioStreamDeleter> stream_;
};
