#pragma once

class Sound;

// One sound of a cue with the channel volume it plays at.
class CueLayer {
public:
    virtual ~CueLayer() = default;

    Sound* sound = nullptr;  // the bank's; null when the cue file names no sound of the bank
    float volume = 1.0f;
};
