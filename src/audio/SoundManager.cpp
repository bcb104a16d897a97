#include "audio/SoundManager.hpp"

#include <utility>
#include <vector>

#include <boost/property_tree/ptree.hpp>

#include "audio/AudioSystem.hpp"
#include "audio/RandomManager.hpp"
#include "audio/SoundBank.hpp"
#include "core/ContentError.hpp"
#include "core/ContentFolder.hpp"
#include "core/ContentProblems.hpp"
#include "core/FolderListing.hpp"
#include "core/JsonFile.hpp"
#include "core/Services.hpp"

namespace fs = boost::filesystem;
namespace pt = boost::property_tree;

namespace {

struct CueFile {
    fs::path path;
    pt::ptree tree;
};

LayerMode ReadLayerMode(const pt::ptree& tree) {
    const std::string mode = tree.get<std::string>("LayerMode", "");
    if (mode == "Sequential") return LayerMode::Sequential;
    if (mode == "Randomized") return LayerMode::Randomized;
    return LayerMode::Simultaneous;
}

void ApplyCueFile(SoundBank& bank, const std::string& name, const CueFile& file) {
    std::unique_ptr<Cue>& cue = bank.cues[name];
    if (!cue) cue = std::make_unique<Cue>();
    LoadingFile(file.path, [&] {
        cue->layerMode = ReadLayerMode(file.tree);
        while (!cue->layers.empty()) cue->layers.pop_back();
        for (const auto& [key, element] : file.tree.get_child("Layers")) {
            const std::string soundName = element.get<std::string>("Sound");
            auto layer = std::make_unique<CueLayer>();
            const auto sound = bank.sounds.find(soundName);
            if (sound != bank.sounds.end()) {
                layer->sound = sound->second.get();
            } else {
                // The game plays nothing for such a layer.
                ContentProblems::Note(file.path, "a layer names the sound \"" + soundName +
                                                     "\", which the bank does not hold (no such file, or it "
                                                     "does not decode)");
            }
            if (auto volume = element.get_optional<float>("Volume")) layer->volume = *volume;
            cue->layers.push_back(std::move(layer));
        }
    });
}

}  // namespace

SoundManager::SoundManager(AudioOutput output) : system(std::make_unique<AudioSystem>(channelCount, output)) {}

SoundManager::~SoundManager() {
    while (!banks.empty()) Unload(banks.begin()->first);
    system.reset();
    if (Services::sound == this) Services::sound = nullptr;
}

void SoundManager::LoadBank(std::string name) {
    if (Services::sound) Services::sound->Load(name);
}

void SoundManager::UnloadBank(std::string name) {
    if (Services::sound) Services::sound->Unload(name);
}

void SoundManager::PlayCue(std::string name) {
    SoundManager* manager = Services::sound;
    if (!manager) return;
    for (auto& [bankName, bank] : manager->banks) {
        const auto cue = bank->cues.find(name);
        if (cue != bank->cues.end()) return manager->Play(*cue->second);
    }
}

void SoundManager::Update() { system->Update(); }

void SoundManager::Load(const std::string& name) {
    if (banks.count(name)) return;
    // Entered before anything is read: a content error leaves what was loaded so far.
    SoundBank& bank = *(banks[name] = std::make_unique<SoundBank>());
    const fs::path folder = ContentFolder() / "Sound" / name;
    std::map<std::string, CueFile> cueFiles;
    for (const fs::path& entry : ListFolder(folder)) {
        if (!IsRegularFile(entry)) continue;
        const std::string stem = StemOf(entry);
        LoadingEach([&] {
            if (LowerExtension(entry) == ".json") {
                cueFiles[stem] = CueFile{entry, ReadJsonFile(entry)};
                return;
            }
            AudioClip* clip = system->CreateClip(entry.string(), ClipMode::Memory);
            if (!clip) return;  // not a sound
            clip->SetLoopCount(0);
            std::unique_ptr<Sound>& sound = bank.sounds[stem];
            if (sound) system->ReleaseClip(sound->clip);
            sound = std::make_unique<Sound>(clip);
        });
    }
    for (const auto& [soundName, sound] : bank.sounds) {
        auto cue = std::make_unique<Cue>();
        auto layer = std::make_unique<CueLayer>();
        layer->sound = sound.get();
        cue->layers.push_back(std::move(layer));
        bank.cues[soundName] = std::move(cue);
    }
    // After every sound exists, so a cue may name any sound of its bank.
    for (const auto& cue : cueFiles) LoadingEach([&] { ApplyCueFile(bank, cue.first, cue.second); });
}

void SoundManager::Unload(const std::string& name) {
    const auto found = banks.find(name);
    if (found == banks.end()) return;
    SoundBank& bank = *found->second;
    for (auto& [soundName, sound] : bank.sounds) system->ReleaseClip(sound->clip);
    bank.sounds.clear();
    bank.cues.clear();
    banks.erase(found);
}

void SoundManager::Play(Cue& cue) {
    const auto count = int32_t(cue.layers.size());
    // With no layer a one-layer mode has nothing to choose from.
    if (count == 0) return;
    std::vector<int32_t> chosen;
    switch (cue.layerMode) {
    case LayerMode::Randomized:
        chosen.push_back(Services::random ? Services::random->UniformInt(0, count - 1) : 0);
        break;
    case LayerMode::Sequential:
        chosen.push_back(cue.nextLayer);
        cue.nextLayer = (cue.nextLayer + 1) % count;
        break;
    case LayerMode::Simultaneous:
        for (int32_t i = 0; i < count; ++i) chosen.push_back(i);
        break;
    }
    // All chosen layers become audible on the same frame.
    AudioSystem::Hold hold(*system);
    for (const int32_t index : chosen) {
        const CueLayer& layer = *cue.layers[size_t(index)];
        if (!layer.sound) continue;  // names no sound of the bank
        const ChannelId channel = system->Play(*layer.sound->clip, true);
        system->SetVolume(channel, layer.volume);
        system->SetPaused(channel, false);
    }
}
