#pragma once

#include <atomic>
#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include <SDL_audio.h>

#include "audio/AudioClip.hpp"
#include "audio/AudioMixer.hpp"

// Whether a system plays to the sound device, or only decodes (a content check).
enum class AudioOutput : uint8_t { Device, None };

// A play on one channel. Stays valid until that channel plays something else; calls on a
// stale or empty handle do nothing.
struct ChannelId {
    int index = -1;
    uint32_t generation = 0;
};

// The sound layer: an output device, a fixed number of channels mixed in the device's
// callback, and the clips made through it. Everything but the mixing runs on the main thread.
// Without a device it runs silent: clips are still made, plays are accepted and go nowhere.
class AudioSystem {
public:
    // Decoded ahead of a streamed clip's playback: 30 frames of a 60 fps loop, so a loop
    // that runs normally, or stalls for a few frames, never lets the callback starve.
    static constexpr double streamAheadSeconds = 0.5;

    explicit AudioSystem(int channelCount, AudioOutput output = AudioOutput::Device);
    virtual ~AudioSystem();
    AudioSystem(const AudioSystem&) = delete;
    AudioSystem& operator=(const AudioSystem&) = delete;

    bool silent() const { return device_.id == 0; }
    int rate() const { return rate_; }          // device frames per second
    int channels() const { return channels_; }  // samples per device frame

    // Null when the file is not a sound the decoder knows, or (held in memory) stops decoding
    // partway. Any other failure on the way is a ContentError naming the file. The system owns
    // the clip until ReleaseClip or its own end.
    AudioClip* CreateClip(const std::string& path, ClipMode mode);
    // Stops every channel that plays the clip, then frees it.
    void ReleaseClip(AudioClip* clip);

    // Plays `clip` from its start on a free channel (the oldest effect gives way when none is
    // free). A streamed clip plays on one channel at a time: playing it again restarts it.
    ChannelId Play(AudioClip& clip, bool paused);
    void SetVolume(ChannelId channel, float volume);
    void SetPaused(ChannelId channel, bool paused);
    // The music's and the effects' gains over every channel's own volume, heard at once.
    void SetGains(MixGains gains);
    MixGains gains() const { return gains_; }
    bool IsPlaying(ChannelId channel) const;
    int PlayingCount() const;
    // Mixing passes in which a streamed clip had too few frames decoded.
    uint64_t underruns() const { return underruns_.load(std::memory_order_relaxed); }

    // Once per frame: decodes ahead for the streamed clips.
    void Update();

    // Holds the mixer off while alive, so that several plays start on the same frame.
    class Hold {
    public:
        explicit Hold(const AudioSystem& system);
        ~Hold();
        Hold(const Hold&) = delete;
        Hold& operator=(const Hold&) = delete;

    private:
        SDL_AudioDeviceID id_;
    };

private:
    struct Subsystem {
        explicit Subsystem(AudioOutput output);
        ~Subsystem();
        bool ready = false;
        std::string error;
    };
    struct Device {
        ~Device();
        SDL_AudioDeviceID id = 0;
    };

    static void SDLCALL Mix(void* self, Uint8* stream, int bytes);
    Voice* Find(ChannelId channel);
    const Voice* Find(ChannelId channel) const;
    void StopClip(const AudioClip& clip);

    // Declared so that the device closes first, then clips go, then the subsystem.
    Subsystem subsystem_;
    std::vector<std::unique_ptr<AudioClip>> clips_;
    std::vector<AudioClip*> streaming_;
    std::vector<Voice> voices_;
    MixGains gains_;  // changed under the device's lock
    uint64_t plays_ = 0;
    std::atomic<uint64_t> underruns_{0};
    int rate_ = 48000;
    int channels_ = 2;
    Device device_;
};
