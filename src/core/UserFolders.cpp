#include "core/UserFolders.hpp"

#include <cstdlib>

namespace {

// A relative path in these variables is to be ignored, as if it were not set.
std::optional<boost::filesystem::path> FromEnvironment(const char* variable, const char* underHome) {
    if (const char* value = std::getenv(variable); value && value[0] == '/') return boost::filesystem::path(value);
    if (const char* home = std::getenv("HOME"); home && home[0] == '/') return boost::filesystem::path(home) / underHome;
    return std::nullopt;
}

}  // namespace

std::optional<boost::filesystem::path> StateHome() { return FromEnvironment("XDG_STATE_HOME", ".local/state"); }

std::optional<boost::filesystem::path> DataHome() { return FromEnvironment("XDG_DATA_HOME", ".local/share"); }

std::optional<boost::filesystem::path> ConfigHome() { return FromEnvironment("XDG_CONFIG_HOME", ".config"); }
