#include <sndfile.h>

#include <cstdlib>
#include <exception>
#include <vector>

#include "FuzzSupport.hpp"
#include "audio/MusicManager.hpp"
#include "audio/SoundManager.hpp"
#include "core/Services.hpp"

namespace {

// A track of a tenth of a second, so loop points from the fed file land inside, at its
// edges and past it; the shipped theme would make each run slow.
void WriteTinyTrack(const char* path) {
    SF_INFO info{};
    info.samplerate = 44100;
    info.channels = 2;
    info.format = SF_FORMAT_WAV | SF_FORMAT_PCM_16;
    SNDFILE* file = sf_open(path, SFM_WRITE, &info);
    if (!file) std::abort();
    std::vector<float> frames(2 * 4410);
    for (size_t i = 0; i < frames.size(); ++i) frames[i] = float(i % 100) / 100.0f - 0.5f;
    sf_writef_float(file, frames.data(), sf_count_t(frames.size() / 2));
    sf_close(file);
}

}  // namespace

// A fed loop-point file beside a tiny track: the manager lists the folder, then plays it.
extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    EnterFuzzFolder();
    OpenSoundManager();
    static const bool written = (WriteTinyTrack("Content/Music/TorvelTheme.wav"), true);
    (void)written;
    WriteInput("Content/Music/TorvelTheme.json", data, size);
    try {
        MusicManager music;
        Services::music = &music;
        MusicManager::Play("TorvelTheme");
        Services::sound->Update();
    } catch (const std::exception&) {
    }
    Services::music = nullptr;
    return 0;
}
