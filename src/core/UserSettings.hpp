#pragma once

#include <boost/filesystem/path.hpp>
#include <cstdint>
#include <memory>
#include <optional>

class BackgroundWriter;

// What the player sets in the menu, as kept in the settings file.
struct SettingsValues {
    static constexpr int32_t maxVolume = 10;

    int32_t musicVolume = maxVolume;  // 0 (off) to 10 (as recorded)
    int32_t effectsVolume = maxVolume;
    bool muted = false;       // M: nothing sounds
    bool musicMuted = false;  // N: the music is silent, effects still sound
    bool fullscreen = false;
    bool movesAndTime = true;  // the moves and time in the strip below the maze
};

// The player's settings, found again at the next start: $XDG_CONFIG_HOME/glimmerduct/settings.json.
// Without that file the game behaves as it always did.
class UserSettings : public SettingsValues {
public:
    UserSettings();
    ~UserSettings();  // what is still to be written is written first

    // The file, or none without a config folder (then nothing is read or written).
    static std::optional<boost::filesystem::path> File();

    // Reads the file; without one the defaults. A damaged one (not JSON, too deep, a value of
    // the wrong type or out of range) is moved aside to settings.json.damaged with one line
    // naming the file, and the defaults are used.
    void Load();
    // Writes the file through the durable writer on a thread of its own, so no frame waits for
    // the disk (a failed write is one line on stderr). False when it cannot be written at all:
    // no folder for it, or a damaged file that could not be moved aside is there.
    bool Save();
    // Returns once what Save asked for is written.
    void Finish();

    // The gain of the music and of the effects, mutes included.
    float MusicGain() const;
    float EffectsGain() const;

private:
    bool mayWrite_ = true;
    std::unique_ptr<BackgroundWriter> writer_;
};

// The loudness curve of the volume steps: every step is the same ratio, 4 dB, from 0 dB at 10
// down to -36 dB at 1; 0 is silence. Hearing judges loudness by ratios, so equal ratios sound
// like equal steps, where a linear gain would crowd the audible change into the lowest steps.
float VolumeGain(int32_t volume);
