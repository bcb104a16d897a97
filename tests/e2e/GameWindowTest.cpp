// The real game in a real X window, played through synthetic keys and mouse moves, with what the
// screen shows checked against the level file and the shipped pictures.
#include <algorithm>
#include <chrono>
#include <memory>
#include <sstream>
#include <string>
#include <thread>
#include <utility>
#include <vector>

#include <boost/filesystem/operations.hpp>
#include <gtest/gtest.h>

#include "support/GameWindow.hpp"
#include "support/MazeView.hpp"

namespace {

using Cells = std::vector<std::pair<int, int>>;
using namespace std::chrono_literals;

const std::string texturesFolder = std::string(GAME_SOURCE_DIR) + "/Content/Textures/Main";
const std::string shippedMaze = std::string(GAME_SOURCE_DIR) + "/Content/Levels/Maze.json";

// Where the shipped maze starts the player, and where the editor's cursor is drawn.
const std::pair<int, int> playerStart{1, 1};
const std::pair<int, int> cursorCell{12, 8};

std::string Describe(const Cells& cells) {
    std::ostringstream text;
    for (const auto& [column, row] : cells) text << "(" << column << ", " << row << ") ";
    return text.str();
}

void Pause(std::chrono::milliseconds time) { std::this_thread::sleep_for(time); }

int Slot(int column, int row) { return row * MazeView::columns + column; }

// A pixel of the strip under the grid, right of the title, shows the clear colour.
Color StripColour(const ScreenPicture& screen) { return screen.At(790, 592); }

// The half-size cursor's square at cell (12, 8).
ScreenPicture CursorArea(const ScreenPicture& screen) {
    ScreenPicture area(32, 32);
    for (int y = 0; y < 32; ++y)
        for (int x = 0; x < 32; ++x) area.At(x, y) = screen.At(736 + x, 528 + y);
    return area;
}

bool Alike(const ScreenPicture& a, const ScreenPicture& b) {
    for (int y = 0; y < a.height(); ++y)
        for (int x = 0; x < a.width(); ++x)
            if (!CloseTo(a.At(x, y), b.At(x, y))) return false;
    return true;
}

// A visible window titled "Game" other than the game's own: the message box. (xdotool's name
// search misses it, as its title is a UTF-8 string.)
std::string OtherWindowNamedGame(const GameWindow& window) {
    std::istringstream ids(window.RunX("xdotool search --onlyvisible --class '' || true"));
    for (std::string id; std::getline(ids, id);) {
        if (id.empty() || id == window.windowId()) continue;
        if (window.RunX("xdotool getwindowname " + id + " || true") == "Game\n") return id;
    }
    return "";
}

class GameWindowTest : public ::testing::Test {
protected:
    void SetUp() override {
        const std::string missing = GameWindow::MissingTool();
        if (!missing.empty()) GTEST_SKIP() << missing << " is not installed";
        window = std::make_unique<GameWindow>();
        codes = ReadLevelCodes(shippedMaze);
    }

    std::string SavedFile() const { return (window->folder().path() / "Content/Levels/Maze.json").string(); }

    // Starts the game and waits until it shows the maze of `codes` with the player on its start.
    void LaunchAndWaitForMaze() {
        window->Launch();
        ExpectMaze(MazeView::playingBackground, {playerStart});
    }

    // Waits until every cell shows its code of `codes` over `background`, except the `covered`
    // ones, where something is drawn on top (the player, the cursor). A fatal failure when not.
    void ExpectMaze(Color background, const Cells& covered) {
        const bool shown = window->WaitForScreen(
            [&](const ScreenPicture& s) {
                return CloseTo(StripColour(s), background, 0) && view.CellsCovered(s, codes, background) == covered;
            },
            screen);
        ASSERT_TRUE(shown) << "cells not as the level says: " << Describe(view.CellsCovered(screen, codes, background))
                           << "; expected covered: " << Describe(covered);
    }

    void ToggleEditor(const std::string& key, bool on) {
        window->Hold(key);
        if (on) {
            ExpectMaze(MazeView::editingBackground, {playerStart, cursorCell});
        } else {
            ExpectMaze(MazeView::playingBackground, {playerStart});
        }
    }

    // Presses a mouse button over the centre of a cell for a few frames.
    void ClickCell(int column, int row, int button) {
        window->MoveMouse(MazeView::CentreX(column), MazeView::CentreY(row));
        Pause(50ms);
        window->MouseDown(button);
        Pause(100ms);
        window->MouseUp(button);
    }

    MazeView view{texturesFolder};
    std::unique_ptr<GameWindow> window;
    std::vector<int> codes;  // what the maze should show now
    ScreenPicture screen;
};

TEST_F(GameWindowTest, FirstFrameShowsTheMazeThePlayerAndTheTitle) {
    // Every cell but the player's looks like its code's picture over the playing colour.
    ASSERT_NO_FATAL_FAILURE(LaunchAndWaitForMaze());

    const Color floor = screen.At(MazeView::CentreX(2), MazeView::CentreY(1));
    EXPECT_FALSE(CloseTo(screen.At(MazeView::CentreX(3), MazeView::CentreY(1)), floor, 10)) << "wall (3, 1)";
    EXPECT_FALSE(CloseTo(screen.At(MazeView::CentreX(1), MazeView::CentreY(1)), floor, 10)) << "player (1, 1)";
    EXPECT_LT(view.Match(screen, playerStart.first, playerStart.second, 0, MazeView::playingBackground), 0.8);

    // The title: light text on the left of the strip under the grid, nothing on its right.
    int leftText = 0, rightText = 0;
    for (int y = 577; y < 600; ++y) {
        for (int x = 0; x < 800; ++x) {
            const Color c = screen.At(x, y);
            if (c.r >= 200 && c.g >= 180 && c.b >= 180) {
                ++(x < 400 ? leftText : rightText);
            }
            if (x >= 400) {
                EXPECT_TRUE(CloseTo(c, MazeView::playingBackground, 0)) << x << ", " << y;
            }
        }
    }
    EXPECT_GT(leftText, 100);
    EXPECT_EQ(rightText, 0);
}

TEST_F(GameWindowTest, ArrowKeysWalkCellByCellUntilAWall) {
    ASSERT_NO_FATAL_FAILURE(LaunchAndWaitForMaze());

    // A press shorter than a step walks exactly one cell.
    window->Hold("Down");
    ASSERT_NO_FATAL_FAILURE(ExpectMaze(MazeView::playingBackground, {{1, 2}}));
    Pause(300ms);
    EXPECT_EQ(view.CellsCovered(window->Capture(), codes, MazeView::playingBackground), Cells({{1, 2}}));

    // Held, it walks on until the wall at (1, 4).
    window->KeyDown("Down");
    ASSERT_NO_FATAL_FAILURE(ExpectMaze(MazeView::playingBackground, {{1, 3}}));
    Pause(400ms);  // more than two steps' time
    EXPECT_EQ(view.CellsCovered(window->Capture(), codes, MazeView::playingBackground), Cells({{1, 3}}));
    window->KeyUp("Down");

    // Right along row 3, never off it, until the wall at (6, 3).
    window->KeyDown("Right");
    Cells seen;
    const bool arrived = window->WaitForScreen(
        [&](const ScreenPicture& s) {
            const Cells covered = view.CellsCovered(s, codes, MazeView::playingBackground);
            for (const auto& cell : covered)
                if (cell.second != 3 || cell.first < 1 || cell.first > 5) seen.push_back(cell);
            return covered == Cells({{5, 3}});
        },
        screen);
    EXPECT_TRUE(arrived) << Describe(view.CellsCovered(screen, codes, MazeView::playingBackground));
    EXPECT_TRUE(seen.empty()) << "drawn off the path: " << Describe(seen);
    Pause(400ms);
    EXPECT_EQ(view.CellsCovered(window->Capture(), codes, MazeView::playingBackground), Cells({{5, 3}}));
    window->KeyUp("Right");
}

TEST_F(GameWindowTest, EditorTurnsTheBackgroundRedAndShowsTheCursorAtCell12_8) {
    ASSERT_NO_FATAL_FAILURE(LaunchAndWaitForMaze());
    ASSERT_NO_FATAL_FAILURE(ToggleEditor("e", true));

    // The cursor is drawn half-size in the middle of its cell: what differs from the cell's own
    // picture lies within the 32 × 32 square around the centre (752, 544).
    int left = 800, top = 600, right = -1, bottom = -1;
    const int code = codes[size_t(Slot(cursorCell.first, cursorCell.second))];
    const ScreenPicture& tile = view.TilePicture(code);
    for (int y = 0; y < 64; ++y) {
        for (int x = 0; x < 64; ++x) {
            const int sx = 720 + x, sy = 512 + y;
            if (CloseTo(screen.At(sx, sy), BlendOver(tile.At(x, y), MazeView::editingBackground))) continue;
            left = std::min(left, sx), right = std::max(right, sx);
            top = std::min(top, sy), bottom = std::max(bottom, sy);
        }
    }
    EXPECT_GE(left, 736);
    EXPECT_LE(right, 767);
    EXPECT_GE(top, 528);
    EXPECT_LE(bottom, 559);
    EXPECT_GE(bottom - top, 24) << "the vertical duct the cursor starts with spans its height";

    // Next and previous tile, each on both of their keys, step the cursor's picture.
    const ScreenPicture first = CursorArea(screen);
    window->Hold("Next");
    ASSERT_TRUE(window->WaitForScreen([&](const ScreenPicture& s) { return !Alike(CursorArea(s), first); }, screen));
    const ScreenPicture second = CursorArea(screen);
    window->Hold("period");
    ASSERT_TRUE(window->WaitForScreen(
        [&](const ScreenPicture& s) { return !Alike(CursorArea(s), first) && !Alike(CursorArea(s), second); },
        screen));
    window->Hold("Prior");
    EXPECT_TRUE(window->WaitForScreen([&](const ScreenPicture& s) { return Alike(CursorArea(s), second); }, screen));
    window->Hold("comma");
    EXPECT_TRUE(window->WaitForScreen([&](const ScreenPicture& s) { return Alike(CursorArea(s), first); }, screen));

    // Off again: the playing colour and no cursor.
    ASSERT_NO_FATAL_FAILURE(ToggleEditor("Tab", false));
}

TEST_F(GameWindowTest, DraggingWithThePlaceButtonPaintsTheCellsUnderThePointer) {
    ASSERT_NO_FATAL_FAILURE(LaunchAndWaitForMaze());
    ASSERT_NO_FATAL_FAILURE(ToggleEditor("e", true));

    // From (8, 5) to (10, 5) in small moves; (11, 5) beyond the end stays floor.
    window->MoveMouse(MazeView::CentreX(8), MazeView::CentreY(5));
    Pause(50ms);
    window->MouseDown(1);
    Pause(100ms);
    for (int x = MazeView::CentreX(8) + 16; x <= MazeView::CentreX(10); x += 16) {
        window->MoveMouse(x, MazeView::CentreY(5));
        Pause(40ms);
    }
    window->MouseUp(1);
    for (int column = 8; column <= 10; ++column) codes[size_t(Slot(column, 5))] = 2;  // the cursor's code
    ASSERT_NO_FATAL_FAILURE(ExpectMaze(MazeView::editingBackground, {playerStart, cursorCell}));
    EXPECT_TRUE(view.Shows(screen, 11, 5, 0, MazeView::editingBackground));
}

TEST_F(GameWindowTest, CopyButtonTakesACellsCodeForPainting) {
    ASSERT_NO_FATAL_FAILURE(LaunchAndWaitForMaze());
    ASSERT_NO_FATAL_FAILURE(ToggleEditor("e", true));
    const ScreenPicture before = CursorArea(screen);

    ClickCell(9, 6, 3);  // the top-left corner
    ASSERT_TRUE(window->WaitForScreen([&](const ScreenPicture& s) { return !Alike(CursorArea(s), before); }, screen));
    ClickCell(11, 5, 1);
    codes[size_t(Slot(11, 5))] = 3;
    ASSERT_NO_FATAL_FAILURE(ExpectMaze(MazeView::editingBackground, {playerStart, cursorCell}));
    EXPECT_FALSE(view.Shows(screen, 11, 5, 0, MazeView::editingBackground));
}

TEST_F(GameWindowTest, CtrlSSavesWhatTheScreenShowsAndARestartShowsIt) {
    ASSERT_NO_FATAL_FAILURE(LaunchAndWaitForMaze());
    ASSERT_NO_FATAL_FAILURE(ToggleEditor("e", true));
    ClickCell(11, 5, 1);  // the cursor's vertical duct
    ClickCell(10, 6, 3);  // copy a top-right corner
    ClickCell(12, 5, 1);
    codes[size_t(Slot(11, 5))] = 2;
    codes[size_t(Slot(12, 5))] = 4;
    ASSERT_NO_FATAL_FAILURE(ExpectMaze(MazeView::editingBackground, {playerStart, cursorCell}));

    window->Hold("ctrl+s");
    std::vector<int> saved = ReadLevelCodes(shippedMaze);
    ASSERT_TRUE(WaitUntil([&] {
        saved = ReadLevelCodes(SavedFile());
        return saved != ReadLevelCodes(shippedMaze);
    })) << window->process().StandardError();
    EXPECT_EQ(saved, codes);
    EXPECT_FALSE(boost::filesystem::exists(SavedFile() + ".saving"));

    // The saved codes are what the screen shows, cell for cell.
    EXPECT_EQ(view.CellsCovered(window->Capture(), saved, MazeView::editingBackground), Cells({playerStart, cursorCell}));

    window->RequestClose();
    ASSERT_TRUE(window->WaitForExit());
    ASSERT_NO_FATAL_FAILURE(LaunchAndWaitForMaze());
}

TEST_F(GameWindowTest, CloseBoxEndsTheGameWithStatusZero) {
    ASSERT_NO_FATAL_FAILURE(LaunchAndWaitForMaze());
    window->RequestClose();
    ASSERT_TRUE(window->WaitForExit());
    EXPECT_TRUE(window->process().exited()) << "signal " << window->process().termSignal();
    EXPECT_EQ(window->process().exitStatus(), 0) << window->process().StandardError();
}

TEST_F(GameWindowTest, AltF4EndsTheGameWithStatusZero) {
    ASSERT_NO_FATAL_FAILURE(LaunchAndWaitForMaze());
    window->Hold("alt+F4");
    ASSERT_TRUE(window->WaitForExit());
    EXPECT_TRUE(window->process().exited()) << "signal " << window->process().termSignal();
    EXPECT_EQ(window->process().exitStatus(), 0) << window->process().StandardError();
}


TEST_F(GameWindowTest, FailedSaveIsReportedAndTheEditsStay) {
    // Root writes into read-only folders, so the save is made to fail another way: a folder in
    // the place of the temporary file it writes first.
    const std::string blocker = SavedFile() + ".saving";
    boost::filesystem::create_directory(blocker);
    ASSERT_NO_FATAL_FAILURE(LaunchAndWaitForMaze());
    ASSERT_NO_FATAL_FAILURE(ToggleEditor("e", true));
    ClickCell(11, 5, 1);
    codes[size_t(Slot(11, 5))] = 2;
    ASSERT_NO_FATAL_FAILURE(ExpectMaze(MazeView::editingBackground, {playerStart, cursorCell}));

    window->Hold("ctrl+s");
    ASSERT_TRUE(WaitUntil([&] { return window->process().StandardError().find('\n') != std::string::npos; }));
    // The report is also shown in a message box, a second window titled like the game's, which
    // waits for the user.
    std::string box;
    ASSERT_TRUE(WaitUntil([&] {
        box = OtherWindowNamedGame(*window);
        return !box.empty();
    })) << window->process().StandardError();
    window->RunX("xdotool windowfocus --sync " + box);
    window->Hold("Return");
    EXPECT_TRUE(WaitUntil([&] { return OtherWindowNamedGame(*window).empty(); })) << "the message box stays";

    const std::string report = window->process().StandardError();
    EXPECT_EQ(std::count(report.begin(), report.end(), '\n'), 1) << report;
    EXPECT_NE(report.find("Content/Levels/Maze.json"), std::string::npos) << report;
    EXPECT_TRUE(window->process().Running());
    EXPECT_EQ(ReadLevelCodes(SavedFile()), ReadLevelCodes(shippedMaze)) << "the old file stays whole";

    // The game goes on with the edit on screen, and once the way is clear the save succeeds.
    window->RunX("xdotool windowfocus --sync " + window->windowId());
    ASSERT_NO_FATAL_FAILURE(ExpectMaze(MazeView::editingBackground, {playerStart, cursorCell}));
    boost::filesystem::remove(blocker);
    window->Hold("ctrl+s");
    EXPECT_TRUE(WaitUntil([&] { return ReadLevelCodes(SavedFile()) == codes; })) << window->process().StandardError();
    EXPECT_TRUE(window->process().Running());
}

TEST_F(GameWindowTest, CtrlZPutsThePaintedCellBackAsItWas) {
    ASSERT_NO_FATAL_FAILURE(LaunchAndWaitForMaze());
    ASSERT_NO_FATAL_FAILURE(ToggleEditor("e", true));
    const std::vector<int> before = codes;
    ClickCell(11, 5, 1);
    codes[size_t(Slot(11, 5))] = 2;
    ASSERT_NO_FATAL_FAILURE(ExpectMaze(MazeView::editingBackground, {playerStart, cursorCell}));
    EXPECT_EQ(window->RunX("xdotool getwindowname " + window->windowId()), "Game *\n");

    window->Hold("ctrl+z");
    codes = before;
    ASSERT_NO_FATAL_FAILURE(ExpectMaze(MazeView::editingBackground, {playerStart, cursorCell}));
    EXPECT_EQ(window->RunX("xdotool getwindowname " + window->windowId()), "Game\n");
}

TEST_F(GameWindowTest, ClosingWithUnsavedEditsAsksAndSaveKeepsThem) {
    ASSERT_NO_FATAL_FAILURE(LaunchAndWaitForMaze());
    ASSERT_NO_FATAL_FAILURE(ToggleEditor("e", true));
    ClickCell(11, 5, 1);
    codes[size_t(Slot(11, 5))] = 2;
    ASSERT_NO_FATAL_FAILURE(ExpectMaze(MazeView::editingBackground, {playerStart, cursorCell}));

    window->RequestClose();
    std::string box;
    ASSERT_TRUE(WaitUntil([&] {
        box = OtherWindowNamedGame(*window);
        return !box.empty();
    })) << "no question was asked; " << window->process().StandardError();
    EXPECT_TRUE(window->process().Running());
    window->RunX("xdotool windowfocus --sync " + box);
    window->Hold("Return");  // the default answer: save
    ASSERT_TRUE(window->WaitForExit());
    EXPECT_EQ(window->process().exitStatus(), 0) << window->process().StandardError();
    EXPECT_EQ(ReadLevelCodes(SavedFile()), codes);
}

}  // namespace
