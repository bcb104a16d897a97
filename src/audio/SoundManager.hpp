#pragma once

#include <map>
#include <memory>
#include <string>

#include "audio/AudioSystem.hpp"

class Cue;
class SoundBank;

// Sound effect banks played through named cues. Owns the sound system (shared with the music).
class SoundManager {
public:
    static constexpr int channelCount = 100;

    explicit SoundManager(AudioOutput output = AudioOutput::Device);
    virtual ~SoundManager();

    // Class-level: reach the single manager through the registry.
    static void LoadBank(std::string name);
    static void UnloadBank(std::string name);
    static void PlayCue(std::string name);

    // Once per frame, from the frame loop.
    void Update();

    std::unique_ptr<AudioSystem> system;
    std::map<std::string, std::unique_ptr<SoundBank>> banks;

private:
    void Load(const std::string& name);
    void Unload(const std::string& name);
    void Play(Cue& cue);
};
