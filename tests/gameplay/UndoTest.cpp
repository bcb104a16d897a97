#include <gtest/gtest.h>

#include "core/Services.hpp"
#include "gameplay/BackgroundTile.hpp"
#include "gameplay/GameplayState.hpp"
#include "input/InputManager.hpp"
#include "support/GameplayWorld.hpp"

namespace {

int32_t Code(int32_t column, int32_t row) { return GameplayWorld::Tile(column, row).kind; }

// The editor on over a floor with the start on cell (1, 1).
class Undo : public ::testing::Test {
protected:
    void SetUp() override {
        world.Press({Key::E});
        GameplayWorld::ClearClicks();
    }
    void PressUndo(int times = 1) {
        for (int i = 0; i < times; ++i) world.Press({Key::Ctrl, Key::Z});
    }
    void PressRedo(int times = 1) {
        for (int i = 0; i < times; ++i) world.Press({Key::Ctrl, Key::Y});
    }

    GameplayWorld world{{GameplayWorld::Level({{{1, 1}, 7}})}};
};

}  // namespace

TEST_F(Undo, EachStrokeUndoesAndRedoesAsOneStepWithAClickAndPastTheEndsNothingHappens) {
    world.Paint({{2, 6}});
    const LevelCodes beforeDrag = GameplayWorld::Shown();
    world.Paint({{3, 4}, {4, 4}, {5, 4}, {6, 4}, {7, 4}});
    const LevelCodes dragged = GameplayWorld::Shown();
    PressUndo();
    EXPECT_EQ(GameplayWorld::Shown(), beforeDrag);  // the whole drag, and only it
    world.Press({Key::Ctrl, Key::Shift, Key::Z});   // redoes, as Ctrl+Y does
    EXPECT_EQ(GameplayWorld::Shown(), dragged);
    PressUndo(3);
    EXPECT_EQ(Code(2, 6), 0);
    PressRedo(3);
    EXPECT_EQ(GameplayWorld::Shown(), dragged);
    EXPECT_EQ(GameplayWorld::Clicks(), 6);
}

TEST_F(Undo, ANewStepDropsTheRedoButAStrokeThatChangesNothingIsNoStep) {
    world.Paint({{4, 4}});
    world.Paint({{6, 6}});
    PressUndo();
    world.Paint({{4, 4}});  // code 2 where it is already: no step, the redo stays
    PressRedo();
    EXPECT_EQ(Code(6, 6), 2);
    PressUndo(2);
    world.Paint({{5, 5}});  // a new step: (4, 4) and (6, 6) cannot come back
    PressRedo();
    EXPECT_EQ(Code(4, 4) + Code(6, 6), 0);
    // A copy is a step of the cursor's code, one for the whole stroke.
    GameplayWorld::SetCode({6, 6}, 5);
    world.RunFrames(3, [](int n) { GameplayWorld::Mouse(GridToWorld(n == 1 ? 0 : 6, 6), false, n <= 2); });
    ASSERT_EQ(gameplayState.cursorTile->kind, 5);
    PressUndo();
    EXPECT_EQ(gameplayState.cursorTile->kind, 2);
}

TEST_F(Undo, NotWhileAButtonIsHeldMidStroke) {
    world.Paint({{4, 4}});
    world.RunFrames(2, [](int n) {
        GameplayWorld::Mouse(GridToWorld(9, 5), n == 1, false);
        Services::input->SetKey(Key::Ctrl, n == 1);
        Services::input->SetKey(Key::Z, n == 1);
    });
    EXPECT_EQ(Code(4, 4) + Code(9, 5), 4);
    PressUndo();  // the strokes come back one at a time
    EXPECT_EQ(std::make_pair(Code(4, 4), Code(9, 5)), std::make_pair(2, 0));
}

TEST_F(Undo, TakingBackAStartCellPutsThePlayerWhereTheLevelWouldPutIt) {
    for (int i = 0; i < 5; ++i) world.Press({Key::N});  // cursor code 7
    world.Paint({{10, 3}});
    PressUndo();
    EXPECT_EQ(GameplayWorld::PlayerAt(), GridToWorld(1, 1));
    PressRedo();
    EXPECT_EQ(GameplayWorld::PlayerAt(), GridToWorld(10, 3));
    world.Press({Key::N});  // code 0
    world.Paint({{1, 1}});  // the first start goes; the player stays on (10, 3)
    PressUndo();            // (1, 1) is a start again, but (10, 3) comes later in slot order
    EXPECT_EQ(Code(1, 1), 7);
    EXPECT_EQ(GameplayWorld::PlayerAt(), GridToWorld(10, 3));
}
