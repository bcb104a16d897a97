#pragma once

#include <cstdint>
#include <string>

// A track of Content/Music and its loop region.
class MusicMetadata {
public:
    virtual ~MusicMetadata() = default;

    std::string path;
    int32_t loopStartSample = -1;  // first frame of the loop region, PCM sample frames; -1: none
    int32_t loopEndSample = -1;    // last frame of the loop region (inclusive); -1: none
};
