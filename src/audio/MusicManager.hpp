#pragma once

#include <map>
#include <set>
#include <string>

#include "audio/AudioSystem.hpp"
#include "audio/MusicMetadata.hpp"

// One looping background track at a time, from Content/Music.
class MusicManager {
public:
    MusicManager();  // lists Content/Music at once
    virtual ~MusicManager();

    // Class-level: starts the named track from its beginning; an unknown name does nothing.
    static void Play(std::string name);
    // Makes the track's streamed clip with its loop points (through the sound manager's
    // system). Null when the file does not decode; loop points past its end leave the whole
    // track looping, said once on stderr (a content check notes both).
    AudioClip* Open(const MusicMetadata& track);

    std::map<std::string, MusicMetadata> tracks;
    AudioClip* currentSound = nullptr;  // made through the sound manager's system
    ChannelId currentChannel;

private:
    void Start(const MusicMetadata& track);

    std::set<std::string> warned_;  // tracks whose loop region did not fit, warned about once
};
