// The real game in a real X window, played as a person would through synthetic keys and
// pointer moves, with what the screen shows compared with the level and the shipped pictures.
#include <gtest/gtest.h>

#include <algorithm>
#include <boost/filesystem/operations.hpp>
#include <cstdlib>

#include "support/GameWindow.hpp"
#include "support/GameplayWorld.hpp"

namespace {

using Cells = std::vector<std::pair<int, int>>;
constexpr Color playing{152, 66, 86, 255}, editing{255, 0, 0, 255};
const std::string source = GAME_SOURCE_DIR;

class GameWindowTest : public ::testing::Test {
protected:
    void SetUp() override {
        if (std::system("command -v Xvfb xdotool > /dev/null") != 0) GTEST_SKIP() << "no Xvfb or xdotool";
        window = std::make_unique<GameWindow>();
        for (const char* name : {"GutBackground", "GutHorizontal", "GutVertical", "GutTopLeft", "GutTopRight",
                                 "GutBottomLeft", "GutBottomRight"}) {
            tiles.push_back(Picture::Load(source + "/Content/Textures/Main/" + name + ".png"));
        }
    }
    // The cells that do not show their code's picture over `background`: where something is
    // drawn on top of them (the player, the cursor).
    Cells Covered(const Picture& screen, Color background) const {
        Cells covered;
        for (int cell = 0; cell < TileCount; ++cell) {
            const int column = cell % GridColumns, row = cell / GridColumns, code = codes[size_t(cell)];
            const Picture& tile = tiles[size_t(code >= 1 && code <= 6 ? code : 0)];
            int seen = 0, alike = 0;
            for (int y = 0; y < 64; y += 2) {
                for (int x = std::max(0, 48 - 64 * column); x < std::min(64, 848 - 64 * column);
                     x += 2, ++seen) {
                    alike += CloseTo(screen.At(64 * column - 48 + x, 64 * row + y),
                                     BlendOver(tile.At(x, y), background));
                }
            }
            if (alike < seen * 97 / 100) covered.emplace_back(column, row);
        }
        return covered;
    }
    // Waits until the grid shows `codes` over `background` but for the `covered` cells.
    void ExpectMaze(Color background, const Cells& covered) {
        const bool shown = window->WaitForScreen(
            [&](const Picture& s) {
                return CloseTo(s.At(790, 592), background, 0) && Covered(s, background) == covered;
            },
            screen);
        ASSERT_TRUE(shown) << "covered: " << testing::PrintToString(Covered(screen, background));
    }
    // Presses a button over the centre of the first cell, moves over the others, lets go.
    void Drag(int button, const Cells& cells, int code) {
        Cells points;
        for (const auto& [column, row] : cells) {
            points.emplace_back(64 * column - 16, 64 * row + 32);
            if (code >= 0) codes[size_t(SlotOf({column, row}))] = code;
        }
        window->Drag(button, points);
    }
    LevelCodes Saved() const {
        return ReadLevelCodes((window->folder().path() / "Content/Levels/Maze.json").string());
    }

    std::unique_ptr<GameWindow> window;
    std::vector<Picture> tiles;                                               // codes 0 to 6
    LevelCodes codes = ReadLevelCodes(source + "/Content/Levels/Maze.json");  // what the grid should show
    Picture screen;
};

TEST_F(GameWindowTest, APlayerWalksEditsSavesAndFindsTheEditsAfterARestart) {
    window->Launch();
    ASSERT_NO_FATAL_FAILURE(ExpectMaze(playing, {{1, 1}}));
    window->Hold("Down");  // shorter than a step: one cell
    ASSERT_NO_FATAL_FAILURE(ExpectMaze(playing, {{1, 2}}));
    window->Hold("e");
    ASSERT_NO_FATAL_FAILURE(ExpectMaze(editing, {{1, 2}, {12, 8}}));
    window->Hold("Next");                   // the cursor's code from 2 to 3
    Drag(1, {{8, 5}, {9, 5}, {10, 5}}, 3);  // painted
    Drag(3, {{10, 6}}, -1);                 // the top-right corner copied
    Drag(1, {{11, 5}}, 4);                  // and painted
    ASSERT_NO_FATAL_FAILURE(ExpectMaze(editing, {{1, 2}, {12, 8}}));
    window->Hold("ctrl+s");
    EXPECT_TRUE(WaitUntil([&] { return Saved() == codes; })) << window->game().StandardError();
    window->RequestClose();  // nothing unsaved: no question
    ASSERT_TRUE(window->game().WaitForExit(std::chrono::seconds(5)));
    EXPECT_EQ(window->game().exitStatus(), 0) << window->game().StandardError();

    window->Launch();
    ASSERT_NO_FATAL_FAILURE(ExpectMaze(playing, {{1, 1}}));
}

TEST_F(GameWindowTest, AFailedSaveIsShownAndClosingWithTheEditsAsksToSaveThem) {
    // Root writes into read-only folders, so the save is made to fail another way: a folder in
    // the place of the temporary file it writes first.
    const auto blocker = window->folder().path() / "Content/Levels/Maze.json.saving";
    boost::filesystem::create_directory(blocker);
    const LevelCodes shipped = codes;
    window->Launch();
    ASSERT_NO_FATAL_FAILURE(ExpectMaze(playing, {{1, 1}}));
    window->Hold("Tab");
    Drag(1, {{11, 5}}, 2);
    // The report goes to stderr and into a message box, which waits for the user.
    window->Hold("ctrl+s");
    std::string box;
    ASSERT_TRUE(WaitUntil([&] { return !(box = window->MessageBox()).empty(); }))
        << window->game().StandardError();
    const std::string report = window->game().StandardError();
    EXPECT_EQ(report.rfind("Content/Levels/Maze.json: ", 0), 0u) << report;
    EXPECT_EQ(std::count(report.begin(), report.end(), '\n'), 1) << report;
    window->X("xdotool windowfocus --sync " + box + " key Return");
    EXPECT_TRUE(WaitUntil([&] { return window->MessageBox().empty(); })) << "the message box stays";
    ASSERT_NO_FATAL_FAILURE(ExpectMaze(editing, {{1, 1}, {12, 8}}));
    EXPECT_EQ(Saved(), shipped) << "the old file stays whole";

    // Closing asks; the answer Return gives, Save, saves now that the way is clear, and quits.
    boost::filesystem::remove(blocker);
    window->RequestClose();
    ASSERT_TRUE(WaitUntil([&] { return !(box = window->MessageBox()).empty(); })) << "no question was asked";
    EXPECT_TRUE(window->game().Running());
    window->X("xdotool windowfocus --sync " + box + " key Return");
    ASSERT_TRUE(window->game().WaitForExit(std::chrono::seconds(5)));
    EXPECT_EQ(window->game().exitStatus(), 0) << window->game().StandardError();
    EXPECT_EQ(Saved(), codes);
}

}  // namespace
