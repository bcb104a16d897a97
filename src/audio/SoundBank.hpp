#pragma once

#include <map>
#include <memory>
#include <string>

#include "audio/Cue.hpp"
#include "audio/Sound.hpp"

// The sounds and cues of one folder of Content/Sound.
class SoundBank {
public:
    virtual ~SoundBank() = default;

    std::map<std::string, std::unique_ptr<Sound>> sounds;
    std::map<std::string, std::unique_ptr<Cue>> cues;
};
