#include <gtest/gtest.h>
#include <sys/resource.h>
#include <unistd.h>

#include <boost/filesystem/directory.hpp>
#include <boost/filesystem/operations.hpp>
#include <boost/property_tree/ptree.hpp>
#include <csignal>
#include <functional>
#include <limits>

#include "core/ContentError.hpp"
#include "gameplay/GameplayState.hpp"
#include "gameplay/LevelData.hpp"
#include "gameplay/LevelFiles.hpp"
#include "support/TempContent.hpp"

namespace fs = boost::filesystem;

namespace {

// The file named by the ContentError that `action` raises; empty, and a failure, without one.
fs::path FileOfContentError(const std::function<void()>& action) {
    try {
        action();
    } catch (const ContentError& e) {
        return e.file();
    }
    ADD_FAILURE() << "no ContentError";
    return {};
}

class LevelFiles : public ::testing::Test {
protected:
    void TearDown() override { ClearLevels(); }
    TempContent content;
};

}  // namespace

TEST_F(LevelFiles, ASaveIsThreeExactLinesThatLoadBackToTheSameCodes) {
    LevelData level;
    level.name = "Round";
    for (int slot = 0; slot < TileCount; ++slot) level.tiles[size_t(slot)] = slot % 3 == 0 ? 0 : slot - 60;
    level.tiles[124] = std::numeric_limits<int32_t>::min();  // codes outside the palette too
    level.tiles[125] = std::numeric_limits<int32_t>::max();
    std::string codes;
    for (int32_t code : level.tiles) codes += (codes.empty() ? "" : ",") + std::to_string(code);
    // Started without stdin, as some launchers start it, the game gets descriptor 0 for its file.
    const int input = dup(0);
    close(0);
    EXPECT_NO_THROW(WriteLevelFile(level));
    dup2(input, 0);
    close(input);
    EXPECT_EQ(content.Read("Content/Levels/Round.json"), "{\n    \"Tiles\": \"" + codes + "\"\n}\n");
    LoadLevels();
    EXPECT_EQ(gameplayState.levels.at(0)->tiles, level.tiles);
}

TEST_F(LevelFiles, EveryJsonFileIsALevelInListingOrderAndSavesBackToItself) {
    for (const char* file : {"b.json", "A.JSON", "Backup.json.bak", "Notes.txt", "json", "A.json.saving"})
        content.Write(std::string("Content/Levels/") + file, "{ \"Tiles\": \"1,2\" }");
    fs::create_directories(LevelFolder() / "Folder.json");
    LoadLevels();
    ASSERT_EQ(gameplayState.levels.size(), 2u);
    EXPECT_EQ(std::make_tuple(gameplayState.levels[0]->name, gameplayState.levels[1]->name,
                              gameplayState.levels[1]->index),
              std::make_tuple("A", "b", 1));
    gameplayState.levels[0]->tiles[0] = 6;
    WriteLevelFile(*gameplayState.levels[0]);
    EXPECT_EQ(content.Read("Content/Levels/A.JSON").substr(0, 19), "{\n    \"Tiles\": \"6,2");
}

TEST_F(LevelFiles, ASaveThatFailsLeavesTheOldFileWholeAndNoTemporaryFile) {
    const std::string old = "{ \"Tiles\": \"1,2,3\" }";
    content.Write("Content/Levels/Keep.json", old);
    LoadLevels();
    const auto save = [] { WriteLevelFile(*gameplayState.levels.at(0)); };
    // A file-size limit makes the write fail part-way, as a full disk does (also as root).
    rlimit saved{};
    getrlimit(RLIMIT_FSIZE, &saved);
    auto* previousHandler = std::signal(SIGXFSZ, SIG_IGN);
    rlimit small = saved;
    small.rlim_cur = 100;
    setrlimit(RLIMIT_FSIZE, &small);
    EXPECT_EQ(FileOfContentError(save), LevelFolder() / "Keep.json");
    setrlimit(RLIMIT_FSIZE, &saved);
    std::signal(SIGXFSZ, previousHandler);
    EXPECT_EQ(content.Read("Content/Levels/Keep.json"), old);
    EXPECT_EQ(std::distance(fs::directory_iterator(LevelFolder()), {}), 1);
    fs::remove_all(LevelFolder());  // a missing folder
    EXPECT_EQ(FileOfContentError(save), LevelFolder() / "Keep.json");
}
