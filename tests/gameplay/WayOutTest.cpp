// A level with a way out, played through the real loop: the card, the records, restarting,
// the next level and the list.
#include <gtest/gtest.h>

#include <boost/filesystem/operations.hpp>
#include <boost/property_tree/json_parser.hpp>

#include "core/Services.hpp"
#include "core/UserSettings.hpp"
#include "input/InputManager.hpp"
#include "gameplay/FinishCard.hpp"
#include "gameplay/GameplayState.hpp"
#include "gameplay/LevelListPanel.hpp"
#include "gameplay/PlayerBehavior.hpp"
#include "scene/Component.hpp"
#include "scene/TextComponent.hpp"
#include "support/GameplayWorld.hpp"

namespace fs = boost::filesystem;

namespace {

constexpr int framesPerStep = 11;  // at one update of 1/60 s per frame
const std::string recordsFile = "home/data/glimmerduct/records.json";

// Start at (1, 1), the way out three cells to the right.
LevelFile Corridor(const std::string& file, int32_t extra = 0) {
    return GameplayWorld::Level({{{1, 1}, 7}, {{4, 1}, 8}, {{6, 6}, extra}}, file);
}

// Holds `key` for `steps` steps, then lets go for a frame, in which a finish is seen.
void Walk(GameplayWorld& world, Key key, int steps) {
    world.RunFrames(steps * framesPerStep + 1,
                    [&](int n) { Services::input->SetKey(key, n <= steps * framesPerStep); });
}

std::string Line() { return gameplayState.levelLine->text->text; }
bool CardOpen() { return gameplayState.finishCard->IsOpen(); }
std::string CardLine(size_t i) { return gameplayState.finishCard->Lines().at(i); }

// (moves, milliseconds) kept for the only level with a record.
std::pair<int, int> Kept(const GameplayWorld& world) {
    boost::property_tree::ptree tree;
    boost::property_tree::read_json((world.content.path() / recordsFile).string(), tree);
    const auto& level = tree.get_child("Levels").begin()->second;
    return {level.get<int>("BestMoves"), level.get<int>("BestMilliseconds")};
}

}  // namespace

TEST(WayOut, AStepOntoItShowsTheCardAndOnlyABetterRunReplacesTheRecord) {
    GameplayWorld world{{Corridor("Maze.json")}};
    EXPECT_EQ(Line(), "Maze  1/1   0 moves  0:00.0");  // shown for one level too, as it has a way out
    // A detour first: five moves; the clock runs from the first step on, standing still too.
    Walk(world, Key::Right, 1);
    EXPECT_EQ(Line(), "Maze  1/1   1 move  0:00.2");
    Walk(world, Key::Left, 1);
    Walk(world, Key::Right, 3);
    ASSERT_TRUE(CardOpen());
    EXPECT_EQ(CardLine(1), "5 moves, par 3     time 0:00.9");
    EXPECT_EQ(CardLine(3), "First time out: the record to beat");
    EXPECT_EQ(Kept(world), std::make_pair(5, 950));  // 12 + 12 + 33 frames
    Walk(world, Key::Right, 2);  // the card holds the keys: the player waits
    EXPECT_EQ(GameplayWorld::PlayerAt(), GridToWorld(4, 1));

    world.Press({Key::R});
    EXPECT_FALSE(CardOpen());
    EXPECT_EQ(GameplayWorld::PlayerAt(), GridToWorld(1, 1));
    EXPECT_EQ(Line(), "Maze  1/1   0 moves  0:00.0");
    Walk(world, Key::Right, 3);
    EXPECT_EQ(CardLine(1), "3 moves, par 3     time 0:00.5");
    EXPECT_EQ(CardLine(2), "Best so far: 5 moves, 0:00.9");
    EXPECT_EQ(CardLine(3), "New best: fewer moves and faster!");
    EXPECT_EQ(Kept(world), std::make_pair(3, 550));

    world.Press({Key::R});
    Walk(world, Key::Down, 1);  // R during a run starts it afresh too
    world.Press({Key::R});
    EXPECT_EQ(Line(), "Maze  1/1   0 moves  0:00.0");
    Walk(world, Key::Right, 1);
    Walk(world, Key::Left, 1);
    Walk(world, Key::Right, 3);
    EXPECT_EQ(CardLine(3), "Not beaten this time");
    EXPECT_EQ(Kept(world), std::make_pair(3, 550));
    Services::userSettings->movesAndTime = false;  // as a setting may switch it
    world.Press({Key::R});
    Services::userSettings->movesAndTime = true;
    EXPECT_EQ(gameplayState.levelLine->text->layer, 0);  // one level, nothing else to say
}

TEST(WayOut, EnterPlaysTheNextLevelAndAfterTheLastTheFirstNotYetSolved) {
    GameplayWorld world{{Corridor("A.json"), Corridor("B.json", 2), Corridor("C.json", 3)}};
    Walk(world, Key::Right, 3);
    world.Press({Key::OemEnter});
    EXPECT_EQ(Line(), "B  2/3   0 moves  0:00.0");
    world.Press({Key::Ctrl, Key::PageDown});
    Walk(world, Key::Right, 3);
    world.Press({Key::OemEnter});
    EXPECT_EQ(Line(), "B  2/3   0 moves  0:00.0");
}

TEST(WayOut, TheEditorNeverFinishesAndARunWithUnsavedEditsOrTheEditorOnKeepsNoRecord) {
    GameplayWorld world{{Corridor("Maze.json")}};
    world.Press({Key::E});
    EXPECT_EQ(Line(), "Maze  1/1   par 3");
    Walk(world, Key::Right, 3);
    EXPECT_FALSE(CardOpen());
    world.Press({Key::E});
    Walk(world, Key::Left, 1);
    Walk(world, Key::Right, 1);
    ASSERT_TRUE(CardOpen());
    EXPECT_EQ(CardLine(3), "Walked with the editor on: no record is kept");
    world.Press({Key::R});
    GameplayWorld::SetCode({1, 4}, 1);  // an edit, not saved
    Walk(world, Key::Right, 3);
    EXPECT_EQ(CardLine(3), "Unsaved edits: no record is kept");
    EXPECT_FALSE(fs::exists(world.content.path() / recordsFile));
}

TEST(WayOut, TheEditorShowsTheParAsItPaintsAndWarnsOnSaving) {
    GameplayWorld world{{Corridor("Maze.json")}};
    world.Press({Key::E});
    world.Paint({{3, 0}, {3, 1}, {3, 2}});  // a wall across the way: round it
    EXPECT_EQ(Line(), "Maze  1/1   par 7");
    world.Press({Key::Ctrl, Key::S});
    EXPECT_EQ(gameplayState.title->text->text.find("Saved, but"), std::string::npos);  // nothing to warn of
    for (GridCell cell : {GridCell{4, 0}, {4, 2}, {5, 1}}) world.Paint({cell});
    EXPECT_EQ(Line(), "Maze  1/1   way out unreachable");
    GameplayWorld::SetCode({6, 3}, 7);
    world.Press({Key::Ctrl, Key::S});
    EXPECT_EQ(gameplayState.title->text->text,
              "Saved, but 2 starts: the one at column 6, row 3 counts; the way out cannot be reached from the start");
    GameplayWorld::SetCode({4, 1}, 0);
    world.RunFrames(1);
    EXPECT_EQ(Line(), "Maze  1/1   no way out");
}

TEST(WayOut, RecordsFollowTheCodesSoARenamedLevelKeepsThemAndAnEditedOneStartsAfresh) {
    std::string records;
    {
        GameplayWorld world{{Corridor("Maze.json")}};
        Walk(world, Key::Right, 3);
        records = world.content.Read(recordsFile);
    }
    LevelFile edited = Corridor("Edited.json", 1);
    GameplayWorld world{{Corridor("Renamed.json"), edited, GameplayWorld::Level({}, "Walk.json")}, false};
    world.content.Write(recordsFile, records);
    world.RunFrames(1);
    world.Press({Key::L});
    LevelListPanel& list = *gameplayState.levelList;
    ASSERT_TRUE(list.IsOpen());
    EXPECT_EQ(list.ShownRows(), (std::vector<std::string>{"> Edited | not solved",
                                                          "   Renamed | solved  3 moves  0:00.5",
                                                          "   Walk | free to walk"}));
    world.Press({Key::Down});
    world.Press({Key::OemEnter});
    EXPECT_FALSE(list.IsOpen());
    EXPECT_EQ(Line(), "Renamed  2/3   0 moves  0:00.0");
    world.Press({Key::L});
    world.Press({Key::Esc});
    EXPECT_FALSE(list.IsOpen());
    EXPECT_EQ(Line(), "Renamed  2/3   0 moves  0:00.0");
}

TEST(WayOut, TheListScrollsToKeepTheChoiceInSight) {
    std::vector<LevelFile> files;
    for (char c = 'A'; c <= 'L'; ++c) files.push_back(GameplayWorld::Level({}, std::string(1, c) + ".json"));
    GameplayWorld world{files};
    gameplayState.openLevelList();  // as another part of the game opens it
    for (int i = 0; i < 11; ++i) world.Press({Key::Down});
    const std::vector<std::string> rows = gameplayState.levelList->ShownRows();
    ASSERT_EQ(rows.size(), size_t(LevelListPanel::visibleRows));
    EXPECT_EQ(rows.front(), "   C | free to walk");
    EXPECT_EQ(rows.back(), "> L | free to walk");
}

TEST(WayOut, ADamagedRecordsFileIsMovedAsideAndTheGamePlaysOnAndKeepsRecordsAfresh) {
    GameplayWorld world{{Corridor("Maze.json")}, false};
    world.content.Write(recordsFile, R"({"Levels": {"0123456789abcdef": {"BestMoves": "many"}}})");
    world.RunFrames(1);
    Walk(world, Key::Right, 3);
    EXPECT_EQ(CardLine(2), "Best so far: none");
    EXPECT_EQ(Kept(world), std::make_pair(3, 550));
    EXPECT_NE(world.content.Read(recordsFile + ".damaged").find("many"), std::string::npos);
}
