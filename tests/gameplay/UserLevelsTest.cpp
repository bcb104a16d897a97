// Installed content is not the user's to change: their own levels live in their data folder,
// read over the installed ones and where every save goes.
#include <gtest/gtest.h>

#include <boost/filesystem/operations.hpp>

#include "core/ContentFolder.hpp"
#include "gameplay/GameplayState.hpp"
#include "gameplay/LevelData.hpp"
#include "gameplay/MessagePanel.hpp"
#include "support/GameplayWorld.hpp"

namespace fs = boost::filesystem;

namespace {

const std::string userLevels = "home/data/glimmerduct/Levels/";  // below TempContent's XDG_DATA_HOME

// Read over the installed levels by name, letter case aside, the others joining the list in name
// order; a save goes only there, creating the folder, and fails like any save where it cannot.
TEST(UserLevels, ReplaceInstalledOnesByNameJoinTheListInOrderAndTakeEverySave) {
    SetContentFolder("Content", ContentSource::Installed);
    {
        GameplayWorld world({GameplayWorld::Level({{{1, 1}, 1}}, "Alpha.json"), GameplayWorld::Level({}, "Cave.json")},
                            false);
        world.content.Write(userLevels + "alpha.json", LevelJson(GameplayWorld::Level({{{1, 1}, 5}}).codes));
        world.content.Write(userLevels + "Bend.json", LevelJson({}));
        world.RunFrames(1);
        std::vector<std::string> names;
        for (const auto& level : gameplayState.levels) names.push_back(level->name);
        EXPECT_EQ(names, (std::vector<std::string>{"alpha", "Bend", "Cave"}));
        EXPECT_EQ(GameplayWorld::Shown()[size_t(SlotOf({1, 1}))], 5);
    }
    GameplayWorld world({GameplayWorld::Level({}, "Maze.json")});
    const std::string installed = world.content.Read("Content/Levels/Maze.json");
    world.content.Write("home/data/glimmerduct", "a file where the folder should be");
    world.Press({Key::E});
    world.Paint({{4, 4}});
    world.Press({Key::Ctrl, Key::S});
    EXPECT_TRUE(gameplayState.panel->IsOpen());
    world.Press({Key::OemEnter});
    fs::remove(world.content.path() / "home/data/glimmerduct");
    world.Press({Key::Ctrl, Key::S});
    EXPECT_FALSE(gameplayState.panel->IsOpen());
    EXPECT_EQ(ReadLevelCodes(userLevels + "Maze.json")[size_t(SlotOf({4, 4}))], 2);
    EXPECT_EQ(world.content.Read("Content/Levels/Maze.json"), installed);
    SetContentFolder("Content");
}

// Content that is not installed is the user's own: the data folder is not looked at.
TEST(UserLevels, AreNotReadBesideContentThatIsNotInstalled) {
    GameplayWorld world({GameplayWorld::Level({}, "Maze.json")}, false);
    world.content.Write(userLevels + "Bend.json", LevelJson({}));
    world.RunFrames(1);
    EXPECT_EQ(gameplayState.levels.size(), 1u);
}

}  // namespace
