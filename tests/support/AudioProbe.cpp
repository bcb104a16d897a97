#include "support/AudioProbe.hpp"

#include <fstream>
#include <vector>

#include "audio/AudioClip.hpp"
#include "audio/AudioTestSupport.hpp"
#include "audio/Cue.hpp"
#include "audio/MusicManager.hpp"
#include "audio/SoundBank.hpp"
#include "audio/SoundManager.hpp"
#include "core/Services.hpp"

namespace {

constexpr int clickLayers = 64;
constexpr struct {
    const char* name;
    int frames;
} tracks[] = {{"TorvelTheme", 1500}, {"Other", 900}};

void WriteWav(const std::string& path, int frames) {
    audiotest::WriteSound(path, audiotest::Level(0.03f, size_t(frames)), 44100, SF_FORMAT_WAV | SF_FORMAT_PCM_16);
}

Cue* FindCue(const std::string& name) {
    if (!Services::sound) return nullptr;
    for (auto& [bankName, bank] : Services::sound->banks) {
        auto found = bank->cues.find(name);
        if (found != bank->cues.end()) return found->second.get();
    }
    return nullptr;
}

}  // namespace

void WriteAudioProbeContent() {
    WriteWav("Content/Sound/Main/Tick.wav", 64);
    std::string layers;
    for (int i = 0; i < clickLayers; ++i) layers += std::string(i ? "," : "") + R"({"Sound": "Tick"})";
    std::ofstream("Content/Sound/Main/Click.json") << R"({"LayerMode": "Sequential", "Layers": [)" << layers
                                                   << "]}";
    for (const auto& track : tracks) WriteWav(std::string("Content/Music/") + track.name + ".wav", track.frames);
}

int CueCount(const std::string& name) {
    const Cue* cue = FindCue(name);
    return cue ? cue->nextLayer : 0;
}

std::vector<std::string> CuesPlayed() { return std::vector<std::string>(size_t(CueCount("Click")), "Click"); }

std::string CurrentTrack() {
    if (!Services::music || !Services::music->currentSound) return "";
    for (const auto& track : tracks) {
        if (Services::music->currentSound->sourceFrames() == track.frames) return track.name;
    }
    return "?";
}

void ClearAudioLog() {
    if (Cue* click = FindCue("Click")) click->nextLayer = 0;
}
