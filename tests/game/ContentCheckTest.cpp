// The content check goes on after a problem: one run names every bad file, one line each (the
// one the game reports, see DescribeFatalError).
#include <gtest/gtest.h>

#include <boost/filesystem/directory.hpp>
#include <boost/filesystem/operations.hpp>

#include "core/ContentFolder.hpp"
#include "game/ContentCheck.hpp"
#include "gameplay/Par.hpp"
#include "support/GameplayWorld.hpp"
#include "support/TempContent.hpp"

namespace {

TEST(ContentCheck, NamesEveryBadFileOfTheInstalledContentAndTheUsersLevelsInOneRun) {
    TempContent content;
    content.CopyFromSource("Content", "Content");
    const std::string textures = "Content/Textures/Main/", userLevels = "home/data/glimmerduct/Levels/";
    const std::string png = content.Read(textures + "GutVertical.png");
    content.Write(textures + "GutVertical.png", png.substr(0, png.size() / 2));  // the game goes without it
    boost::filesystem::remove(textures + "TorvelPose.png");                    // the game cannot start
    content.Write("Content/Config/KeyMappings.json", "Up = Up\n");
    std::string font = content.Read("Content/Fonts/Main/Title.fnt");
    content.Write("Content/Fonts/Main/Title.fnt", font.replace(font.find("xadvance=\"6\""), 12, "xadvance=\"x\""));
    content.Write("Content/Sound/Main/Click.json", R"({"Layers": [{"Sound": "Click1"}, {"Sound": "Clack"}]})");
    content.Write("Content/Sound/Main/Buzz.json", R"({"LayerMode": "Randomized"})");  // before Click
    content.Write("Content/Music/TorvelTheme.json", R"({"LoopStartSample": 336000})");
    content.Write(userLevels + "Maze.json", R"({"Tiles": "3,a"})");
    content.Write(userLevels + "Mine.json", "[[[");
    content.Write(userLevels + "Shut.json", R"({"Tiles": "7,1,8,1,0,0,0,0,0,0,0,0,0,0,0,0,1"})");  // walled in
    SetContentFolder("Content", ContentSource::Installed);
    const std::vector<std::string> lines = CheckContent();
    SetContentFolder("Content");

    const std::pair<std::string, const char*> expected[] = {
        {"Content/Config/KeyMappings.json", "line 1"},
        {textures + "GutVertical.png", "does not decode"},
        {textures + "TorvelPose.png", "missing"},
        {"Content/Fonts/Main/Title.fnt", "\"xadvance\""},
        {"Content/Sound/Main/Buzz.json", "Layers"},
        {"Content/Sound/Main/Click.json", "\"Clack\""},
        {"Content/Music/TorvelTheme.json", "LoopEndSample"},
        {content.path().string() + "/" + userLevels + "Maze.json", "(\"a\") holds no number"},
        {content.path().string() + "/" + userLevels + "Mine.json", "expected value"},
        {content.path().string() + "/" + userLevels + "Shut.json", "the way out cannot be reached"},
    };
    ASSERT_EQ(lines.size(), std::size(expected)) << testing::PrintToString(lines);
    for (size_t i = 0; i < lines.size(); ++i) {
        EXPECT_EQ(lines[i].rfind(expected[i].first + ": ", 0), 0u) << lines[i];
        EXPECT_NE(lines[i].find(expected[i].second), std::string::npos) << lines[i];
    }
}

}  // namespace

namespace {

TEST(ContentCheck, TheShippedContentIsCleanAndEveryShippedLevelHasOneStartAndAWayOutWithinReach) {
    TempContent content;
    content.CopyFromSource("Content", "Content");
    EXPECT_EQ(CheckContent(), std::vector<std::string>());
    int32_t levels = 0;
    for (const auto& entry : boost::filesystem::directory_iterator("Content/Levels")) {
        const LevelCodes codes = ReadLevelCodes(entry.path().string());
        EXPECT_EQ(std::count(codes.begin(), codes.end(), 7), 1) << entry.path();
        EXPECT_EQ(ParOf(codes).kind, Par::Kind::Moves) << entry.path();
        ++levels;
    }
    EXPECT_GE(levels, 8);
}

}  // namespace
