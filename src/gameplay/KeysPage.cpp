#include "gameplay/KeysPage.hpp"

#include <algorithm>
#include <vector>

#include "core/ContentFolder.hpp"
#include "core/ErrorReport.hpp"
#include "core/Services.hpp"
#include "gameplay/GameplayState.hpp"
#include "gameplay/MessagePanel.hpp"
#include "input/InputManager.hpp"
#include "input/KeyMappings.hpp"
#include "input/UserKeyMappings.hpp"

namespace {

std::string ActionName(Action action) { return ActionNames{}.names[int32_t(action)]; }

std::vector<Key> KeysOf(Action action) {
    std::vector<Key> keys;
    const auto [begin, end] = Services::input->bindings.equal_range(action);
    for (auto it = begin; it != end; ++it) {
        if (std::find(keys.begin(), keys.end(), it->second) == keys.end()) keys.push_back(it->second);
    }
    return keys;
}

void SetKeys(Action action, const std::vector<Key>& keys) {
    KeyBindings& bindings = Services::input->bindings;
    bindings.erase(action);
    for (Key key : keys) bindings.emplace(action, key);
}

std::optional<Action> OtherOwner(Action action, Key key) {
    for (const auto& [owner, bound] : Services::input->bindings) {
        if (bound == key && owner != action) return owner;
    }
    return std::nullopt;
}

}  // namespace

Key PressedBindableKey() {
    const InputManager& input = *Services::input;
    for (int32_t code = int32_t(Key::Esc) + 1; code < int32_t(Key::End_); ++code) {
        if (input.IsKeyPressed(Key(code))) return Key(code);
    }
    return Key::None;
}

std::vector<MenuRow> KeysPage::Rows() const {
    std::vector<MenuRow> rows;
    for (int32_t i = 0; i < ActionNames::count; ++i) {
        const auto action = Action(i);
        std::string keys;
        for (Key key : KeysOf(action)) keys += (keys.empty() ? "" : ", ") + std::string(KeyName(key));
        if (waiting_ == action) keys = "Press a key (Esc: cancel)";
        rows.push_back({ActionName(action), keys.empty() ? "-" : keys});
    }
    rows.push_back({"Reset to defaults", ""});
    rows.push_back({"Back", ""});
    return rows;
}

bool KeysPage::Choose(int32_t row) {
    if (row == backRow) return false;
    if (row == resetRow) {
        ResetToDefaults();
    } else if (row >= 0 && row < ActionNames::count) {
        waiting_ = Action(row);
    }
    return true;
}

void KeysPage::Capture() {
    const InputManager& input = *Services::input;
    if (input.IsKeyPressed(Key::Esc) || input.IsKeyPressed(Key::PadB)) {
        waiting_.reset();
        return;
    }
    const Key key = PressedBindableKey();
    if (key == Key::None) return;
    const Action action = *waiting_;
    waiting_.reset();
    Bind(action, key);
}

void KeysPage::Bind(Action action, Key key) {
    const std::optional<Action> owner = OtherOwner(action, key);
    if (!owner) return Rebind(action, key, std::nullopt);
    const std::string name(KeyName(key));
    gameplayState.panel->Open(
        name + " is also used by " + ActionName(*owner) + ": swap? " + ActionName(*owner) +
            " then gets the keys of " + ActionName(action) + ".",
        {{Key::OemEnter, Key::PadA, "Enter: Swap", [=, this] { Rebind(action, key, owner); }},
         {Key::Esc, Key::PadB, "Esc: Cancel", {}}});
}

void KeysPage::Rebind(Action action, Key key, std::optional<Action> swapWith) {
    const std::vector<Key> old = KeysOf(action);
    if (swapWith) {
        std::vector<Key> theirs = KeysOf(*swapWith);
        std::erase(theirs, key);
        for (Key given : old) {
            if (given != key && std::find(theirs.begin(), theirs.end(), given) == theirs.end())
                theirs.push_back(given);
        }
        SetKeys(*swapWith, theirs);
    }
    SetKeys(action, {key});
    Keep();
}

void KeysPage::ResetToDefaults() {
    const KeyBindings before = Services::input->bindings;
    Services::input->bindings.clear();
    try {
        LoadKeyMappings((ContentFolder() / "Config" / "KeyMappings.json").string());
    } catch (const std::exception& e) {
        Services::input->bindings = before;
        ReportToLog(DescribeFatalError(e));
        if (showMessage) showMessage(DescribeFatalError(e));
        return;
    }
    Keep();
}

void KeysPage::Keep() {
    try {
        WriteUserKeyMappings(Services::input->bindings);
    } catch (const std::exception& e) {
        // The keys hold for this run all the same.
        const std::string line = DescribeFatalError(e);
        ReportToLog(line);
        if (showMessage) showMessage(line);
    }
}
