#include <gtest/gtest.h>

#include <boost/filesystem/operations.hpp>

#include "gameplay/BackgroundTile.hpp"
#include "gameplay/LevelFiles.hpp"
#include "support/GameplayWorld.hpp"

namespace {

// The editor on over an empty maze.
struct EditorWorld : GameplayWorld {
    EditorWorld() : GameplayWorld({Level({}, "Maze.json")}) { Press({Key::E}); }
    // The user closes the window, gives `answer` if asked, and a few more frames are due.
    void Close(CloseChoice answer) {
        platform->closeAnswer = answer;
        platform->closeRequested = true;
        RunFrames(3);
    }
    int32_t SavedCode() const { return Saved("Maze.json")[SlotOf({4, 4})]; }
};

}  // namespace

TEST(UnsavedEdits, TheTitleMarksCodesThatDifferFromTheFileNotTheEditsMade) {
    EditorWorld world;
    world.Paint({{4, 4}, {5, 4}});
    world.Paint({{6, 4}});
    const auto press = [&](std::initializer_list<Key> keys) {
        world.Press(keys);
        return world.platform->title;
    };
    EXPECT_EQ(press({Key::Ctrl, Key::Z}), "Game *");
    EXPECT_EQ(press({Key::Ctrl, Key::Z}), "Game");  // as loaded
    EXPECT_EQ(press({Key::Ctrl, Key::Y}), "Game *");
    EXPECT_EQ(press({Key::Ctrl, Key::Z}), "Game");
    EXPECT_EQ(press({Key::Ctrl, Key::S}), "Game");    // saved as loaded; the history stays
    EXPECT_EQ(press({Key::Ctrl, Key::Y}), "Game *");  // and differs from what was saved
    EXPECT_EQ(world.platform->titlesSet, 5);          // set when the state changes, not every frame
    EXPECT_EQ(world.SavedCode(), 0);
}

TEST(UnsavedEdits, ClosingAsksOnlyAboutUnsavedEditsAndDoesWhatTheUserAnswers) {
    for (const auto& [edited, answer, closes, saved] : {std::tuple{false, CloseChoice::Cancel, true, 0},
                                                        {true, CloseChoice::Save, true, 2},
                                                        {true, CloseChoice::Discard, true, 0},
                                                        {true, CloseChoice::Cancel, false, 0}}) {
        SCOPED_TRACE(int(answer));
        EditorWorld world;
        if (edited) world.Paint({{4, 4}});
        const int frames = world.platform->frames;
        world.Close(answer);
        EXPECT_EQ(world.platform->questions,
                  std::vector<std::string>(edited, "Save the changes to Maze.json before closing?"));
        EXPECT_EQ(world.platform->closedByUser, closes);
        EXPECT_EQ(world.platform->frames, closes ? frames : frames + 3);
        EXPECT_EQ(world.SavedCode(), saved);
        EXPECT_EQ(GameplayWorld::Tile(4, 4).kind, edited ? 2 : 0);
    }
}
