#include "audio/FormatConverter.hpp"

#include <algorithm>
#include <stdexcept>
#include <string>

#include <SDL_error.h>

FormatConverter::FormatConverter(int fromChannels, int fromRate, int toChannels, int toRate)
    : fromChannels_(fromChannels),
      toChannels_(toChannels),
      stream_(SDL_NewAudioStream(AUDIO_F32SYS, Uint8(fromChannels), fromRate, AUDIO_F32SYS,
                                 Uint8(toChannels), toRate)) {
    if (!stream_) throw std::runtime_error(std::string("cannot convert audio: ") + SDL_GetError());
}

void FormatConverter::Put(const float* frames, int64_t count) {
    while (count > 0) {
        const int64_t n = std::min(count, maxPutFrames);
        SDL_AudioStreamPut(stream_.get(), frames, int(n * fromChannels_ * sizeof(float)));
        frames += n * fromChannels_;
        count -= n;
    }
}

void FormatConverter::Flush() { SDL_AudioStreamFlush(stream_.get()); }

int64_t FormatConverter::Get(float* out, int64_t count) {
    const int64_t frameBytes = int64_t(toChannels_ * sizeof(float));
    const int got = SDL_AudioStreamGet(stream_.get(), out, int(count * frameBytes));
    return got > 0 ? got / frameBytes : 0;
}

void FormatConverter::Clear() { SDL_AudioStreamClear(stream_.get()); }
