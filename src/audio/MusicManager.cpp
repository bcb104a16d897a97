#include "audio/MusicManager.hpp"

#include <iostream>

#include <boost/property_tree/ptree.hpp>

#include "audio/SoundManager.hpp"
#include "core/ContentError.hpp"
#include "core/ContentFolder.hpp"
#include "core/ContentProblems.hpp"
#include "core/FolderListing.hpp"
#include "core/JsonFile.hpp"
#include "core/Services.hpp"

namespace fs = boost::filesystem;
namespace pt = boost::property_tree;

namespace {

struct MetadataFile {
    fs::path path;
    pt::ptree tree;
};

void ReadLoopPoints(MusicMetadata& track, const MetadataFile& file) {
    LoadingFile(file.path, [&] {
        track.loopStartSample = file.tree.get<int32_t>("LoopStartSample");
        track.loopEndSample = file.tree.get<int32_t>("LoopEndSample");
    });
    const int32_t start = track.loopStartSample, end = track.loopEndSample;
    // Passed on as frame numbers, a negative value other than "none" would wrap to a huge one.
    if (start < -1 || end < -1) {
        throw ContentError(file.path, "a loop point is negative (-1 means none)");
    }
    if (start != -1 && end != -1 && start > end) {
        throw ContentError(file.path, "LoopStartSample " + std::to_string(start) +
                                          " is after LoopEndSample " + std::to_string(end));
    }
}

}  // namespace

MusicManager::MusicManager() {
    const fs::path folder = ContentFolder() / "Music";
    std::map<std::string, MetadataFile> metadata;
    for (const fs::path& entry : ListFolder(folder)) {
        if (!IsRegularFile(entry)) continue;
        if (LowerExtension(entry) == ".json") {
            LoadingEach([&] { metadata[StemOf(entry)] = MetadataFile{entry, ReadJsonFile(entry)}; });
        } else {
            MusicMetadata track;
            track.path = entry.string();
            tracks[StemOf(entry)] = track;
        }
    }
    // Named pairs, not bindings: a lambda may not capture a structured binding before clang 16.
    for (auto& track : tracks) {
        const auto file = metadata.find(track.first);
        if (file != metadata.end()) LoadingEach([&] { ReadLoopPoints(track.second, file->second); });
    }
}

MusicManager::~MusicManager() {
    if (currentSound && Services::sound) Services::sound->system->ReleaseClip(currentSound);
    currentSound = nullptr;
    tracks.clear();
    if (Services::music == this) Services::music = nullptr;
}

void MusicManager::Play(std::string name) {
    MusicManager* manager = Services::music;
    if (!manager || !Services::sound) return;
    const auto track = manager->tracks.find(name);
    if (track != manager->tracks.end()) manager->Start(track->second);
}

AudioClip* MusicManager::Open(const MusicMetadata& track) {
    AudioClip* clip = Services::sound->system->CreateClip(track.path, ClipMode::Stream);
    if (!clip) {
        ContentProblems::Note(track.path, "not a sound the game can decode");
        return nullptr;
    }
    if (track.loopStartSample == -1 || track.loopEndSample == -1 ||
        clip->SetLoopPoints(track.loopStartSample, track.loopEndSample)) {
        return clip;
    }
    const std::string problem = "LoopEndSample " + std::to_string(track.loopEndSample) +
                                " is past the track's last frame " + std::to_string(clip->sourceFrames() - 1) +
                                "; the whole track loops instead.";
    if (ContentProblems::Checking()) {
        ContentProblems::Note(track.path, problem);
    } else if (warned_.insert(track.path).second) {
        std::cerr << track.path << ": " << problem << "\n";
    }
    return clip;
}

void MusicManager::Start(const MusicMetadata& track) {
    AudioSystem& system = *Services::sound->system;
    if (currentSound) system.ReleaseClip(currentSound);
    currentSound = Open(track);
    if (!currentSound) return;  // no music until a track that opens is played
    currentSound->SetLoopCount(-1);
    currentChannel = system.Play(*currentSound, false);
}
