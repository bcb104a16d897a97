#include <gtest/gtest.h>

#include <algorithm>
#include <boost/filesystem/operations.hpp>
#include <limits>

#include "core/FolderListing.hpp"
#include "core/GameSettings.hpp"
#include "core/Services.hpp"
#include "gameplay/BackgroundTile.hpp"
#include "gameplay/GameplayState.hpp"
#include "gameplay/LevelData.hpp"
#include "gameplay/LevelFiles.hpp"
#include "gameplay/Player.hpp"
#include "input/InputManager.hpp"
#include "scene/Component.hpp"
#include "support/AudioProbe.hpp"
#include "support/GameplayWorld.hpp"

namespace {

constexpr Color playing{152, 66, 86, 255};
constexpr Color editing{255, 0, 0, 255};

// Walls along the top row, 9 and -1 in row 8, the start on cell (1, 1).
LevelCodes MazeCodes() {
    LevelCodes codes{};
    for (int32_t column = 0; column < GridColumns; ++column) codes[size_t(column)] = 1;
    codes[SlotOf({0, 8})] = 9;
    codes[SlotOf({1, 8})] = -1;
    codes[SlotOf({1, 1})] = 7;
    return codes;
}

class Editor : public ::testing::Test {
protected:
    void SetUp() override { ClearAudioLog(); }

    void SwitchOn() {
        world.Tap(Key::E);
        ClearAudioLog();
    }
    int32_t CursorCode() const { return gameplayState.cursorTile->kind; }
    LevelCodes Shown() const {
        LevelCodes codes{};
        for (int32_t slot = 0; slot < TileCount; ++slot)
            codes[size_t(slot)] = gameplayState.tiles[size_t(slot)]->kind;
        return codes;
    }
    LevelCodes Saved() const {
        LoadLevels();
        return gameplayState.levels.at(0)->tiles;
    }
    // Ctrl held, S pressed in the frame, then both let go.
    void PressSave(Key alsoPressed = Key::None) {
        world.RunFrames(2, [alsoPressed](int n) {
            Services::input->SetKey(Key::Ctrl, n == 1);
            Services::input->SetKey(Key::S, n == 1);
            if (alsoPressed != Key::None) Services::input->SetKey(alsoPressed, n == 1);
        });
    }
    // Copies a code into the cursor through a cell, as a user would.
    void CopyIntoCursor(int32_t code) {
        GameplayWorld::Tile(6, 6).SetKind(code);
        world.RunFrames(2, [](int n) { GameplayWorld::Mouse(GridToWorld(6, 6), false, n == 1); });
    }

    GameplayWorld world{{{"Maze.JSON", MazeCodes()}}};
};

}  // namespace

TEST_F(Editor, TheToggleSwitchesColourAndCursorAndClicksEachTime) {
    world.Tap(Key::E);
    EXPECT_TRUE(gameplayState.editorMode);
    EXPECT_EQ(Services::settings->clearColor, editing);
    EXPECT_EQ(gameplayState.cursorTile->sprite->color.a, 255);
    world.Tap(Key::E);
    EXPECT_FALSE(gameplayState.editorMode);
    EXPECT_EQ(Services::settings->clearColor, playing);
    EXPECT_EQ(gameplayState.cursorTile->sprite->color.a, 0);
    EXPECT_EQ(CuesPlayed(), (std::vector<std::string>{"Click", "Click"}));
}

TEST_F(Editor, SwitchingOnAndStepingThePaletteInOneFrameAdvancesAtOnce) {
    world.RunFrames(2, [](int n) {
        Services::input->SetKey(Key::E, n == 1);
        Services::input->SetKey(Key::N, n == 1);
    });
    EXPECT_EQ(CursorCode(), 3);
    EXPECT_EQ(CueCount("Click"), 2);
}

TEST_F(Editor, ThePaletteCyclesThroughTheEightCodes) {
    SwitchOn();
    for (int i = 0; i < 5; ++i) world.Tap(Key::N);
    EXPECT_EQ(CursorCode(), 7);
    world.Tap(Key::N);
    EXPECT_EQ(CursorCode(), 0);
    world.Tap(Key::P);
    EXPECT_EQ(CursorCode(), 7);
    world.Tap(Key::P);
    EXPECT_EQ(CursorCode(), 6);
    EXPECT_EQ(CueCount("Click"), 8);
}

TEST_F(Editor, ACopiedCodeOutsideThePaletteStepsByTheRemainder) {
    SwitchOn();
    CopyIntoCursor(42);
    EXPECT_EQ(CursorCode(), 42);
    EXPECT_EQ(CuesPlayed(), std::vector<std::string>{});  // copying is silent
    world.Tap(Key::N);
    EXPECT_EQ(CursorCode(), 3);
    CopyIntoCursor(42);
    world.Tap(Key::P);
    EXPECT_EQ(CursorCode(), 41);
    // At the ends of the 32-bit range a step must not overflow.
    CopyIntoCursor(std::numeric_limits<int32_t>::max());
    world.Tap(Key::N);
    EXPECT_EQ(CursorCode(), 0);
    CopyIntoCursor(std::numeric_limits<int32_t>::min());
    world.Tap(Key::P);
    EXPECT_EQ(CursorCode(), 7);
}

TEST_F(Editor, NextAndPreviousInOneFrameLeaveTheCodeAndClickTwice) {
    SwitchOn();
    world.RunFrames(2, [](int n) {
        Services::input->SetKey(Key::N, n == 1);
        Services::input->SetKey(Key::P, n == 1);
    });
    EXPECT_EQ(CursorCode(), 2);
    EXPECT_EQ(CueCount("Click"), 2);
}

TEST_F(Editor, HoldingPlaceAndCopyTogetherOnlyPlaces) {
    SwitchOn();
    world.RunFrames(1, [](int) { GameplayWorld::Mouse(GridToWorld(4, 0), true, true); });
    EXPECT_EQ(GameplayWorld::Tile(4, 0).kind, 2);  // the cursor's code went onto the wall cell
    EXPECT_EQ(CursorCode(), 2);
    world.Tap(Key::N);
    world.RunFrames(1, [](int) { GameplayWorld::Mouse(GridToWorld(5, 5), true, true); });
    EXPECT_EQ(GameplayWorld::Tile(5, 5).kind, 3);
    EXPECT_EQ(CursorCode(), 3);
}

TEST_F(Editor, PlacingAStartCellMovesThePlayerThere) {
    SwitchOn();
    CopyIntoCursor(7);
    world.RunFrames(1, [](int) { GameplayWorld::Mouse(GridToWorld(10, 3), true, false); });
    EXPECT_EQ(gameplayState.player->pos2d->position, GridToWorld(10, 3));
}

TEST_F(Editor, AFastDragPaintsEveryCellOfTheRow) {
    SwitchOn();
    // The pointer moves three cells a frame along row 4.
    world.RunFrames(
        6, [](int n) { GameplayWorld::Mouse(GridToWorld(std::min(3 * (n - 1), 13), 4), true, false); });
    for (int32_t column = 0; column < GridColumns; ++column)
        EXPECT_EQ(GameplayWorld::Tile(column, 4).kind, 2) << column;
    EXPECT_EQ(GameplayWorld::Tile(0, 5).kind, 0);
    // Letting go ends the stroke: the next press does not join up with the last one.
    world.RunFrames(1, [](int) { GameplayWorld::Mouse(GridToWorld(13, 6), false, false); });
    world.RunFrames(1, [](int) { GameplayWorld::Mouse(GridToWorld(0, 6), true, false); });
    EXPECT_EQ(GameplayWorld::Tile(0, 6).kind, 2);
    for (int32_t column = 1; column < GridColumns; ++column)
        EXPECT_EQ(GameplayWorld::Tile(column, 6).kind, 0) << column;
}

TEST_F(Editor, TheMouseOffTheGridPlacesAndCopiesNothing) {
    SwitchOn();
    const LevelCodes before = Shown();
    for (const Vector2 outside : {Vector2(400.0f, 590.0f), Vector2(-60.0f, 100.0f), Vector2(100.0f, -5.0f),
                                  Vector2(900.0f, 100.0f)}) {
        world.RunFrames(2, [outside](int n) { GameplayWorld::Mouse(outside, n == 1, false); });
        world.RunFrames(2, [outside](int n) { GameplayWorld::Mouse(outside, false, n == 1); });
    }
    EXPECT_EQ(Shown(), before);
    EXPECT_EQ(CursorCode(), 2);
}

TEST_F(Editor, NothingButTheToggleActsWithTheEditorOff) {
    const LevelCodes before = Shown();
    boost::filesystem::remove(LevelFolder() / "Maze.JSON");  // a save would bring it back
    world.Tap(Key::N);
    world.RunFrames(2, [](int n) { GameplayWorld::Mouse(GridToWorld(6, 6), n == 1, false); });
    PressSave();
    EXPECT_EQ(Shown(), before);
    EXPECT_EQ(CursorCode(), 2);
    EXPECT_EQ(CuesPlayed(), std::vector<std::string>{});
    EXPECT_FALSE(boost::filesystem::exists(LevelFolder() / "Maze.JSON"));
}

TEST_F(Editor, SavingWritesTheShownCodesBackToTheFileTheyCameFrom) {
    SwitchOn();
    world.RunFrames(1, [](int) { GameplayWorld::Mouse(GridToWorld(8, 2), true, false); });
    PressSave();
    EXPECT_EQ(CuesPlayed(), std::vector<std::string>{"Click"});
    LevelCodes expected = MazeCodes();
    expected[SlotOf({8, 2})] = 2;
    EXPECT_EQ(Saved(), expected);  // 9 and -1 included
    std::vector<std::string> files;
    for (const auto& entry : ListFolder(LevelFolder())) files.push_back(entry.filename().string());
    EXPECT_EQ(files, std::vector<std::string>{"Maze.JSON"});
}

TEST_F(Editor, SaveAndToggleInOneFrameSaveFirstThenSwitchOff) {
    SwitchOn();
    world.RunFrames(1, [](int) { GameplayWorld::Mouse(GridToWorld(8, 2), true, false); });
    PressSave(Key::E);
    EXPECT_FALSE(gameplayState.editorMode);
    EXPECT_EQ(CueCount("Click"), 2);
    EXPECT_EQ(Saved()[SlotOf({8, 2})], 2);
}

TEST_F(Editor, AFailedSaveIsReportedKeepsTheEditsAndDoesNotClick) {
    SwitchOn();
    const std::string old = world.content.Read("Content/Levels/Maze.JSON");
    boost::filesystem::create_directories(LevelFolder() / "Maze.JSON.saving");
    world.RunFrames(1, [](int) { GameplayWorld::Mouse(GridToWorld(8, 2), true, false); });
    testing::internal::CaptureStderr();
    PressSave();
    const std::string report = testing::internal::GetCapturedStderr();
    EXPECT_NE(report.find("Maze.JSON"), std::string::npos) << report;
    EXPECT_EQ(std::count(report.begin(), report.end(), '\n'), 1) << report;
    EXPECT_EQ(CuesPlayed(), std::vector<std::string>{});
    EXPECT_EQ(GameplayWorld::Tile(8, 2).kind, 2);
    EXPECT_EQ(world.content.Read("Content/Levels/Maze.JSON"), old);

    // The game goes on, and once the way is clear the same edits save.
    world.RunFrames(3);
    boost::filesystem::remove(LevelFolder() / "Maze.JSON.saving");
    PressSave();
    EXPECT_EQ(CueCount("Click"), 1);
    EXPECT_EQ(Saved()[SlotOf({8, 2})], 2);
}
