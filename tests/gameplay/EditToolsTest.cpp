#include <gtest/gtest.h>

#include <initializer_list>

#include "core/Services.hpp"
#include "gameplay/BackgroundTile.hpp"
#include "gameplay/EditorMarks.hpp"
#include "gameplay/GameplayState.hpp"
#include "gameplay/HelpCard.hpp"
#include "input/InputManager.hpp"
#include "scene/Component.hpp"
#include "scene/TextComponent.hpp"
#include "support/AllocationCounter.hpp"
#include "support/GameplayWorld.hpp"

namespace {

int32_t At(GridCell cell) { return GameplayWorld::Shown()[size_t(SlotOf(cell))]; }

// The pieces drawn over the maze by the tools: outline segments and floating tiles.
int Drawn(const GameObject& object = *gameplayState.marks) {
    int count = object.sprite && object.sprite->layer == 2 ? 1 : 0;
    for (const GameObject* child : object.children) count += Drawn(*child);
    return count;
}

// The editor on over A.json (a start and a ring of 1s around a pocket) and B.json (floor).
class Tools : public ::testing::Test {
protected:
    void SetUp() override {
        world.Press({Key::E});
        GameplayWorld::ClearClicks();
    }
    static LevelFile Ring() {
        LevelFile level = GameplayWorld::Level({{{1, 1}, 7}, {{10, 5}, 1}}, "A.json");
        for (int32_t column = 5; column <= 9; ++column) {
            for (int32_t row = 2; row <= 4; ++row) {
                if (row != 3 || column == 5 || column == 9) level.codes[size_t(SlotOf({column, row}))] = 1;
            }
        }
        return level;
    }
    // A button held from `from` over `to` with `keys` held, then let go over `to`; `during`
    // runs after the frame over `to`.
    void Drag(bool left, GridCell from, GridCell to, std::initializer_list<Key> held,
              const std::function<void()>& during = {}) {
        world.RunFrames(2, [&](int n) {
            for (Key key : held) Services::input->SetKey(key, true);
            const GridCell at = n == 1 ? from : to;
            GameplayWorld::Mouse(GridToWorld(at.column, at.row), left, !left);
        });
        if (during) during();
        world.RunFrames(2, [&](int n) {
            GameplayWorld::Mouse(GridToWorld(to.column, to.row), false, false);
            for (Key key : held) Services::input->SetKey(key, n == 1);
        });
    }
    void Click(GridCell at, std::initializer_list<Key> held = {}) { Drag(true, at, at, held); }
    void Undo() { world.Press({Key::Ctrl, Key::Z}); }

    GameplayWorld world{{Ring(), GameplayWorld::Level({}, "B.json")}};
};

}  // namespace

TEST_F(Tools, AShiftDragIsOutlinedWhileHeldAndPaintsItsRectangleAsOneStep) {
    const LevelCodes before = GameplayWorld::Shown();
    Drag(true, {1, 5}, {3, 7}, {Key::Shift}, [&] {
        EXPECT_EQ(Drawn(), 2 * (3 + 3));  // the outline's sides, cell by cell
        EXPECT_EQ(GameplayWorld::Shown(), before);
    });
    EXPECT_EQ(Drawn(), 0);
    LevelCodes expected = before;
    for (int32_t column = 1; column <= 3; ++column) {
        for (int32_t row = 5; row <= 7; ++row) expected[size_t(SlotOf({column, row}))] = 2;
    }
    EXPECT_EQ(GameplayWorld::Shown(), expected);
    Undo();
    EXPECT_EQ(GameplayWorld::Shown(), before);
}

TEST_F(Tools, ACtrlClickFillsTheRegionOutlinedWhileCtrlIsHeldAsOneStepWithoutAllocating) {
    for (int i = 0; i < 3; ++i) world.Press({Key::N});  // cursor code 5
    const LevelCodes before = GameplayWorld::Shown();
    world.platform->sleeps.reserve(world.platform->sleeps.size() + 100);  // the fake's own log
    const uint64_t allocations = AllocationCount();
    world.RunFrames(20, [](int) {
        Services::input->SetKey(Key::Ctrl, true);
        GameplayWorld::Mouse(GridToWorld(7, 2), false, false);
    });
    EXPECT_EQ(AllocationCount(), allocations);
    EXPECT_EQ(Drawn(), 24);  // the ring's outer border (16) and the pocket's (8)
    Click({7, 2}, {Key::Ctrl});
    LevelCodes expected = before;
    for (int32_t slot = 0; slot < TileCount; ++slot) {
        if (before[size_t(slot)] == 1) expected[size_t(slot)] = 5;
    }
    expected[size_t(SlotOf({10, 5}))] = 1;  // touches the ring by a corner only
    EXPECT_EQ(GameplayWorld::Shown(), expected);
    EXPECT_EQ(At({7, 3}), 0);  // the pocket inside is floor, another code
    Undo();
    EXPECT_EQ(GameplayWorld::Shown(), before);
}

TEST_F(Tools, ABlockCutFromOneLevelIsPastedIntoAnotherAndEachDropIsOneStep) {
    world.Press({Key::Ctrl, Key::V});  // nothing copied yet: nothing floats
    EXPECT_EQ(Drawn(), 0);
    Drag(false, {9, 4}, {10, 5}, {Key::Shift});  // codes 1, 0 over 0, 1
    EXPECT_EQ(Drawn(), 8);                         // the selection stays outlined
    world.Press({Key::Ctrl, Key::X});
    EXPECT_EQ(At({9, 4}) + At({10, 5}), 0);
    world.Press({Key::Ctrl, Key::PageDown});  // to B.json
    world.Press({Key::Ctrl, Key::V});
    world.RunFrames(1, [](int) { GameplayWorld::Mouse(GridToWorld(2, 2), false, false); });
    EXPECT_EQ(Drawn(), 4);  // floating under the pointer
    world.Press({Key::Esc});
    EXPECT_EQ(Drawn(), 0);
    EXPECT_EQ(GameplayWorld::Shown(), LevelCodes{});
    GameplayWorld::SetCode({4, 2}, 3);  // beside where the block lands: kept
    LevelCodes unpasted{};
    unpasted[size_t(SlotOf({4, 2}))] = 3;
    world.Press({Key::Ctrl, Key::V});
    Click({2, 2});
    world.Press({Key::Ctrl, Key::V});
    Click({13, 8});  // hangs over the corner: only the block's top-left lands
    EXPECT_EQ(std::vector<int32_t>({At({2, 2}), At({3, 2}), At({2, 3}), At({3, 3}), At({4, 2}), At({13, 8})}),
              std::vector<int32_t>({1, 0, 0, 1, 3, 1}));
    Undo();
    EXPECT_EQ(At({13, 8}), 0);
    Undo();
    EXPECT_EQ(GameplayWorld::Shown(), unpasted);
    world.Press({Key::Ctrl, Key::Y});
    EXPECT_EQ(At({2, 2}) + At({3, 3}), 2);
    world.Press({Key::Ctrl, Key::PageUp});  // A's cut is one step of its own
    Undo();
    EXPECT_EQ(At({9, 4}) + At({10, 5}), 2);
}

TEST_F(Tools, F1OrQuestionMarkShowsTheKeysOverTheMazeAndAnyKeyClosesIt) {
    EXPECT_EQ(gameplayState.title->text->text, "F1: keys");  // said as the editor came on
    world.Press({Key::F1});
    ASSERT_TRUE(gameplayState.help->IsOpen());
    const Vector2 player = GameplayWorld::PlayerAt();
    world.Press({Key::Right});  // closes the card, moves nobody
    world.RunFrames(20);
    EXPECT_EQ(Drawn(*gameplayState.help), 0);
    EXPECT_FALSE(gameplayState.help->IsOpen());
    EXPECT_EQ(GameplayWorld::PlayerAt(), player);
    world.Press({Key::Shift, Key::OemSlash});
    EXPECT_TRUE(gameplayState.help->IsOpen());
    Click({4, 6});  // a click closes it too, and paints nothing
    EXPECT_FALSE(gameplayState.help->IsOpen());
    EXPECT_EQ(At({4, 6}), 0);
}
