#include <gtest/gtest.h>

#include "core/Services.hpp"
#include "input/InputManager.hpp"
#include "input/KeyMappings.hpp"
#include "support/TempContent.hpp"

// Loaded on top of a W bound to MoveUp: one binding per member of a known action, in file order.
TEST(LoadKeyMappings, AddsOneBindingPerMemberOfAKnownActionInFileOrder) {
    using Pairs = std::vector<std::pair<Action, int32_t>>;
    const std::pair<std::string, Pairs> cases[] = {
        {"{}", {}},
        {R"({"MoveUp": "Up", "MoveUp": "W", "MoveDown": "Down"})",
         {{Action::MoveUp, 77}, {Action::MoveUp, 33}, {Action::MoveDown, 79}}},
        {R"({"MoveLeft": "A", "Jump": "Space", "moveright": "D", "MoveRight": "d"})",  // names are exact
         {{Action::MoveLeft, 46}, {Action::MoveRight, 0}}}};
    for (const auto& [json, added] : cases) {
        TempContent content;
        content.Write("Content/Config/KeyMappings.json", json);
        InputManager input;
        Services::input = &input;
        input.Bind(Action::MoveUp, Key::W);
        LoadKeyMappings("Content/Config/KeyMappings.json");
        Services::input = nullptr;
        Pairs expected{{Action::MoveUp, 33}}, bound;
        expected.insert(expected.end(), added.begin(), added.end());
        for (const auto& [action, key] : input.bindings) bound.emplace_back(action, int32_t(key));
        EXPECT_EQ(bound, expected) << json;
    }
}
