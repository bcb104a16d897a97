#include <gtest/gtest.h>

#include <boost/filesystem/operations.hpp>

#include "gameplay/GameplayState.hpp"
#include "gameplay/LevelReload.hpp"
#include "gameplay/LevelSet.hpp"
#include "gameplay/MessagePanel.hpp"
#include "scene/Component.hpp"
#include "scene/TextComponent.hpp"
#include "support/GameplayWorld.hpp"

namespace {

// A.json shown with the editor on, B.json beside it; another program writes the files.
class Reload : public ::testing::Test {
protected:
    void SetUp() override { world.Press({Key::E}); }
    void WriteFile(const std::string& file, const LevelCodes& codes) {
        world.content.Write("Content/Levels/" + file, LevelJson(codes));
    }
    // The game looks at the folder once a second.
    void Wait() { world.RunFrames(61); }
    static std::string Strip() { return gameplayState.title->text->text; }
    static std::vector<std::string> Names() {
        std::vector<std::string> names;
        for (int32_t i = 0; i < GameplayWorld::Levels().Count(); ++i) names.push_back(GameplayWorld::Levels().Level(i).fileName);
        return names;
    }

    const LevelCodes other = GameplayWorld::Level({{{4, 4}, 3}, {{2, 2}, 7}}).codes;
    GameplayWorld world{{GameplayWorld::Level({{{1, 1}, 7}}, "A.json"), GameplayWorld::Level({}, "B.json")}};
};

}  // namespace

TEST_F(Reload, ALevelWithoutEditsTakesItsChangedFileQuietlyAndTheGamesOwnSaveIsNoChange) {
    WriteFile("A.json", other);
    world.platform->focusGained = true;  // back from the other program: looked at once
    world.RunFrames(1);
    EXPECT_EQ(GameplayWorld::Shown(), other);
    EXPECT_EQ(GameplayWorld::PlayerAt(), GridToWorld(2, 2));
    EXPECT_EQ(Strip(), "Reloaded A.json: it changed on disk");
    EXPECT_FALSE(gameplayState.panel->IsOpen());
    world.RunFrames(4 * 60);
    world.Paint({{6, 6}});
    world.Press({Key::Ctrl, Key::S});
    world.Paint({{7, 7}});  // edited again before the game looks: still no change by another
    Wait();
    EXPECT_FALSE(gameplayState.panel->IsOpen());
    EXPECT_EQ(Strip(), "TORVEL: Glimmerduct");
    EXPECT_EQ(GameplayWorld::Shown()[size_t(SlotOf({7, 7}))], 2);
}

TEST_F(Reload, ALevelWithEditsAsksAndBothAnswersDoWhatTheySay) {
    world.Paint({{6, 6}});
    const LevelCodes edited = GameplayWorld::Shown();
    WriteFile("A.json", other);
    Wait();
    ASSERT_TRUE(gameplayState.panel->IsOpen());
    EXPECT_NE(gameplayState.panel->text().find("A.json changed on disk"), std::string::npos);
    world.Press({Key::K});  // keep mine: still modified, and the next save overwrites the file
    EXPECT_EQ(GameplayWorld::Shown(), edited);
    EXPECT_EQ(world.platform->title, "Game *");
    world.Press({Key::Ctrl, Key::Z});  // back to what A.json held at start: no longer the file
    EXPECT_EQ(world.platform->title, "Game *");
    world.Press({Key::Ctrl, Key::Y});
    world.Press({Key::Ctrl, Key::S});
    EXPECT_EQ(world.Saved("A.json"), edited);
    world.Paint({{7, 7}});
    WriteFile("A.json", other);
    Wait();
    world.Press({Key::R});  // reload: the edits go
    EXPECT_EQ(GameplayWorld::Shown(), other);
    EXPECT_EQ(world.platform->title, "Game");
    world.Press({Key::Ctrl, Key::Z});  // the history went with them
    EXPECT_EQ(GameplayWorld::Shown(), other);
}

TEST_F(Reload, ANewFileJoinsInNameOrderAndADeletedFilesLevelStaysUnsaved) {
    WriteFile("Aa.json", other);
    Wait();
    EXPECT_EQ(Names(), (std::vector<std::string>{"A.json", "Aa.json", "B.json"}));
    EXPECT_EQ(Strip(), "New level Aa.json");
    EXPECT_EQ(GameplayWorld::Levels().Shown(), 0);
    world.Press({Key::Ctrl, Key::PageDown});
    EXPECT_EQ(GameplayWorld::Shown(), other);
    WriteFile("0.json", {});  // before the shown level: it stays shown
    boost::filesystem::remove(world.content.path() / "Content/Levels/B.json");
    Wait();
    EXPECT_EQ(Names(), (std::vector<std::string>{"0.json", "A.json", "Aa.json", "B.json"}));
    EXPECT_EQ(GameplayWorld::Levels().Shown(), 2);
    EXPECT_EQ(GameplayWorld::Shown(), other);
    EXPECT_FALSE(GameplayWorld::Levels().HasFile(3));
    EXPECT_EQ(world.platform->title, "Game *");
}

TEST_F(Reload, AFileThatCannotBeReadKeepsTheLevelAndTheStripSaysWhy) {
    const LevelCodes shown = GameplayWorld::Shown();
    world.content.Write("Content/Levels/A.json", "{\"Tiles\": \"1,x\"}");
    Wait();
    EXPECT_EQ(GameplayWorld::Shown(), shown);
    EXPECT_EQ(Strip(), "A.json: tile 2 of \"Tiles\" (\"x\") holds no number");
    world.content.Write("Content/Levels/A.json", std::string(LevelReload::mostBytes + 1, ' '));
    Wait();
    EXPECT_EQ(Strip(), "A.json: is too large for a level (more than 1048576 bytes)");
    boost::filesystem::remove(world.content.path() / "Content/Levels/A.json");
    boost::filesystem::create_directory(world.content.path() / "Content/Levels/A.json");
    Wait();
    EXPECT_EQ(Strip(), "A.json: is not a file");
    EXPECT_EQ(GameplayWorld::Shown(), shown);
    EXPECT_EQ(world.platform->title, "Game");  // nothing lost: what it shows is still in its last file
}
