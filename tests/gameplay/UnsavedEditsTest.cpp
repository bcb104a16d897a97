#include <gtest/gtest.h>

#include <boost/filesystem/operations.hpp>

#include "core/Services.hpp"
#include "gameplay/BackgroundTile.hpp"
#include "gameplay/GameplayState.hpp"
#include "gameplay/LevelData.hpp"
#include "gameplay/LevelFiles.hpp"
#include "input/InputManager.hpp"
#include "support/AudioProbe.hpp"
#include "support/GameplayWorld.hpp"

namespace {

class UnsavedEdits : public ::testing::Test {
protected:
    void SetUp() override {
        world.Tap(Key::E);
        original = world.content.Read("Content/Levels/Maze.json");
    }
    void Chord(Key key) {
        world.RunFrames(2, [key](int n) {
            Services::input->SetKey(Key::Ctrl, n == 1);
            Services::input->SetKey(key, n == 1);
        });
    }
    void Paint(GridCell cell) {
        world.RunFrames(
            2, [cell](int n) { GameplayWorld::Mouse(GridToWorld(cell.column, cell.row), n == 1, false); });
    }
    int32_t SavedCode(GridCell cell) const {
        LoadLevels();
        return gameplayState.levels.at(0)->tiles[size_t(SlotOf(cell))];
    }
    // The user closes the window, gives `answer` if asked, and a few more frames are due.
    void Close(CloseChoice answer) {
        world.platform->closeAnswer = answer;
        world.platform->closeRequested = true;
        world.RunFrames(3);
    }
    FakePlatform& platform() const { return *world.platform; }

    GameplayWorld world{{{"Maze.json", LevelCodes{}}}};
    std::string original;
};

}  // namespace

TEST_F(UnsavedEdits, TheTitleFollowsTheCodesNotTheCountOfEdits) {
    EXPECT_EQ(platform().titlesSet, 0);  // loading the level is no edit
    Paint({4, 4});
    EXPECT_EQ(platform().title, "Game *");
    Paint({5, 4});
    world.RunFrames(20);
    EXPECT_EQ(platform().titlesSet, 1);  // set when the state changes, not every frame
    Chord(Key::Z);
    EXPECT_EQ(platform().title, "Game *");
    Chord(Key::Z);
    EXPECT_EQ(platform().title, "Game");  // back to the codes loaded
    Chord(Key::Y);
    Chord(Key::S);
    EXPECT_EQ(platform().title, "Game");
    EXPECT_EQ(platform().titlesSet, 4);
}

TEST_F(UnsavedEdits, UndoAfterASaveDiffersFromTheSavedLevel) {
    Paint({4, 4});
    Chord(Key::Z);
    Chord(Key::S);  // saves the level as loaded; the history stays
    EXPECT_EQ(platform().title, "Game");
    Chord(Key::Y);
    EXPECT_EQ(GameplayWorld::Tile(4, 4).kind, 2);
    EXPECT_EQ(platform().title, "Game *");
    EXPECT_EQ(SavedCode({4, 4}), 0);
}

TEST_F(UnsavedEdits, ClosingUnmodifiedAsksNothing) {
    Close(CloseChoice::Cancel);
    EXPECT_TRUE(platform().closedByUser);
    EXPECT_TRUE(platform().questions.empty());
}

TEST_F(UnsavedEdits, ClosingModifiedAndSavingWritesTheFileAndCloses) {
    Paint({4, 4});
    const int frames = platform().frames;
    Close(CloseChoice::Save);
    ASSERT_EQ(platform().questions,
              std::vector<std::string>{"Save the changes to Maze.json before closing?"});
    EXPECT_TRUE(platform().closedByUser);
    EXPECT_EQ(platform().frames, frames);
    EXPECT_EQ(SavedCode({4, 4}), 2);
}

TEST_F(UnsavedEdits, ClosingModifiedAndDiscardingClosesWithTheFileAsItWas) {
    Paint({4, 4});
    Close(CloseChoice::Discard);
    EXPECT_EQ(platform().questions.size(), 1u);
    EXPECT_TRUE(platform().closedByUser);
    EXPECT_EQ(world.content.Read("Content/Levels/Maze.json"), original);
}

TEST_F(UnsavedEdits, GoingBackToTheGameKeepsItRunningAndAsksAgainNextTime) {
    Paint({4, 4});
    const int frames = platform().frames;
    Close(CloseChoice::Cancel);
    EXPECT_FALSE(platform().closedByUser);
    EXPECT_EQ(platform().frames, frames + 3);
    EXPECT_EQ(GameplayWorld::Tile(4, 4).kind, 2);
    EXPECT_EQ(world.content.Read("Content/Levels/Maze.json"), original);
    Close(CloseChoice::Discard);
    EXPECT_EQ(platform().questions.size(), 2u);
    EXPECT_TRUE(platform().closedByUser);
}

TEST_F(UnsavedEdits, AFailedSaveOnClosingKeepsTheGameRunning) {
    Paint({4, 4});
    boost::filesystem::create_directories(LevelFolder() / "Maze.json.saving");
    testing::internal::CaptureStderr();
    Close(CloseChoice::Save);
    const std::string report = testing::internal::GetCapturedStderr();
    EXPECT_NE(report.find("Maze.json"), std::string::npos) << report;
    EXPECT_FALSE(platform().closedByUser);
    EXPECT_EQ(platform().title, "Game *");
    EXPECT_EQ(world.content.Read("Content/Levels/Maze.json"), original);
    // Once the way is clear, closing again saves.
    boost::filesystem::remove(LevelFolder() / "Maze.json.saving");
    Close(CloseChoice::Save);
    EXPECT_TRUE(platform().closedByUser);
    EXPECT_EQ(SavedCode({4, 4}), 2);
}
