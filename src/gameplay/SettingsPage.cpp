#include "gameplay/SettingsPage.hpp"

#include <algorithm>

#include "audio/AudioSystem.hpp"
#include "audio/SoundManager.hpp"
#include "core/GameHost.hpp"
#include "core/Platform.hpp"
#include "core/Services.hpp"
#include "core/UserSettings.hpp"

namespace {

std::string Volume(int32_t volume) { return "< " + std::to_string(volume) + " >"; }

std::string OnOff(bool on) { return on ? "On" : "Off"; }

bool WindowFullscreen() { return Services::game && Services::game->platform().IsFullscreen(); }

}  // namespace

void ApplySoundSettings() {
    const UserSettings* settings = Services::userSettings;
    if (!settings || !Services::sound) return;
    Services::sound->system->SetGains({settings->MusicGain(), settings->EffectsGain()});
}

void SaveSettings(const std::function<void(const std::string&)>& showMessage) {
    if (Services::userSettings && !Services::userSettings->Save() && showMessage && UserSettings::File()) {
        showMessage("The settings cannot be saved: they hold until the game ends");
    }
}

std::vector<MenuRow> SettingsPage::Rows() const {
    const UserSettings& settings = *Services::userSettings;
    const std::string musicNote = settings.muted ? "  (M: off)" : settings.musicMuted ? "  (N: off)" : "";
    return {{"Music volume", Volume(settings.musicVolume) + musicNote},
            {"Effects volume", Volume(settings.effectsVolume) + (settings.muted ? "  (M: off)" : "")},
            {"Fullscreen", OnOff(WindowFullscreen())},
            {"Moves and time", OnOff(settings.movesAndTime)},
            {"Back", ""}};
}

bool SettingsPage::Choose(int32_t row) {
    UserSettings& settings = *Services::userSettings;
    switch (row) {
        case Fullscreen:
            settings.fullscreen = !WindowFullscreen();
            if (Services::game) Services::game->platform().SetFullscreen(settings.fullscreen);
            break;
        case MovesAndTime:
            settings.movesAndTime = !settings.movesAndTime;
            if (movesAndTimeChanged) movesAndTimeChanged();
            break;
        case Back:
            return false;
        default:
            return true;  // the volumes step with left and right
    }
    SaveSettings(showMessage);
    return true;
}

void SettingsPage::Step(int32_t row, int32_t direction) {
    if (row == Fullscreen || row == MovesAndTime) {
        Choose(row);
        return;
    }
    UserSettings& settings = *Services::userSettings;
    if (row != MusicVolume && row != EffectsVolume) return;
    int32_t& volume = row == MusicVolume ? settings.musicVolume : settings.effectsVolume;
    const int32_t stepped = std::clamp(volume + direction, 0, UserSettings::maxVolume);
    if (stepped == volume) return;
    volume = stepped;
    // Turning a volume is meant to be heard: it lifts the mutes that would hide it.
    settings.muted = false;
    if (row == MusicVolume) settings.musicMuted = false;
    ApplySoundSettings();
    if (row == EffectsVolume) SoundManager::PlayCue("Click");
    SaveSettings(showMessage);
}
