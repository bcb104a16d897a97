#include "input/UserKeyMappings.hpp"

#include <boost/filesystem/operations.hpp>
#include <boost/property_tree/ptree.hpp>

#include "core/ContentError.hpp"
#include "core/ErrorReport.hpp"
#include "core/JsonFile.hpp"
#include "core/OwnFiles.hpp"
#include "core/Services.hpp"
#include "core/UserFolders.hpp"
#include "input/InputManager.hpp"
#include "input/KeyMappings.hpp"

namespace fs = boost::filesystem;

namespace {

// Found damaged at start and left alone: a write must move it aside first.
bool damagedAtStart = false;

}  // namespace

std::optional<fs::path> UserKeyMappingsFile() {
    const auto config = ConfigHome();
    if (!config) return std::nullopt;
    return *config / "glimmerduct" / "KeyMappings.json";
}

KeyBindings ReadUserKeyMappings(const fs::path& file) {
    const boost::property_tree::ptree tree = ReadJsonFile(file);
    if (!tree.data().empty()) {
        throw ContentError(file, "the key mappings must be a JSON object of action names");
    }
    KeyBindings bindings;
    for (const auto& [name, value] : tree) {
        const auto action = ActionFromName(name);
        if (!action) throw ContentError(file, "\"" + name + "\" is not an action");
        const std::string keyName = value.get_value<std::string>();
        const Key key = KeyFromName(keyName);
        if (!value.empty() || key == Key::None || key == Key::End_) {
            throw ContentError(file, "\"" + keyName + "\" (for " + name + ") is not a key name");
        }
        bindings.emplace(*action, key);
    }
    return bindings;
}

void LoadStartKeyMappings(const fs::path& shipped) {
    damagedAtStart = false;
    const auto own = UserKeyMappingsFile();
    boost::system::error_code error;
    if (own && fs::exists(fs::symlink_status(*own, error))) {
        try {
            for (const auto& [action, key] : ReadUserKeyMappings(*own)) Services::input->Bind(action, key);
            return;
        } catch (const std::exception& e) {
            damagedAtStart = true;
            ReportToLog(DescribeFatalError(e) + "; the shipped key mappings are used");
        }
    }
    LoadKeyMappings(shipped.string());
}

void WriteUserKeyMappings(const KeyBindings& bindings) {
    const auto file = UserKeyMappingsFile();
    if (!file)
        throw ContentError("KeyMappings.json", "no config folder: neither XDG_CONFIG_HOME nor HOME is set");
    if (damagedAtStart) {
        boost::system::error_code error;
        fs::rename(*file, file->string() + ".damaged", error);
        if (error && fs::exists(fs::symlink_status(*file))) {
            throw ContentError(*file, "it is damaged and cannot be moved aside (" + error.message() + ")");
        }
        damagedAtStart = false;
    }
    const ActionNames names;
    boost::property_tree::ptree tree;
    for (const auto& [action, key] : bindings) {
        tree.push_back(
            {names.names[int32_t(action)], boost::property_tree::ptree(std::string(KeyName(key)))});
    }
    WriteOwnJsonFile(*file, tree);
}
