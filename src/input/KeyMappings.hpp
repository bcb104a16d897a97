#pragma once

#include <optional>
#include <string>
#include <string_view>

#include "core/ActionNames.hpp"

// The action whose name equals `name` exactly, or none.
std::optional<Action> ActionFromName(std::string_view name);

// Adds the file's bindings to the registry's InputManager: every member of the top-level
// object, in document order, binds its action name to its key name. Members whose name is no
// action bind nothing. A file that cannot be read or is not JSON is a ContentError, and then
// no binding is added.
void LoadKeyMappings(const std::string& path);
