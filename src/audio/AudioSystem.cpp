#include "audio/AudioSystem.hpp"

#include <algorithm>
#include <iostream>
#include <optional>

#include <SDL.h>
#include <dlfcn.h>

#include "audio/FormatConverter.hpp"
#include "audio/SoundFile.hpp"
#include "core/ContentError.hpp"

namespace {

constexpr int defaultRate = 48000;
constexpr Uint16 callbackFrames = 512;  // about 11 ms at 48 kHz

struct Decoded {
    std::vector<float> samples;  // in the device's format
    int64_t sourceFrames = 0;    // as many as the file gave
};

// Piece by piece until the decoder has no more: the header's length is never trusted to size
// anything. A file that stops decoding partway (damaged, cut short) is not a sound.
std::optional<Decoded> DecodeWhole(SoundFile& file, int toChannels, int toRate) {
    FormatConverter converter(file.channels(), file.rate(), toChannels, toRate);
    std::vector<float> piece(size_t(FormatConverter::maxPutFrames * file.channels()));
    std::vector<float> converted(size_t(4 * FormatConverter::maxPutFrames * toChannels));
    Decoded out;
    auto drain = [&] {
        for (int64_t n; (n = converter.Get(converted.data(), 4 * FormatConverter::maxPutFrames)) > 0;) {
            out.samples.insert(out.samples.end(), converted.begin(), converted.begin() + n * toChannels);
        }
    };
    for (int64_t got; (got = file.Read(piece.data(), FormatConverter::maxPutFrames)) > 0;) {
        out.sourceFrames += got;
        converter.Put(piece.data(), got);
        drain();
    }
    if (file.Failed()) return std::nullopt;
    converter.Flush();
    drain();
    return out;
}

void IgnoreAlsaMessage(const char*, int, const char*, int, const char*, ...) {}

// Without a sound card, SDL's first try (ALSA) makes libasound print a screenful of lines to
// stderr before SDL gives up; the game's own warning, or its one-line content error, would
// drown in them. SDL loads the library itself, so it is loaded here first (and kept loaded,
// so that the handler stays) to switch its printer off. Without the library, nothing to do.
void SilenceAlsa() {
#ifdef __EMSCRIPTEN__
    return;  // no ALSA in a browser, and no loading of libraries
#endif
    static void* const library = dlopen("libasound.so.2", RTLD_LAZY);
    if (!library) return;
    using Handler = void (*)(const char*, int, const char*, int, const char*, ...);
    using SetHandler = int (*)(Handler);
    if (auto set = reinterpret_cast<SetHandler>(dlsym(library, "snd_lib_error_set_handler"))) {
        set(&IgnoreAlsaMessage);
    }
}

}  // namespace

AudioSystem::Subsystem::Subsystem(AudioOutput output) {
    if (output == AudioOutput::None) return;
    SilenceAlsa();
    ready = SDL_InitSubSystem(SDL_INIT_AUDIO) == 0;
    if (!ready) error = SDL_GetError();
}

AudioSystem::Subsystem::~Subsystem() {
    if (ready) SDL_QuitSubSystem(SDL_INIT_AUDIO);
}

AudioSystem::Device::~Device() {
    if (id != 0) SDL_CloseAudioDevice(id);
}

AudioSystem::AudioSystem(int channelCount, AudioOutput output)
    : subsystem_(output), voices_(size_t(std::max(channelCount, 1))) {
    if (output == AudioOutput::None) return;
    std::string problem = subsystem_.error;
    if (subsystem_.ready) {
        SDL_AudioSpec preferred{};
        SDL_AudioSpec want{};
        want.freq = SDL_GetDefaultAudioInfo(nullptr, &preferred, 0) == 0 && preferred.freq > 0
                        ? preferred.freq
                        : defaultRate;
        want.format = AUDIO_F32SYS;
        want.channels = Uint8(channels_);
        want.samples = callbackFrames;
        want.callback = &AudioSystem::Mix;
        want.userdata = this;
        SDL_AudioSpec have{};
        device_.id = SDL_OpenAudioDevice(nullptr, 0, &want, &have, SDL_AUDIO_ALLOW_FREQUENCY_CHANGE);
        if (device_.id != 0) {
            rate_ = have.freq;
        } else {
            problem = SDL_GetError();
        }
    }
    if (device_.id == 0) {
        std::cerr << "No sound device (" << problem << "): the game runs silent.\n";
        return;
    }
    SDL_PauseAudioDevice(device_.id, 0);
}

AudioSystem::~AudioSystem() = default;

AudioClip* AudioSystem::CreateClip(const std::string& path, ClipMode mode) {
    // Whatever a file makes fail on the way (the converter, memory) names the file.
    return LoadingFile(path, [&]() -> AudioClip* {
        std::unique_ptr<SoundFile> file = SoundFile::Open(path);
        if (!file) return nullptr;
        std::unique_ptr<AudioClip> clip;
        if (mode == ClipMode::Stream) {
            const auto ahead = int64_t(streamAheadSeconds * rate_);
            clip = std::make_unique<AudioClip>(
                std::make_unique<StreamDecoder>(std::move(file), channels_, rate_, ahead));
        } else {
            std::optional<Decoded> decoded = DecodeWhole(*file, channels_, rate_);
            if (!decoded) return nullptr;
            clip = std::make_unique<AudioClip>(std::move(decoded->samples), channels_, decoded->sourceFrames);
        }
        clips_.push_back(std::move(clip));
        return clips_.back().get();
    });
}

void AudioSystem::ReleaseClip(AudioClip* clip) {
    if (!clip) return;
    StopClip(*clip);
    std::erase(streaming_, clip);
    std::erase_if(clips_, [clip](const std::unique_ptr<AudioClip>& c) { return c.get() == clip; });
}

void AudioSystem::StopClip(const AudioClip& clip) {
    Hold hold(*this);
    for (Voice& v : voices_) {
        if (v.clip == &clip) v.clip = nullptr;
    }
}

ChannelId AudioSystem::Play(AudioClip& clip, bool paused) {
    if (silent()) return {};
    if (StreamDecoder* stream = clip.stream()) {
        StopClip(clip);
        stream->Restart(clip.loop());
        if (std::find(streaming_.begin(), streaming_.end(), &clip) == streaming_.end()) {
            streaming_.push_back(&clip);
        }
    }
    Hold hold(*this);
    auto free = std::find_if(voices_.begin(), voices_.end(), [](const Voice& v) { return !v.clip; });
    if (free == voices_.end()) {
        // The oldest effect gives way; the music, usually the oldest play of all, goes on.
        free = std::min_element(voices_.begin(), voices_.end(), [](const Voice& a, const Voice& b) {
            const bool aStreams = a.clip->streamed(), bStreams = b.clip->streamed();
            return aStreams != bStreams ? bStreams : a.startOrder < b.startOrder;
        });
    }
    StartVoice(*free, clip);
    free->paused = paused;
    free->startOrder = ++plays_;
    return ChannelId{int(free - voices_.begin()), free->generation};
}

Voice* AudioSystem::Find(ChannelId channel) {
    if (channel.index < 0 || channel.index >= int(voices_.size())) return nullptr;
    Voice& v = voices_[size_t(channel.index)];
    return v.clip && v.generation == channel.generation ? &v : nullptr;
}

const Voice* AudioSystem::Find(ChannelId channel) const {
    return const_cast<AudioSystem*>(this)->Find(channel);
}

void AudioSystem::SetVolume(ChannelId channel, float volume) {
    Hold hold(*this);
    if (Voice* v = Find(channel)) v->volume = volume;
}

void AudioSystem::SetPaused(ChannelId channel, bool paused) {
    Hold hold(*this);
    if (Voice* v = Find(channel)) v->paused = paused;
}

void AudioSystem::SetGains(MixGains gains) {
    Hold hold(*this);
    gains_ = gains;
}

bool AudioSystem::IsPlaying(ChannelId channel) const {
    Hold hold(*this);
    return Find(channel) != nullptr;
}

int AudioSystem::PlayingCount() const {
    Hold hold(*this);
    return int(std::count_if(voices_.begin(), voices_.end(), [](const Voice& v) { return v.clip; }));
}

void AudioSystem::Update() {
    for (AudioClip* clip : streaming_) clip->stream()->Fill();
}

void SDLCALL AudioSystem::Mix(void* self, Uint8* stream, int bytes) {
    auto& system = *static_cast<AudioSystem*>(self);
    const int64_t frames = bytes / int(system.channels_ * sizeof(float));
    const int shortfalls = MixVoices(system.voices_, reinterpret_cast<float*>(stream), frames, system.channels_, system.gains_);
    if (shortfalls > 0) system.underruns_.fetch_add(uint64_t(shortfalls), std::memory_order_relaxed);
}

AudioSystem::Hold::Hold(const AudioSystem& system) : id_(system.device_.id) {
    if (id_ != 0) SDL_LockAudioDevice(id_);
}

AudioSystem::Hold::~Hold() {
    if (id_ != 0) SDL_UnlockAudioDevice(id_);
}
