#pragma once

#include <optional>

#include <boost/filesystem/path.hpp>

// The user's folder for state that outlives the game, such as recovery copies:
// $XDG_STATE_HOME, else ~/.local/state. None when neither gives an absolute path.
std::optional<boost::filesystem::path> StateHome();

// The user's folder for their own data, such as levels: $XDG_DATA_HOME, else ~/.local/share.
std::optional<boost::filesystem::path> DataHome();

// The user's folder for settings and their own key mappings: $XDG_CONFIG_HOME, else ~/.config.
std::optional<boost::filesystem::path> ConfigHome();
