#include <gtest/gtest.h>

#include <array>
#include <stdexcept>
#include <vector>

#include "input/InputManager.hpp"

// Per frame: the keys down, then whether Up is down and pressed, and MoveUp (Up or W) down and pressed.
TEST(InputManager, AKeyOrActionIsDownWhileHeldAndPressedOnlyWhenItGoesDown) {
    InputManager input;
    input.Bind(Action::MoveUp, Key::Up);
    input.Bind(Action::MoveUp, Key::W);
    const std::pair<std::vector<Key>, std::array<bool, 4>> frames[] = {
        {{Key::Up}, {true, true, true, true}},
        {{Key::Up, Key::W}, {true, false, true, false}},  // a second key while the first is held
        {{Key::W}, {false, false, true, false}},          // one let go, the other still held
        {{}, {false, false, false, false}},
        {{Key::Up, Key::Down}, {true, true, true, true}}};
    for (const auto& [keys, expected] : frames) {
        input.BeginFrame();
        input.keys.reset();
        for (Key k : keys) input.SetKey(k, true);
        EXPECT_EQ(
            (std::array<bool, 4>{input.IsKeyDown(Key::Up), input.IsKeyPressed(Key::Up),
                                 input.IsActionDown(Action::MoveUp), input.IsActionPressed(Action::MoveUp)}),
            expected);
        EXPECT_FALSE(input.IsActionDown(Action::MoveDown));  // an action without keys
    }
    EXPECT_THROW(input.SetKey(Key(256), true), std::out_of_range);
}
