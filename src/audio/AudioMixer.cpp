#include "audio/AudioMixer.hpp"

#include <algorithm>

#include "audio/AudioClip.hpp"

namespace {

void AddScaled(float* out, const float* in, int64_t samples, float volume) {
    for (int64_t i = 0; i < samples; ++i) out[i] += in[i] * volume;
}

void MixMemory(Voice& v, float* out, int64_t frames, int channels, float volume) {
    const AudioClip& clip = *v.clip;
    const int64_t lastFrame = clip.frames() - 1;
    int64_t done = 0;
    while (done < frames) {
        const int64_t segmentEnd = v.loopsLeft != 0 ? v.loopEnd : lastFrame;
        if (v.position > segmentEnd) {
            if (v.loopsLeft != 0 && v.loopStart <= v.loopEnd) {
                v.position = v.loopStart;
                if (v.loopsLeft > 0) --v.loopsLeft;
                continue;
            }
            v.clip = nullptr;
            return;
        }
        const int64_t n = std::min(frames - done, segmentEnd - v.position + 1);
        AddScaled(out + done * channels, clip.samples().data() + v.position * channels,
                  n * channels, volume);
        v.position += n;
        done += n;
    }
}

// Returns true when the stream had fewer frames ready than asked for.
bool MixStream(Voice& v, float* out, int64_t frames, int channels, float volume) {
    StreamDecoder& stream = *v.clip->stream();
    constexpr int64_t blockFrames = 256;
    float block[blockFrames * 8];
    const int64_t perBlock = std::min<int64_t>(blockFrames, blockFrames * 8 / channels);
    int64_t done = 0;
    while (done < frames) {
        const int64_t want = std::min(perBlock, frames - done);
        const int64_t got = stream.Read(block, want);
        AddScaled(out + done * channels, block, got * channels, volume);
        done += got;
        if (got < want) break;
    }
    if (done == frames) return false;
    if (stream.Drained()) {
        v.clip = nullptr;
        return false;
    }
    return true;
}

}  // namespace

void StartVoice(Voice& voice, AudioClip& clip) {
    voice.clip = &clip;
    voice.volume = 1.0f;
    voice.paused = false;
    voice.position = 0;
    voice.loopsLeft = clip.loop().count;
    voice.loopStart = clip.DeviceLoopStart();
    voice.loopEnd = clip.DeviceLoopEnd();
    ++voice.generation;
}

int MixVoices(std::span<Voice> voices, float* out, int64_t frames, int channels, MixGains gains) {
    std::fill(out, out + frames * channels, 0.0f);
    int underruns = 0;
    for (Voice& v : voices) {
        if (!v.clip || v.paused) continue;
        if (v.clip->streamed()) {
            // A silent stream still advances, so the music goes on where it would be.
            if (MixStream(v, out, frames, channels, v.volume * gains.music)) ++underruns;
        } else if (v.clip->channels() == channels) {
            MixMemory(v, out, frames, channels, v.volume * gains.effects);
        }
    }
    return underruns;
}
