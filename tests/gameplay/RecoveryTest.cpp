#include <gtest/gtest.h>

#include <boost/filesystem/directory.hpp>
#include <boost/filesystem/operations.hpp>
#include <boost/property_tree/json_parser.hpp>

#include <fstream>
#include <functional>

#include "core/UserFolders.hpp"
#include "gameplay/GameplayState.hpp"
#include "gameplay/LevelData.hpp"
#include "gameplay/LevelFiles.hpp"
#include "gameplay/LevelSet.hpp"
#include "scene/TextComponent.hpp"
#include "scene/Component.hpp"
#include "scene/GameObject.hpp"
#include "support/GameplayWorld.hpp"

namespace fs = boost::filesystem;

namespace {

fs::path Folder() { return *StateHome() / "glimmerduct" / "recovery"; }

std::vector<fs::path> Copies() {
    std::vector<fs::path> copies;
    if (!fs::exists(Folder())) return copies;
    for (const auto& entry : fs::directory_iterator(Folder())) copies.push_back(entry.path());
    return copies;
}

// The editor on over a maze with its start on (1, 1).
struct EditorWorld : GameplayWorld {
    EditorWorld() : GameplayWorld({Level({{{1, 1}, 7}}, "Maze.json")}) { Press({Key::E}); }
};

}  // namespace

TEST(Recovery, APaintIsCopiedWithinASecondOfGameTimeButNotInItsOwnFrame) {
    EditorWorld world;
    world.RunFrames(1, [](int) { GameplayWorld::Mouse(GridToWorld(4, 4), true, false); });
    EXPECT_TRUE(Copies().empty());
    world.RunFrames(59, [](int) { GameplayWorld::Mouse(GridToWorld(4, 4), false, false); });
    ASSERT_EQ(Copies().size(), 1u);
    boost::property_tree::ptree copy;
    boost::property_tree::read_json(Copies()[0].string(), copy);
    EXPECT_EQ(copy.get<std::string>("Level"), fs::canonical(LevelFolder() / "Maze.json").string());
    LevelData level;
    level.ReadFrom(copy);
    EXPECT_EQ(level.tiles, GameplayWorld::Shown());
    EXPECT_FALSE(copy.get<std::string>("Time").empty());
    EXPECT_EQ(world.Saved("Maze.json")[size_t(SlotOf({4, 4}))], 0);  // the level file is untouched
}

TEST(Recovery, SavingDiscardingOrUndoingToTheFileRemovesTheCopy) {
    const std::function<void(GameplayWorld&)> ways[] = {
        [](GameplayWorld& w) { w.Press({Key::Ctrl, Key::S}); },
        [](GameplayWorld& w) { w.Press({Key::Ctrl, Key::Z}); },
        [](GameplayWorld& w) {  // the close question's Discard
            w.platform->closeRequested = true;
            w.RunFrames(1);
            w.Press({Key::D});
        },
    };
    for (const auto& way : ways) {
        EditorWorld world;
        world.Paint({{4, 4}});
        world.RunFrames(60);
        ASSERT_EQ(Copies().size(), 1u);
        way(world);
        world.RunFrames(1);
        EXPECT_TRUE(Copies().empty());
    }
}

namespace {

// A recovery copy as the game writes one, naming `level`.
void WriteCopy(const std::string& name, const fs::path& level, const LevelCodes& codes, bool never = false) {
    boost::property_tree::ptree copy;
    copy.put("Level", level.string());
    LevelData data;
    data.tiles = codes;
    data.WriteTo(copy);
    copy.put("Time", "2026-12-07T10:00:00Z");
    if (never) copy.put("New", true);
    fs::create_directories(Folder());
    boost::property_tree::write_json((Folder() / name).string(), copy);
}

}  // namespace

TEST(Recovery, CopiesAtStartAreShownUnsavedAndOneUndoTakesEachBack) {
    GameplayWorld world({GameplayWorld::Level({{{1, 1}, 7}}, "Maze.json")}, false);
    const LevelCodes file = world.Saved("Maze.json");
    LevelCodes edited = file;
    edited[size_t(SlotOf({4, 4}))] = 2;
    edited[size_t(SlotOf({1, 1}))] = 0;
    edited[size_t(SlotOf({3, 3}))] = 7;
    WriteCopy("Maze.json", fs::canonical(LevelFolder() / "Maze.json"), edited);
    WriteCopy("Level2.json", fs::canonical(LevelFolder()) / "Level2.json", edited, true);
    world.RunFrames(2);
    EXPECT_EQ(GameplayWorld::Shown(), edited);
    EXPECT_EQ(GameplayWorld::PlayerAt(), GridToWorld(3, 3));
    EXPECT_EQ(world.platform->title, "Game *");
    EXPECT_EQ(gameplayState.title->text->text, "Recovered unsaved edits of Maze.json and Level2.json");
    EXPECT_EQ(gameplayState.levels.size(), 2u);  // the level that was never saved is back
    EXPECT_EQ(world.Saved("Maze.json"), file);
    world.Press({Key::E});
    world.Press({Key::Ctrl, Key::Z});
    EXPECT_EQ(GameplayWorld::Shown(), file);
    world.Press({Key::Ctrl, Key::Z});
    EXPECT_EQ(GameplayWorld::Shown(), file);  // one step, and nothing before it
}

TEST(Recovery, ADamagedCopyIsIgnoredAndOneOfAVanishedLevelIsSetAsideOnceWithOneLineEach) {
    GameplayWorld world({GameplayWorld::Level({{{1, 1}, 7}}, "Maze.json")}, false);
    fs::create_directories(Folder());
    std::ofstream(Folder() / "Damaged.json") << "{\"Level\": ";
    WriteCopy("Gone.json", fs::canonical(LevelFolder()) / "Gone.json", LevelCodes{});
    world.content.Write("Elsewhere/Levels/Other.json", "{}");  // another content folder's level: not ours
    WriteCopy("Other.json", fs::canonical(world.content.path() / "Elsewhere/Levels/Other.json"), LevelCodes{});
    testing::internal::CaptureStderr();
    world.RunFrames(1);
    const std::string report = testing::internal::GetCapturedStderr();
    EXPECT_EQ(std::count(report.begin(), report.end(), '\n'), 2) << report;
    EXPECT_NE(report.find("Damaged.json: a damaged recovery copy, ignored"), std::string::npos) << report;
    EXPECT_NE(report.find("Gone.json, which no longer exists, moved to " + (Folder() / "orphaned").string()),
              std::string::npos)
        << report;
    EXPECT_TRUE(fs::exists(Folder() / "orphaned" / "Gone.json"));
    EXPECT_EQ(world.platform->title, "Game");
    EXPECT_EQ(gameplayState.levels.size(), 1u);
    // The next start says nothing more of it.
    EXPECT_EQ(GameplayWorld::Levels().RestoreRecoveryCopies(), std::vector<std::string>{});
}
