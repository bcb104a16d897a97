#include <gtest/gtest.h>

#include <boost/filesystem/directory.hpp>
#include <boost/filesystem/operations.hpp>
#include <limits>

#include "core/GameSettings.hpp"
#include "core/Services.hpp"
#include "gameplay/BackgroundTile.hpp"
#include "gameplay/GameplayState.hpp"
#include "gameplay/LevelFiles.hpp"
#include "gameplay/MessagePanel.hpp"
#include "scene/Component.hpp"
#include "support/GameplayWorld.hpp"

namespace fs = boost::filesystem;

namespace {

int32_t Cursor() { return gameplayState.cursorTile->kind; }

class Editor : public ::testing::Test {
protected:
    void SwitchOn() {
        world.Press({Key::E});
        GameplayWorld::ClearClicks();
    }
    void Point(GridCell cell, bool place, bool copy = false) {
        world.RunFrames(1,
                        [=](int) { GameplayWorld::Mouse(GridToWorld(cell.column, cell.row), place, copy); });
    }
    void CopyIntoCursor(int32_t code) {  // through a cell, as a user would
        GameplayWorld::SetCode({6, 6}, code);
        world.Copy({6, 6});
    }

    // Codes outside the palette in row 8; the start on cell (1, 1).
    GameplayWorld world{{GameplayWorld::Level({{{0, 8}, 9}, {{1, 8}, -1}, {{1, 1}, 7}}, "Maze.JSON")}};
};

}  // namespace

TEST_F(Editor, TheToggleAndThePaletteKeysActInTheOrderPressedAndClickEachTime) {
    world.Press({Key::E, Key::N});  // switched on and stepped in one frame
    std::vector<int32_t> seen{Cursor()};
    for (Key key : {Key::N, Key::N, Key::N, Key::N, Key::N, Key::N, Key::P, Key::P}) {
        world.Press({key});
        seen.push_back(Cursor());
    }
    EXPECT_EQ(seen, (std::vector<int32_t>{3, 4, 5, 6, 7, 8, 0, 8, 7}));  // nine codes, round and round
    world.Press({Key::N, Key::P});                                    // both at once: forth and back
    EXPECT_EQ(Cursor(), 7);
    EXPECT_EQ(GameplayWorld::Clicks(), 12);
    // A copied code outside the palette steps by its remainder, without overflow; copies are silent.
    for (const auto& [copied, key, next] : {std::tuple{42, Key::N, 7},
                                            {42, Key::P, 41},
                                            {std::numeric_limits<int32_t>::max(), Key::N, 2},
                                            {std::numeric_limits<int32_t>::min(), Key::P, 8}}) {
        CopyIntoCursor(copied);
        world.Press({key});
        EXPECT_EQ(Cursor(), next) << copied;
    }
    EXPECT_EQ(GameplayWorld::Clicks(), 16);
}

TEST_F(Editor, ThePlaceButtonPaintsEveryCellThePointerCrossesOnTheGrid) {
    SwitchOn();
    // From (1, 2) to (5, 4) in one frame: the cells of the line between are painted too.
    LevelCodes expected = GameplayWorld::Shown();
    Point({1, 2}, true, true);  // both buttons: only placing
    Point({5, 4}, true);
    for (GridCell cell : {GridCell{1, 2}, {2, 3}, {3, 3}, {4, 4}, {5, 4}}) expected[size_t(SlotOf(cell))] = 2;
    // Letting go ends the stroke: the next press does not join up with the last one.
    Point({5, 4}, false);
    Point({5, 7}, true);
    expected[size_t(SlotOf({5, 7}))] = 2;
    for (const Vector2 outside : {Vector2(400, 590), Vector2(-60, 100), Vector2(100, -5), Vector2(900, 100)})
        world.RunFrames(3, [=](int n) { GameplayWorld::Mouse(outside, n == 2, n == 3); });  // off the grid
    EXPECT_EQ(GameplayWorld::Shown(), expected);
    EXPECT_EQ(Cursor(), 2);
    CopyIntoCursor(7);  // a start cell painted takes the player there
    Point({10, 3}, true);
    EXPECT_EQ(GameplayWorld::PlayerAt(), GridToWorld(10, 3));
}

TEST_F(Editor, WithTheEditorOffOnlyTheToggleActs) {
    const LevelCodes before = GameplayWorld::Shown();
    fs::remove(LevelFolder() / "Maze.JSON");  // a save would bring it back
    world.Press({Key::E});
    world.Paint({{6, 6}});
    world.Press({Key::E});
    GameplayWorld::ClearClicks();
    world.Press({Key::N});
    world.Paint({{7, 6}});
    world.Press({Key::Ctrl, Key::Z});
    world.Press({Key::Ctrl, Key::S});
    EXPECT_EQ(std::make_tuple(GameplayWorld::Tile(6, 6).kind, GameplayWorld::Tile(7, 6).kind, Cursor()),
              std::make_tuple(2, 0, 2));
    EXPECT_EQ(GameplayWorld::Clicks(), 0);
    EXPECT_FALSE(fs::exists(LevelFolder() / "Maze.JSON"));
    world.Press({Key::E});
    world.Press({Key::Ctrl, Key::Z});  // on again: the stroke can be taken back
    EXPECT_EQ(GameplayWorld::Shown(), before);
}

TEST_F(Editor, SavingWritesTheShownCodesBackToTheirFileAndAFailedSaveKeepsThemWithoutAClick) {
    SwitchOn();
    fs::create_directories(LevelFolder() / "Maze.JSON.saving");  // in the save's way
    const std::string old = world.content.Read("Content/Levels/Maze.JSON");
    world.Paint({{8, 2}});
    testing::internal::CaptureStderr();
    world.Press({Key::Ctrl, Key::S});
    const std::string report = testing::internal::GetCapturedStderr();
    EXPECT_EQ(report.rfind("Content/Levels/Maze.JSON: ", 0), 0u) << report;
    EXPECT_EQ(std::count(report.begin(), report.end(), '\n'), 1) << report;
    EXPECT_EQ(gameplayState.panel->text() + "\n", report);  // and over the maze, until Enter
    EXPECT_EQ(GameplayWorld::Clicks(), 0);
    EXPECT_EQ(world.content.Read("Content/Levels/Maze.JSON"), old);
    world.Press({Key::OemEnter});
    EXPECT_FALSE(gameplayState.panel->IsOpen());
    // The game goes on with the edit; once the way is clear it saves, before a toggle pressed with it.
    world.RunFrames(3);
    fs::remove(LevelFolder() / "Maze.JSON.saving");
    world.Press({Key::Ctrl, Key::S, Key::E});
    EXPECT_FALSE(gameplayState.editorMode);
    EXPECT_EQ(GameplayWorld::Clicks(), 2);
    EXPECT_EQ(world.Saved("Maze.JSON"), GameplayWorld::Shown());  // 9 and -1 included
    EXPECT_EQ(std::distance(fs::directory_iterator(LevelFolder()), {}), 1);
}
