#pragma once

#include <functional>
#include <optional>
#include <string>

#include "core/ActionNames.hpp"
#include "gameplay/MenuPage.hpp"
#include "input/Key.hpp"

// Every action with its keys. Choosing one waits for a key or mouse button, which then is the
// action's key instead; a key another action uses is named and a swap is asked about first.
// "Reset to defaults" goes back to the shipped mappings. Each change is written to the player's
// own key-mapping file. Esc cancels the wait, so it can never be bound away from the menu.
class KeysPage : public MenuPage {
public:
    std::function<void(const std::string&)> showMessage;

    std::string Title() const override { return "Keys"; }
    std::vector<MenuRow> Rows() const override;
    bool Choose(int32_t row) override;
    bool Capturing() const override { return waiting_.has_value(); }
    void Capture() override;

    static constexpr int32_t resetRow = ActionNames::count;
    static constexpr int32_t backRow = ActionNames::count + 1;

    // `key` becomes the only key of `action`. A key that `action` already has elsewhere, or
    // that another action uses, is first asked about in the panel (swap or cancel).
    void Bind(Action action, Key key);
    // `action` gets `key` alone; with `swap`, the action that had `key` gets `action`'s old keys.
    void Rebind(Action action, Key key, std::optional<Action> swapWith);
    void ResetToDefaults();

private:
    void Keep();

    std::optional<Action> waiting_;
};

// The first key or mouse button pressed in this frame that can be bound (not Esc), or none.
Key PressedBindableKey();
