#pragma once

#include <boost/filesystem/path.hpp>
#include <map>
#include <optional>

#include "core/ActionNames.hpp"
#include "input/Key.hpp"

// Each action's keys, an action's in the order they were bound.
using KeyBindings = std::multimap<Action, Key>;

// The player's own key mappings, written by the menu's Keys page in the shipped file's format:
// $XDG_CONFIG_HOME/glimmerduct/KeyMappings.json. None without a config folder.
std::optional<boost::filesystem::path> UserKeyMappingsFile();

// The file's bindings, strictly: an action or key name the game does not know, or a value that
// is not a key name, is a ContentError naming the file, as is a file that is not a JSON object.
KeyBindings ReadUserKeyMappings(const boost::filesystem::path& file);

// The start's bindings into the registry's InputManager: the player's own file when there is
// one, else the shipped one (LoadKeyMappings, whose errors stop the game). A damaged file of the
// player's is one line on stderr naming it; the shipped mappings are used and the file stays.
void LoadStartKeyMappings(const boost::filesystem::path& shipped);

// Writes `bindings` to the player's file through the durable writer. A damaged file found at
// start is moved aside to "KeyMappings.json.damaged" first, never written over. Throws
// DurableWriteError or ContentError (when it cannot be moved aside).
void WriteUserKeyMappings(const KeyBindings& bindings);
