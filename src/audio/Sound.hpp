#pragma once

class AudioClip;

// One effect of a bank, decoded whole from its audio file.
class Sound {
public:
    explicit Sound(AudioClip* clip) : clip(clip) {}
    virtual ~Sound() = default;

    AudioClip* clip;  // made and released through the sound manager's system
};
