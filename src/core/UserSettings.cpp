#include "core/UserSettings.hpp"

#include <algorithm>
#include <boost/filesystem/operations.hpp>
#include <boost/property_tree/json_parser.hpp>
#include <cmath>
#include <sstream>
#include <stdexcept>

#include "core/BackgroundWriter.hpp"
#include "core/ErrorReport.hpp"
#include "core/OwnFiles.hpp"
#include "core/UserFolders.hpp"

namespace pt = boost::property_tree;

namespace {

constexpr float decibelsPerStep = 4.0f;

int32_t ReadVolume(const pt::ptree& tree, const char* key, int32_t fallback) {
    const auto value = tree.get_optional<int32_t>(key);
    if (!tree.get_child_optional(key)) return fallback;
    if (!value || *value < 0 || *value > SettingsValues::maxVolume) {
        throw std::runtime_error(std::string("\"") + key + "\" must be a whole number from 0 to 10");
    }
    return *value;
}

bool ReadSwitch(const pt::ptree& tree, const char* key, bool fallback) {
    if (!tree.get_child_optional(key)) return fallback;
    const std::string text = tree.get<std::string>(key);
    if (text != "true" && text != "false")
        throw std::runtime_error(std::string("\"") + key + "\" must be true or false");
    return text == "true";
}

}  // namespace

UserSettings::UserSettings() : writer_(std::make_unique<BackgroundWriter>()) {
    writer_->SetFailureText("cannot write the settings");
}

UserSettings::~UserSettings() = default;

std::optional<boost::filesystem::path> UserSettings::File() {
    const auto config = ConfigHome();
    if (!config) return std::nullopt;
    return *config / "glimmerduct" / "settings.json";
}

void UserSettings::Load() {
    const auto file = File();
    if (!file) return;
    SettingsValues read;
    const OwnJsonFile own = ReadOwnJsonFile(*file, [&read](const pt::ptree& tree) {
        if (!tree.data().empty() && tree.empty())
            throw std::runtime_error("the settings must be a JSON object");
        read.musicVolume = ReadVolume(tree, "MusicVolume", read.musicVolume);
        read.effectsVolume = ReadVolume(tree, "EffectsVolume", read.effectsVolume);
        read.muted = ReadSwitch(tree, "Muted", read.muted);
        read.musicMuted = ReadSwitch(tree, "MusicMuted", read.musicMuted);
        read.fullscreen = ReadSwitch(tree, "Fullscreen", read.fullscreen);
        read.movesAndTime = ReadSwitch(tree, "MovesAndTime", read.movesAndTime);
    });
    mayWrite_ = own.mayWrite;
    static_cast<SettingsValues&>(*this) = read;
}

bool UserSettings::Save() {
    const auto file = File();
    if (!file || !mayWrite_) return false;
    boost::system::error_code error;
    boost::filesystem::create_directories(file->parent_path(), error);
    if (error) {
        ReportToLog(file->string() + ": the settings cannot be saved: " + error.message());
        return false;
    }
    pt::ptree tree;
    tree.put("MusicVolume", musicVolume);
    tree.put("EffectsVolume", effectsVolume);
    tree.put("Muted", muted);
    tree.put("MusicMuted", musicMuted);
    tree.put("Fullscreen", fullscreen);
    tree.put("MovesAndTime", movesAndTime);
    std::ostringstream text;
    pt::write_json(text, tree, true);
    writer_->Write(*file, text.str());
    return true;
}

void UserSettings::Finish() { writer_->Finish(); }

float UserSettings::MusicGain() const { return muted || musicMuted ? 0.0f : VolumeGain(musicVolume); }

float UserSettings::EffectsGain() const { return muted ? 0.0f : VolumeGain(effectsVolume); }

float VolumeGain(int32_t volume) {
    volume = std::clamp(volume, 0, SettingsValues::maxVolume);
    if (volume == 0) return 0.0f;
    return std::pow(10.0f, -decibelsPerStep * float(SettingsValues::maxVolume - volume) / 20.0f);
}
