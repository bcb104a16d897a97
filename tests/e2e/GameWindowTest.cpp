// The real game in a real X window, played as a person would through synthetic keys and
// pointer moves, with what the screen shows compared with the level and the shipped pictures.
#include <gtest/gtest.h>

#include <algorithm>
#include <boost/filesystem/operations.hpp>
#include <boost/filesystem/directory.hpp>
#include <csignal>
#include <cstdlib>
#include <thread>

#include "gameplay/LevelData.hpp"
#include "gameplay/Reachability.hpp"
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
                                 "GutBottomLeft", "GutBottomRight", "GutExit"}) {
            tiles.push_back(Picture::Load(source + "/Content/Textures/Main/" + name + ".png"));
        }
    }
    // The cells that do not show their code's picture over `background`: where something is
    // drawn on top of them (the player, the cursor, a question).
    // In the editor, open cells out of the player's reach are shaded over: those are left out
    // here (their brightness is checked by the tools' story).
    Cells Covered(const Picture& screen, Color background) const {
        Cells covered;
        const auto reached = ReachableCells(codes);
        for (int cell = 0; cell < TileCount; ++cell) {
            const int column = cell % GridColumns, row = cell / GridColumns, code = codes[size_t(cell)];
            const bool wall = code >= 1 && code <= 6;
            const Picture& tile = tiles[size_t(wall ? code : code == 8 ? 7 : 0)];
            if (background == editing && !wall && !reached.test(size_t(cell))) continue;
            int seen = 0, alike = 0;
            for (int y = 0; y < 64; y += 2) {
                for (int x = std::max(0, 48 - 64 * column); x < std::min(64, 848 - 64 * column);
                     x += 2, ++seen) {
                    alike += CloseTo(screen.At(64 * column - 48 + x, 64 * row + y), BlendOver(tile.At(x, y), background));
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
    // Waits for the mode alone, where the cursor's cell is not known.
    void ExpectMode(Color background) {
        ASSERT_TRUE(window->WaitForScreen([&](const Picture& s) { return CloseTo(s.At(790, 592), background, 0); }, screen));
    }
    // Holds `keys` down until `seen` has waited for their effect: the game reads keys once a
    // frame, and a press shorter than a frame on a loaded machine leaves no trace.
    template <class Seen>
    void HoldUntil(const std::string& keys, Seen seen) {
        window->X("xdotool keydown " + keys);
        seen();
        window->X("xdotool keyup " + keys);
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
    LevelCodes Saved(const std::string& file = "Maze.json") const {
        return ReadLevelCodes((window->folder().path() / "Content/Levels" / file).string());
    }
    // Waits until a box over the middle of the maze hides cell (6, 4).
    void ExpectQuestion(Color background) {
        const bool shown = window->WaitForScreen(
            [&](const Picture& s) {
                const Cells covered = Covered(s, background);
                return std::find(covered.begin(), covered.end(), std::pair{6, 4}) != covered.end();
            },
            screen);
        ASSERT_TRUE(shown) << "no box over the maze";
    }
    // Of the shipped levels only the first, so that a story's level list is its own.
    void OnlyTheFirstLevel() const {
        for (const auto& entry : boost::filesystem::directory_iterator(window->folder().path() / "Content/Levels")) {
            if (entry.path().filename() != "Maze.json") boost::filesystem::remove(entry.path());
        }
    }
    boost::filesystem::path RecoveryFolder() const {
        return window->folder().path() / "home/state/glimmerduct/recovery";
    }
    bool HasRecoveryCopy() const {
        boost::system::error_code error;
        for (boost::filesystem::directory_iterator it(RecoveryFolder(), error), end; !error && it != end; it.increment(error)) {
            if (it->path().extension() == ".json") return true;
        }
        return false;
    }

    std::unique_ptr<GameWindow> window;
    std::vector<Picture> tiles;                                               // codes 0 to 6, then 8
    LevelCodes codes = ReadLevelCodes(source + "/Content/Levels/Maze.json");  // what the grid should show
    Picture screen;
};

TEST_F(GameWindowTest, APlayerWalksEditsSavesAndFindsTheEditsAfterARestart) {
    window->Launch();
    ASSERT_NO_FATAL_FAILURE(ExpectMaze(playing, {{1, 1}}));
    window->Hold("Down");  // shorter than a step: one cell
    ASSERT_NO_FATAL_FAILURE(ExpectMaze(playing, {{1, 2}}));
    ASSERT_NO_FATAL_FAILURE(HoldUntil("e", [&] { ExpectMaze(editing, {{1, 2}, {12, 8}}); }));
    window->Hold("Next");                   // the cursor's code from 2 to 3
    Drag(1, {{8, 5}, {9, 5}, {10, 5}}, 3);  // painted
    Drag(3, {{10, 6}}, -1);                 // the top-right corner copied
    Drag(1, {{11, 5}}, 4);                  // and painted
    ASSERT_NO_FATAL_FAILURE(ExpectMaze(editing, {{1, 2}, {12, 8}}));
    HoldUntil("ctrl+s", [&] { EXPECT_TRUE(WaitUntil([&] { return Saved() == codes; })) << window->game().StandardError(); });
    window->RequestClose();  // nothing unsaved: no question
    ASSERT_TRUE(window->game().WaitForExit(std::chrono::seconds(30)));
    EXPECT_EQ(window->game().exitStatus(), 0) << window->game().StandardError();

    window->Launch();
    ASSERT_NO_FATAL_FAILURE(ExpectMaze(playing, {{1, 1}}));
}

// Mean brightness of a cell on screen, (r + g + b) / 3.
double Brightness(const Picture& screen, GridCell cell) {
    double sum = 0;
    for (int y = 0; y < 64; ++y) {
        for (int x = 0; x < 64; ++x) {
            const Color c = screen.At(64 * cell.column - 48 + x, 64 * cell.row + y);
            sum += (c.r + c.g + c.b) / 3.0;
        }
    }
    return sum / (64 * 64);
}

TEST_F(GameWindowTest, TheEditorsToolsChangeLevelsAndAFileChangedByAnotherProgramShowsOnScreen) {
    OnlyTheFirstLevel();
    window->Launch();
    ASSERT_NO_FATAL_FAILURE(ExpectMode(playing));  // keys sent before the first frame would be one tap
    ASSERT_NO_FATAL_FAILURE(HoldUntil("e", [&] { ExpectMode(editing); }));
    window->Hold("Next", 0.5);  // cursor code 3; each key held long enough for a slow frame
    const auto with = [&](const std::string& key, auto act) {
        window->X("xdotool keydown " + key);
        act();
        window->X("xdotool keyup " + key);
    };
    const auto set = [](LevelCodes& level, std::initializer_list<std::pair<int, int>> cells, int code) {
        for (const auto& [column, row] : cells) level[size_t(SlotOf({column, row}))] = code;
    };
    with("shift", [&] { Drag(1, {{11, 6}, {12, 6}, {12, 7}}, -1); });
    set(codes, {{11, 6}, {12, 6}, {11, 7}, {12, 7}}, 3);
    with("ctrl", [&] { Drag(1, {{4, 5}}, -1); });  // the 2s joined by a side; (6, 4) only by a corner
    set(codes, {{4, 5}, {5, 5}, {4, 6}, {5, 6}}, 3);
    ASSERT_NO_FATAL_FAILURE(ExpectMaze(editing, {{1, 1}, {12, 8}}));
    with("shift", [&] { Drag(3, {{11, 6}, {12, 7}}, -1); });
    window->Hold("ctrl+c", 0.5);
    window->Hold("ctrl+n", 0.5);  // Level2.json
    window->Hold("ctrl+v", 0.5);
    Drag(1, {{5, 4}}, -1);
    window->Hold("ctrl+s", 0.5);
    window->Hold("ctrl+Prior", 0.5);
    HoldUntil("ctrl+s", [&] { EXPECT_TRUE(WaitUntil([&] { return Saved() == codes; })) << window->game().StandardError(); });
    const LevelCodes second = Saved("Level2.json");  // saved before Maze.json
    for (const auto& [column, row] : {std::pair{5, 4}, {6, 4}, {5, 5}, {6, 5}}) EXPECT_EQ(second[size_t(SlotOf({column, row}))], 3);

    // Another program replaces the saved file: (11, 2) and (12, 1) are walled in.
    set(codes, {{11, 1}}, 1);
    set(codes, {{10, 2}, {12, 2}}, 2);
    window->folder().Write("changed.json", LevelJson(codes));
    window->X("mv " + (window->folder().path() / "changed.json").string() + " " +
              (window->folder().path() / "Content/Levels/Maze.json").string());
    ASSERT_NO_FATAL_FAILURE(ExpectMaze(editing, {{1, 1}, {12, 8}}));
    // The shading follows in the frame after the new codes: wait for it.
    const auto darker = [](const Picture& s) { return Brightness(s, {11, 2}) <= 0.6 * Brightness(s, {2, 2}); };
    EXPECT_TRUE(window->WaitForScreen(darker, screen))
        << Brightness(screen, {11, 2}) << " against " << Brightness(screen, {2, 2});
    EXPECT_EQ(window->Title(), "Game\n");
}

// What the game does with each answer is pinned in process; here the real close box and a real
// signal meet the question.
TEST_F(GameWindowTest, AFailedSaveAndTheCloseQuestionShowOverTheMazeAndASignalStillEndsTheGame) {
    // Root writes into read-only folders, so the save is made to fail another way: a folder in
    // the place of the temporary file it writes first.
    const auto blocker = window->folder().path() / "Content/Levels/Maze.json.saving";
    boost::filesystem::create_directory(blocker);
    const LevelCodes shipped = codes;
    window->Launch();
    ASSERT_NO_FATAL_FAILURE(ExpectMaze(playing, {{1, 1}}));
    ASSERT_NO_FATAL_FAILURE(HoldUntil("Tab", [&] { ExpectMode(editing); }));
    Drag(1, {{11, 5}}, 2);
    ASSERT_NO_FATAL_FAILURE(HoldUntil("ctrl+s", [&] { ExpectQuestion(editing); }));
    const std::string report = window->game().StandardError();
    EXPECT_EQ(report.rfind("Content/Levels/Maze.json: ", 0), 0u) << report;
    window->Hold("Return");
    ASSERT_NO_FATAL_FAILURE(ExpectMaze(editing, {{1, 1}, {12, 8}}));
    EXPECT_EQ(Saved(), shipped) << "the old file stays whole";
    EXPECT_EQ(window->Title(), "Game *\n");

    // Closing asks over the maze; closing again does not answer it, and the game runs on
    // until a signal ends it at once, its edits kept in the recovery copy.
    window->RequestClose();
    ASSERT_NO_FATAL_FAILURE(ExpectQuestion(editing));
    window->RequestClose();
    // Nothing to wait for: the game must simply not end.
    std::this_thread::sleep_for(std::chrono::milliseconds(500));
    ASSERT_TRUE(window->game().Running());
    window->game().Signal(SIGTERM);
    ASSERT_TRUE(window->game().WaitForExit(std::chrono::seconds(30)));
    EXPECT_EQ(window->game().exitStatus(), 0) << window->game().StandardError();
    EXPECT_EQ(Saved(), shipped);
    EXPECT_EQ(std::distance(boost::filesystem::directory_iterator(RecoveryFolder()), {}), 1);
}

TEST_F(GameWindowTest, TwoLevelsAreEditedApartAndAKilledGameComesBackWithItsUnsavedEdit) {
    OnlyTheFirstLevel();  // and one of the test's own
    const LevelCodes first = codes;
    LevelCodes second{};
    second[size_t(SlotOf({3, 3}))] = 7;
    window->folder().Write("Content/Levels/Second.json", LevelJson(second));
    window->Launch();
    ASSERT_NO_FATAL_FAILURE(ExpectMaze(playing, {{1, 1}}));
    codes = second;
    ASSERT_NO_FATAL_FAILURE(HoldUntil("ctrl+Next", [&] { ExpectMaze(playing, {{3, 3}}); }));
    ASSERT_NO_FATAL_FAILURE(HoldUntil("e", [&] { ExpectMode(editing); }));
    Drag(1, {{6, 6}}, 2);
    codes = first;
    // Held briefly: while Ctrl is down the editor outlines what a click would fill.
    window->Hold("ctrl+Prior", 0.5);
    ASSERT_NO_FATAL_FAILURE(ExpectMaze(editing, {{1, 1}, {12, 8}}));
    codes = second;
    codes[size_t(SlotOf({6, 6}))] = 2;
    window->Hold("ctrl+Next", 0.5);
    ASSERT_NO_FATAL_FAILURE(ExpectMaze(editing, {{3, 3}, {12, 8}}));
    // The recovery copy, then a kill that leaves no time for anything.
    ASSERT_TRUE(WaitUntil([&] { return HasRecoveryCopy(); }));
    window->game().Signal(SIGKILL);
    ASSERT_TRUE(window->game().WaitForExit(std::chrono::seconds(30)));

    window->Launch();
    ASSERT_NO_FATAL_FAILURE(ExpectMode(playing));  // keys sent before the first frame would be one tap
    ASSERT_NO_FATAL_FAILURE(HoldUntil("ctrl+Next", [&] { ExpectMaze(playing, {{3, 3}}); }));
    EXPECT_EQ(window->Title(), "Game *\n");
    EXPECT_EQ(Saved("Second.json"), second) << "only a save writes a level file";
    ASSERT_NO_FATAL_FAILURE(HoldUntil("e", [&] { ExpectMode(editing); }));
    HoldUntil("ctrl+s", [&] { EXPECT_TRUE(WaitUntil([&] { return Saved("Second.json") == codes; })); });
    window->RequestClose();  // nothing unsaved: no question
    ASSERT_TRUE(window->game().WaitForExit(std::chrono::seconds(30)));

    window->Launch();
    ASSERT_NO_FATAL_FAILURE(ExpectMode(playing));  // keys sent before the first frame would be one tap
    ASSERT_NO_FATAL_FAILURE(HoldUntil("ctrl+Next", [&] { ExpectMaze(playing, {{3, 3}}); }));
    EXPECT_EQ(window->Title(), "Game\n");
    EXPECT_TRUE(boost::filesystem::is_empty(RecoveryFolder()));
}

// The key that takes the player from `cell` one step nearer the way out of `codes`.
const char* TowardsWayOut(const LevelCodes& codes, GridCell cell) {
    LevelCodes reversed = codes;  // the way out as the start: the steps from it to every cell
    for (int32_t& code : reversed) code = code == 7 ? 0 : code == 8 ? 7 : code;
    const CellDistances steps = StepsFromStart(reversed);
    const std::tuple<int32_t, int32_t, const char*> moves[] = {{1, 0, "Right"}, {-1, 0, "Left"}, {0, 1, "Down"}, {0, -1, "Up"}};
    for (const auto& [dx, dy, key] : moves) {
        const GridCell to{cell.column + dx, cell.row + dy};
        if (IsInGrid(to) && steps[size_t(SlotOf(to))] == steps[size_t(SlotOf(cell))] - 1) return key;
    }
    return "Right";
}

TEST_F(GameWindowTest, APlayerWalksTheFirstLevelOutSeesTheCardGoesOnAndFindsItSolvedAfterARestart) {
    window->Launch();
    ASSERT_NO_FATAL_FAILURE(ExpectMaze(playing, {{1, 1}}));
    // Step by step towards the way out from where the screen shows the player, so a busy
    // machine that doubles or misses a step costs moves, not the walk.
    // A key is held until the screen shows its effect: a busy machine may stall longer than a tap.
    const auto press = [&](const std::string& key, const std::function<bool(const Cells&)>& seen) {
        window->X("xdotool keydown " + key);
        const bool shown = window->WaitForScreen([&](const Picture& s) { return seen(Covered(s, playing)); }, screen);
        window->X("xdotool keyup " + key);
        return shown;
    };
    const auto boxShown = [](const Cells& covered) {
        return std::find(covered.begin(), covered.end(), std::pair{6, 4}) != covered.end();
    };
    Cells at{{1, 1}};
    bool card = false;
    for (int step = 0; step < 100 && !card; ++step) {
        ASSERT_TRUE(press(TowardsWayOut(codes, {at[0].first, at[0].second}), [&](const Cells& c) { return c != at; }));
        std::this_thread::sleep_for(std::chrono::milliseconds(250));
        ASSERT_TRUE(window->WaitForScreen(
            [&](const Picture& s) {
                const Cells covered = Covered(s, playing);
                card = boxShown(covered);
                if (covered.size() == 1) at = covered;
                return card || covered.size() == 1;
            },
            screen));
    }
    ASSERT_TRUE(card);
    const LevelCodes first = codes;
    codes = ReadLevelCodes(source + "/Content/Levels/Nook.json");  // the second level
    const GridCell start = *StartCell(codes);
    ASSERT_TRUE(press("Return", [&](const Cells& c) { return c == Cells{{start.column, start.row}}; }));
    const std::string records = window->folder().Read("home/data/glimmerduct/records.json");
    EXPECT_NE(records.find("\"BestMoves\""), std::string::npos) << records;
    window->RequestClose();
    ASSERT_TRUE(window->game().WaitForExit(std::chrono::seconds(30)));

    window->Launch();
    codes = first;
    ASSERT_NO_FATAL_FAILURE(ExpectMaze(playing, {{1, 1}}));
    EXPECT_TRUE(press("l", boxShown));  // the list, read from the records kept
    EXPECT_EQ(window->game().StandardError(), "");
}

}  // namespace
