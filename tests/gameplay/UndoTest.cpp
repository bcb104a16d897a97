#include <gtest/gtest.h>

#include <vector>

#include "core/Services.hpp"
#include "gameplay/BackgroundTile.hpp"
#include "gameplay/EditHistory.hpp"
#include "gameplay/GameplayState.hpp"
#include "gameplay/Player.hpp"
#include "input/InputManager.hpp"
#include "scene/Component.hpp"
#include "support/AllocationCounter.hpp"
#include "support/AudioProbe.hpp"
#include "support/GameplayWorld.hpp"

namespace {

// Walls along the top row, the start on cell (1, 1).
LevelCodes MazeCodes() {
    LevelCodes codes{};
    for (int32_t column = 0; column < GridColumns; ++column) codes[size_t(column)] = 1;
    codes[SlotOf({1, 1})] = 7;
    return codes;
}

LevelCodes Shown() {
    LevelCodes codes{};
    for (int32_t slot = 0; slot < TileCount; ++slot)
        codes[size_t(slot)] = gameplayState.tiles[size_t(slot)]->kind;
    return codes;
}

Vector2 PlayerAt() { return gameplayState.player->pos2d->position; }

class Undo : public ::testing::Test {
protected:
    void SwitchOn() {
        world.Tap(Key::E);
        ClearAudioLog();
    }
    // Ctrl (and Shift) held with `key` pressed for one frame, then all let go.
    void Chord(Key key, bool shift = false) {
        world.RunFrames(2, [key, shift](int n) {
            Services::input->SetKey(Key::Ctrl, n == 1);
            Services::input->SetKey(Key::Shift, shift && n == 1);
            Services::input->SetKey(key, n == 1);
        });
    }
    void PressUndo() { Chord(Key::Z); }
    void PressRedo() { Chord(Key::Y); }
    // One stroke: the place button held over each cell in turn, one frame each, then let go.
    void Drag(const std::vector<GridCell>& cells) {
        world.RunFrames(int(cells.size()) + 1, [&cells](int n) {
            const bool held = size_t(n) <= cells.size();
            const GridCell at = cells[held ? size_t(n - 1) : cells.size() - 1];
            GameplayWorld::Mouse(GridToWorld(at.column, at.row), held, false);
        });
    }
    void Paint(GridCell cell) { Drag({cell}); }

    GameplayWorld world{{{"Maze.json", MazeCodes()}}};
};

}  // namespace

TEST_F(Undo, ADragOfFiveCellsUndoesAndRedoesInOneStep) {
    SwitchOn();
    Paint({2, 6});
    const LevelCodes beforeDrag = Shown();
    Drag({{3, 4}, {4, 4}, {5, 4}, {6, 4}, {7, 4}});
    LevelCodes dragged = beforeDrag;
    for (int32_t column = 3; column <= 7; ++column) dragged[SlotOf({column, 4})] = 2;
    ASSERT_EQ(Shown(), dragged);

    PressUndo();
    EXPECT_EQ(Shown(), beforeDrag);  // the earlier single cell stays
    EXPECT_EQ(CueCount("Click"), 1);
    PressRedo();
    EXPECT_EQ(Shown(), dragged);
    EXPECT_EQ(CueCount("Click"), 2);
    Chord(Key::Z);
    Chord(Key::Z, true);  // Ctrl+Shift+Z redoes too
    EXPECT_EQ(Shown(), dragged);
    EXPECT_EQ(CueCount("Click"), 4);
}

TEST_F(Undo, PastEitherEndNothingHappensAndNothingClicks) {
    SwitchOn();
    const LevelCodes loaded = Shown();
    PressUndo();
    PressRedo();
    EXPECT_EQ(CuesPlayed(), std::vector<std::string>{});
    Paint({4, 4});
    PressUndo();
    PressUndo();
    EXPECT_EQ(Shown(), loaded);
    EXPECT_EQ(CueCount("Click"), 1);
    PressRedo();
    PressRedo();
    EXPECT_EQ(Shown()[SlotOf({4, 4})], 2);
    EXPECT_EQ(CueCount("Click"), 2);
}

TEST_F(Undo, ANewStrokeAfterAnUndoDropsTheRedo) {
    SwitchOn();
    Paint({4, 4});
    PressUndo();
    Paint({5, 5});
    PressRedo();  // nothing left to redo: (4, 4) stays floor
    EXPECT_EQ(GameplayWorld::Tile(4, 4).kind, 0);
    EXPECT_EQ(GameplayWorld::Tile(5, 5).kind, 2);
    EXPECT_EQ(CueCount("Click"), 1);
    PressUndo();
    EXPECT_EQ(GameplayWorld::Tile(5, 5).kind, 0);
}

TEST_F(Undo, AStrokeThatChangesNothingIsNoStepAndKeepsTheRedo) {
    SwitchOn();
    Paint({4, 4});
    Paint({6, 6});
    PressUndo();
    Paint({4, 4});  // code 2 on a cell that already has it
    PressUndo();
    EXPECT_EQ(GameplayWorld::Tile(4, 4).kind, 0);  // the undo took back the first stroke
    PressRedo();
    PressRedo();
    EXPECT_EQ(GameplayWorld::Tile(6, 6).kind, 2);
}

TEST_F(Undo, ACopyIsOneStepOfTheCursor) {
    SwitchOn();
    GameplayWorld::Tile(6, 6).SetKind(5);
    world.RunFrames(3, [](int n) { GameplayWorld::Mouse(GridToWorld(n == 1 ? 0 : 6, 6), false, n <= 2); });
    ASSERT_EQ(gameplayState.cursorTile->kind, 5);
    PressUndo();
    EXPECT_EQ(gameplayState.cursorTile->kind, 2);  // one step back over both cells copied
    PressRedo();
    EXPECT_EQ(gameplayState.cursorTile->kind, 5);
}

TEST_F(Undo, OnlyWithTheEditorOnAndNotWhileAButtonIsHeld) {
    SwitchOn();
    Paint({4, 4});
    world.RunFrames(2, [](int n) {
        GameplayWorld::Mouse(GridToWorld(9, 5), n == 1, false);
        Services::input->SetKey(Key::Ctrl, n == 1);
        Services::input->SetKey(Key::Z, n == 1);
    });
    EXPECT_EQ(GameplayWorld::Tile(4, 4).kind, 2);
    world.Tap(Key::E);
    ClearAudioLog();
    PressUndo();
    EXPECT_EQ(GameplayWorld::Tile(9, 5).kind, 2);
    EXPECT_EQ(CuesPlayed(), std::vector<std::string>{});
    // Back on, the two strokes come back one at a time.
    SwitchOn();
    PressUndo();
    EXPECT_EQ(GameplayWorld::Tile(9, 5).kind, 0);
    EXPECT_EQ(GameplayWorld::Tile(4, 4).kind, 2);
}

TEST_F(Undo, TakingBackAStartCellPutsThePlayerWhereTheLevelWouldPutIt) {
    SwitchOn();
    for (int i = 0; i < 5; ++i) world.Tap(Key::N);  // cursor code 7
    Paint({10, 3});
    ASSERT_EQ(PlayerAt(), GridToWorld(10, 3));
    PressUndo();
    EXPECT_EQ(GameplayWorld::Tile(10, 3).kind, 0);
    EXPECT_EQ(PlayerAt(), GridToWorld(1, 1));
    PressRedo();
    EXPECT_EQ(PlayerAt(), GridToWorld(10, 3));
}

TEST_F(Undo, RestoringALowerStartCellKeepsThePlayerOnTheHighestOne) {
    SwitchOn();
    for (int i = 0; i < 5; ++i) world.Tap(Key::N);
    Paint({10, 3});     // a second start, in a higher slot than (1, 1)
    world.Tap(Key::N);  // code 0
    Paint({1, 1});      // removes the first start; the player stays on (10, 3)
    ASSERT_EQ(PlayerAt(), GridToWorld(10, 3));
    PressUndo();  // (1, 1) is a start again, but (10, 3) is the later one
    EXPECT_EQ(GameplayWorld::Tile(1, 1).kind, 7);
    EXPECT_EQ(PlayerAt(), GridToWorld(10, 3));
}

TEST(EditHistory, ASlotChangedBackWithinAStrokeIsNoStep) {
    EditHistory history;
    history.Record(5, 0, 2);
    history.Record(EditHistory::cursorSlot, 2, 4);
    history.EndStroke();
    history.Record(5, 2, 3);
    history.Record(5, 3, 2);
    history.EndStroke();
    EXPECT_EQ(history.UndoCount(), 1u);
    const auto step = history.Undo();
    ASSERT_EQ(step.size(), 2u);
    EXPECT_EQ(step[0].slot, 5);
    EXPECT_EQ(step[0].before, 0);
    EXPECT_EQ(step[1].after, 4);
    EXPECT_EQ(history.RedoCount(), 1u);
    EXPECT_THROW(history.Record(EditHistory::cursorSlot + 1, 0, 1), std::out_of_range);
}

TEST_F(Undo, FramesWithNothingPaintedAllocateNothing) {
    world.platform->sleeps.reserve(8192);
    const auto countOver = [this](int frames) {
        uint64_t before = 0, after = 0;
        world.RunFrames(frames + 2, [&](int n) {
            // The pointer sweeps the grid with no button held.
            GameplayWorld::Mouse(Vector2(float(n % 800), float((n * 7) % 600)), false, false);
            if (n == 2) before = AllocationCount();
            if (n == frames + 2) after = AllocationCount();
        });
        return after - before;
    };
    EXPECT_EQ(countOver(300), 0u) << "editor off";
    SwitchOn();
    for (int i = 0; i < 20; ++i) Paint({i % GridColumns, 2 + i % 5});
    EXPECT_EQ(countOver(600), 0u) << "editor on, with a history";
    const uint64_t probe = AllocationCount();
    Paint({3, 7});
    EXPECT_GT(AllocationCount(), probe) << "the counter must see a stroke being recorded";
}

TEST_F(Undo, PaintingFramesAllocateNothingUntilTheStrokeEnds) {
    world.platform->sleeps.reserve(8192);
    SwitchOn();
    uint64_t before = 0, during = 0;
    constexpr int frames = 200;
    // The place button held while the pointer sweeps row 3 back and forth, painting as it goes.
    world.RunFrames(frames + 2, [&](int n) {
        const float x = float(16 + (n * 37) % (GridColumns * 64 - 64));
        GameplayWorld::Mouse(Vector2(x, 3 * 64 + 32), true, false);
        if (n == 2) before = AllocationCount();
        if (n == frames + 2) during = AllocationCount();
    });
    EXPECT_EQ(during - before, 0u);
    const LevelCodes painted = Shown();
    EXPECT_EQ(painted[SlotOf({5, 3})], gameplayState.cursorTile->kind);  // it really painted
}
