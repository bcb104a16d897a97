#include <stdexcept>

#include <gtest/gtest.h>

#include "input/InputManager.hpp"

namespace {

class Input : public ::testing::Test {
protected:
    // One frame: previous := current, then the keys that are down in it.
    void Frame(std::initializer_list<Key> down) {
        input.BeginFrame();
        input.keys.reset();
        for (Key k : down) input.SetKey(k, true);
    }
    InputManager input;
};

TEST_F(Input, HeldKeyIsDownEveryFramePressedOnlyInTheFirst) {
    Frame({Key::Space});
    EXPECT_TRUE(input.IsKeyDown(Key::Space));
    EXPECT_TRUE(input.IsKeyPressed(Key::Space));
    for (int i = 0; i < 3; ++i) {
        Frame({Key::Space});
        EXPECT_TRUE(input.IsKeyDown(Key::Space));
        EXPECT_FALSE(input.IsKeyPressed(Key::Space));
    }
    Frame({});
    EXPECT_FALSE(input.IsKeyDown(Key::Space));
    Frame({Key::Space});
    EXPECT_TRUE(input.IsKeyPressed(Key::Space));
}

TEST_F(Input, ActionBoundToTwoKeys) {
    input.Bind(Action::MoveUp, Key::Up);
    input.Bind(Action::MoveUp, Key::W);
    Frame({Key::Up});
    EXPECT_TRUE(input.IsActionPressed(Action::MoveUp));
    Frame({Key::Up, Key::W});  // the second key while the first is held: no new press
    EXPECT_TRUE(input.IsActionDown(Action::MoveUp));
    EXPECT_FALSE(input.IsActionPressed(Action::MoveUp));
    Frame({Key::W});  // one released, the other still held
    EXPECT_TRUE(input.IsActionDown(Action::MoveUp));
    EXPECT_FALSE(input.IsActionPressed(Action::MoveUp));
    Frame({});
    EXPECT_FALSE(input.IsActionDown(Action::MoveUp));
    EXPECT_FALSE(input.IsActionDown(Action::MoveDown));
}

TEST_F(Input, ActionWithoutKeysIsNeverDown) {
    input.Bind(Action::MoveUp, Key::Up);
    Frame({Key::Up, Key::Down, Key::None});
    EXPECT_FALSE(input.IsActionDown(Action::MoveDown));
    EXPECT_FALSE(input.IsActionPressed(Action::MoveDown));
    EXPECT_TRUE(input.IsActionActive(Action::MoveUp, input.keys));
    EXPECT_FALSE(input.IsActionActive(Action::MoveUp, input.previousKeys));
}

TEST_F(Input, PollMouseWritesAllThreeButtonsAndThePosition) {
    input.PollMouse(Vector2(-5, 900), true, false, true);
    input.BeginFrame();
    input.PollMouse(Vector2(3, 4), false, true, false);
    EXPECT_EQ(input.previousMousePosition, Vector2(-5, 900));  // not clamped
    EXPECT_EQ(input.mousePosition, Vector2(3, 4));
    EXPECT_FALSE(input.IsKeyDown(Key::LeftMouse));
    EXPECT_TRUE(input.IsKeyPressed(Key::MiddleMouse));
    EXPECT_FALSE(input.IsKeyDown(Key::RightMouse));
}

TEST_F(Input, CodesBeyondTheKeySetAreOutOfRange) {
    input.SetKey(Key(255), true);
    EXPECT_TRUE(input.IsKeyDown(Key(255)));
    EXPECT_THROW(input.SetKey(Key(256), true), std::out_of_range);
    EXPECT_THROW((void)input.IsKeyDown(Key(256)), std::out_of_range);
}

}  // namespace
