#pragma once

#include <string>

// One looping background track at a time, from Content/Music.
class MusicManager {
public:
    MusicManager();  // lists Content/Music at once
    virtual ~MusicManager();

    // Class-level: starts the named track from its beginning; an unknown name does nothing.
    static void Play(std::string name);
};
