// Stands in for the sound layer in test builds of this branch: the managers' members record
// the names they are asked to play and make no sound.
#include "support/AudioCallLog.hpp"

#include <algorithm>

#include "audio/MusicManager.hpp"
#include "audio/SoundManager.hpp"

class SoundBank {
public:
    virtual ~SoundBank() = default;
};

namespace {
std::vector<std::string> cues;
std::vector<std::string> tracks;
}  // namespace

SoundManager::SoundManager() = default;
SoundManager::~SoundManager() = default;
void SoundManager::LoadBank(std::string) {}
void SoundManager::UnloadBank(std::string) {}
void SoundManager::PlayCue(std::string name) { cues.push_back(std::move(name)); }
void SoundManager::Update() {}

MusicManager::MusicManager() = default;
MusicManager::~MusicManager() = default;
void MusicManager::Play(std::string name) { tracks.push_back(std::move(name)); }

int CueCount(const std::string& name) { return int(std::count(cues.begin(), cues.end(), name)); }
std::vector<std::string> CuesPlayed() { return cues; }
std::vector<std::string> TracksPlayed() { return tracks; }

void ClearAudioLog() {
    cues.clear();
    tracks.clear();
}
