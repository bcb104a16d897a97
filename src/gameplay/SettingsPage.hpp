#pragma once

#include <functional>
#include <string>

#include "gameplay/MenuPage.hpp"

// Makes the sound follow the player's settings: the volumes and mutes, heard at once.
void ApplySoundSettings();
// Writes the settings file; a failure is said in the strip through `showMessage`.
void SaveSettings(const std::function<void(const std::string&)>& showMessage);

// Music and effects volume (left and right, heard at once: a click plays at the new effects
// volume), fullscreen, and the moves and time in the strip; each change is written at once.
class SettingsPage : public MenuPage {
public:
    // Told when the strip's moves and time were switched, so the strip is drawn anew.
    std::function<void()> movesAndTimeChanged;
    std::function<void(const std::string&)> showMessage;

    std::string Title() const override { return "Settings"; }
    std::vector<MenuRow> Rows() const override;
    bool Choose(int32_t row) override;
    void Step(int32_t row, int32_t direction) override;

    enum Row : int32_t { MusicVolume, EffectsVolume, Fullscreen, MovesAndTime, Back };
};
