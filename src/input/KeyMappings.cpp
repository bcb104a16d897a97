#include "input/KeyMappings.hpp"

#include <boost/property_tree/ptree.hpp>

#include "core/ContentError.hpp"
#include "core/JsonFile.hpp"
#include "core/Services.hpp"
#include "input/InputManager.hpp"

std::optional<Action> ActionFromName(std::string_view name) {
    const ActionNames table;
    for (int32_t i = 0; i < ActionNames::count; ++i) {
        if (name == table.names[i]) return static_cast<Action>(i);
    }
    return std::nullopt;
}

void LoadKeyMappings(const std::string& path) {
    const boost::property_tree::ptree tree = ReadJsonFile(path);
    if (!tree.data().empty() && tree.empty()) {
        throw ContentError(path, "the key mappings must be a JSON object of action names");
    }
    for (const auto& [name, value] : tree) {
        const auto action = ActionFromName(name);
        const Key key = KeyFromName(value.get_value<std::string>());
        // An unknown action binds nothing that a query could reach.
        if (action) Services::input->Bind(*action, key);
    }
}
