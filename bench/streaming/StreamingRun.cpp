// Plays a streamed, looping track for a minute (or the seconds given as the first argument)
// while a 60 fps loop updates the sound layer and fires an effect every few frames, then says
// how often the audio callback found the stream short of decoded frames.
//
//   streamingrun [seconds [stall-ms]]   SDL_AUDIODRIVER picks the device (default: dummy,
//                                       real time); stall-ms freezes the loop once a second,
//                                       to see where the decoding ahead runs out

#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <memory>
#include <string>
#include <vector>

#include <SDL.h>
#include <boost/filesystem/operations.hpp>
#include <sndfile.h>

#include "audio/AudioSystem.hpp"
#include "audio/MusicManager.hpp"
#include "audio/RandomManager.hpp"
#include "audio/SoundManager.hpp"
#include "core/Services.hpp"

namespace fs = boost::filesystem;

namespace {

// A tone at another rate than the device's, so the run pays for resampling as well.
void WriteTrack(const fs::path& path, int rate, double seconds, float frequency) {
    SF_INFO info{};
    info.samplerate = rate;
    info.channels = 2;
    info.format = SF_FORMAT_FLAC | SF_FORMAT_PCM_16;
    SNDFILE* file = sf_open(path.string().c_str(), SFM_WRITE, &info);
    if (!file) {
        std::fprintf(stderr, "cannot write %s: %s\n", path.string().c_str(), sf_strerror(nullptr));
        std::exit(1);
    }
    const auto frames = int64_t(seconds * rate);
    std::vector<float> samples(size_t(frames * 2));
    for (int64_t i = 0; i < frames; ++i) {
        const float s = 0.25f * std::sin(6.2831853f * frequency * float(i) / float(rate));
        samples[size_t(2 * i)] = samples[size_t(2 * i + 1)] = s;
    }
    sf_writef_float(file, samples.data(), frames);
    sf_close(file);
}

}  // namespace

int main(int argc, char** argv) {
    const double seconds = argc > 1 ? std::atof(argv[1]) : 60.0;
    const int stallMs = argc > 2 ? std::atoi(argv[2]) : 0;
    setenv("SDL_AUDIODRIVER", "dummy", 0);

    const fs::path folder = fs::temp_directory_path() / fs::unique_path("glimmer-streaming-%%%%-%%%%");
    fs::create_directories(folder / "Content/Music");
    fs::create_directories(folder / "Content/Sound/Main");
    fs::current_path(folder);
    WriteTrack("Content/Music/Theme.flac", 44100, 10.0, 220.0f);
    std::ofstream("Content/Music/Theme.json") << R"({"LoopStartSample": 44100, "LoopEndSample": 396899})";
    WriteTrack("Content/Sound/Main/Click.wav", 44100, 0.05, 880.0f);

    uint64_t underruns = 0;
    int frames = 0;
    bool silent = true;
    {
        RandomManager random(1u);
        Services::random = &random;
        SoundManager sound;
        Services::sound = &sound;
        silent = sound.system->silent();
        MusicManager music;
        Services::music = &music;
        SoundManager::LoadBank("Main");
        MusicManager::Play("Theme");

        const Uint64 frequency = SDL_GetPerformanceFrequency();
        const Uint64 start = SDL_GetPerformanceCounter();
        const Uint64 step = frequency / 60;
        const auto total = int(seconds * 60.0);
        for (frames = 0; frames < total; ++frames) {
            sound.Update();
            if (frames % 6 == 0) SoundManager::PlayCue("Click");
            if (stallMs > 0 && frames % 60 == 59) SDL_Delay(Uint32(stallMs));
            const Uint64 next = start + step * Uint64(frames + 1);
            const Uint64 now = SDL_GetPerformanceCounter();
            if (now < next) SDL_Delay(Uint32((next - now) * 1000 / frequency));
        }
        underruns = sound.system->underruns();
        SoundManager::UnloadBank("Main");
    }
    Services::random = nullptr;
    fs::current_path(fs::temp_directory_path());
    fs::remove_all(folder);

    std::printf("driver %s, %d frames at 60 fps (%.1f s), underruns %llu\n",
                silent ? "none (silent)" : std::getenv("SDL_AUDIODRIVER"), frames, frames / 60.0,
                static_cast<unsigned long long>(underruns));
    return silent ? 2 : 0;
}
