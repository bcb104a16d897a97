#include <gtest/gtest.h>

#include <boost/filesystem/operations.hpp>

#include "gameplay/BackgroundTile.hpp"
#include "gameplay/GameplayState.hpp"
#include "gameplay/LevelFiles.hpp"
#include "gameplay/MessagePanel.hpp"
#include "scene/TextComponent.hpp"
#include "scene/Component.hpp"
#include "support/AllocationCounter.hpp"
#include "support/GameplayWorld.hpp"

namespace {

std::string LevelLine() {
    const TextComponent& line = *gameplayState.levelLine->text;
    return line.layer == 0 ? "(hidden)" : line.text;
}

// Two levels, their starts on different cells, the editor on.
class Levels : public ::testing::Test {
protected:
    void SetUp() override { world.Press({Key::E}); }
    void Next() { world.Press({Key::Ctrl, Key::PageDown}); }
    void Previous() { world.Press({Key::Ctrl, Key::PageUp}); }
    GameplayWorld world{{GameplayWorld::Level({{{3, 3}, 7}}, "A.json"), GameplayWorld::Level({{{5, 5}, 7}}, "B.json")}};
};

int32_t At(GridCell cell) { return GameplayWorld::Shown()[size_t(SlotOf(cell))]; }

}  // namespace

TEST_F(Levels, EachLevelKeepsItsOwnEditsAndHistoryAndTheListWrapsAround) {
    EXPECT_EQ(LevelLine(), "A  1/2   no way out");
    world.Paint({{1, 1}});
    Next();
    EXPECT_EQ(LevelLine(), "B  2/2   no way out");
    EXPECT_EQ(GameplayWorld::PlayerAt(), GridToWorld(5, 5));  // applied as at start
    EXPECT_EQ(At({1, 1}), 0);
    world.Paint({{2, 2}});
    Next();  // wraps to A, with its edit
    EXPECT_EQ(At({1, 1}), 2);
    EXPECT_EQ(At({2, 2}), 0);
    EXPECT_EQ(GameplayWorld::PlayerAt(), GridToWorld(3, 3));
    world.Press({Key::Ctrl, Key::Z});  // A's stroke only
    world.Press({Key::Ctrl, Key::Z});
    EXPECT_EQ(At({1, 1}), 0);
    EXPECT_EQ(world.platform->title, "Game *");  // B still differs from its file
    Previous();
    EXPECT_EQ(At({2, 2}), 2);
    world.Press({Key::Ctrl, Key::Z});
    EXPECT_EQ(At({2, 2}), 0);
    EXPECT_EQ(world.platform->title, "Game");
    EXPECT_EQ(gameplayState.cursorTile->kind, 2);  // PageDown with Ctrl is no palette key
}

TEST_F(Levels, SavingWritesTheShownLevelOnlyAndClosingSavesEveryModifiedOneIntoItsOwnFile) {
    LevelCodes a = world.Saved("A.json"), b = world.Saved("B.json");
    world.Paint({{1, 1}});
    a[size_t(SlotOf({1, 1}))] = 2;
    Next();
    world.Paint({{2, 2}});
    b[size_t(SlotOf({2, 2}))] = 2;
    world.Press({Key::Ctrl, Key::S});
    EXPECT_EQ(world.Saved("B.json"), b);
    EXPECT_NE(world.Saved("A.json"), a);
    world.Paint({{4, 4}});
    b[size_t(SlotOf({4, 4}))] = 2;
    Previous();  // the other level is shown when both are saved
    world.platform->closeRequested = true;
    world.RunFrames(1);
    EXPECT_EQ(gameplayState.panel->text(), "Save the changes to A.json and B.json before closing?");
    world.Press({Key::S});
    EXPECT_EQ(world.Saved("A.json"), a);
    EXPECT_EQ(world.Saved("B.json"), b);
}

TEST(NewLevel, TakesTheFirstFreeNameShowsABorderedMazeAndIsWrittenOnItsFirstSave) {
    // Level2 is taken by a level of the list (in another letter case), Level3 by the folder.
    GameplayWorld world{{GameplayWorld::Level({}, "Maze.json"), GameplayWorld::Level({}, "level2.JSON")}};
    boost::filesystem::create_directories(LevelFolder() / "Level3.json");
    world.Press({Key::E});
    world.Press({Key::Ctrl, Key::N});
    EXPECT_EQ(LevelLine(), "Level4  3/3   no way out");
    const LevelCodes codes = GameplayWorld::Shown();
    const auto at = [&](int32_t column, int32_t row) { return codes[size_t(SlotOf({column, row}))]; };
    EXPECT_EQ((std::vector{at(0, 0), at(13, 0), at(0, 8), at(13, 8)}), (std::vector{3, 4, 5, 6}));
    EXPECT_EQ((std::vector{at(6, 0), at(6, 8), at(0, 4), at(13, 4)}), (std::vector{1, 1, 2, 2}));
    EXPECT_EQ((std::vector{at(1, 1), at(6, 4), at(12, 7)}), (std::vector{7, 0, 0}));
    EXPECT_EQ(GameplayWorld::PlayerAt(), GridToWorld(1, 1));
    EXPECT_EQ(world.platform->title, "Game *");  // no file yet
    EXPECT_FALSE(boost::filesystem::exists(LevelFolder() / "Level4.json"));
    world.Press({Key::Ctrl, Key::S});
    EXPECT_EQ(world.Saved("Level4.json"), codes);
    EXPECT_EQ(world.platform->title, "Game");
}

TEST(NewLevel, WithEveryNameTakenOnlyTheStripSaysSo) {
    GameplayWorld world{{GameplayWorld::Level({}, "Maze.json")}};
    // Broken links: names taken, but no level, and no change the game would report.
    for (int n = 2; n <= 999; ++n) {
        boost::filesystem::create_symlink("nowhere", world.content.path() / ("Content/Levels/Level" + std::to_string(n) + ".json"));
    }
    world.Press({Key::E});
    world.Press({Key::Ctrl, Key::N});
    EXPECT_EQ(LevelLine(), "Maze  1/1   no way out");
    EXPECT_EQ(gameplayState.title->text->text, "No free level name: Level2.json to Level999.json are all taken");
    world.RunFrames(4 * 60);
    EXPECT_EQ(gameplayState.title->text->text, "TORVEL: Glimmerduct");
}

TEST(Unreachable, TheEditorDarkensOpenCellsThePlayerCannotReachAsItPaintsWithoutAllocating) {
    // A pocket at (6, 4) walled in by four walls; a way out, whose par the strip shows too.
    GameplayWorld world{{GameplayWorld::Level(
        {{{1, 1}, 7}, {{6, 3}, 1}, {{5, 4}, 2}, {{7, 4}, 2}, {{6, 5}, 1}, {{9, 6}, 8}}, "Maze.json")}};
    const auto dark = [](GridCell cell) { return GameplayWorld::Tile(cell.column, cell.row).sprite->color.r < 255; };
    EXPECT_FALSE(dark({6, 4}));  // only while editing
    world.Press({Key::E});
    EXPECT_TRUE(dark({6, 4}));
    EXPECT_FALSE(dark({2, 2}));
    EXPECT_FALSE(dark({6, 3}));  // walls are never darkened
    world.platform->sleeps.reserve(world.platform->sleeps.size() + 100);  // the fake's own log
    const uint64_t before = AllocationCount();
    world.RunFrames(30);
    EXPECT_EQ(AllocationCount(), before);
    EXPECT_EQ(LevelLine(), "Maze  1/1   par 13");
    world.Paint({{1, 1}});  // painting over the start leaves no start: every open cell is out of reach
    EXPECT_TRUE(dark({2, 2}));
    world.Press({Key::E});
    EXPECT_FALSE(dark({2, 2}));
}
