#include <gtest/gtest.h>
#include <sys/resource.h>

#include <boost/filesystem/operations.hpp>
#include <boost/property_tree/ptree.hpp>
#include <csignal>
#include <limits>

#include "core/ContentError.hpp"
#include "core/FolderListing.hpp"
#include "gameplay/GameplayState.hpp"
#include "gameplay/LevelData.hpp"
#include "gameplay/LevelFiles.hpp"
#include "support/TempContent.hpp"

namespace fs = boost::filesystem;

namespace {

std::string TilesFile(const std::string& tiles) { return "{ \"Tiles\": \"" + tiles + "\" }"; }

LevelData& OnlyLevel() {
    EXPECT_EQ(gameplayState.levels.size(), 1u);
    return *gameplayState.levels.at(0);
}

LevelData ReadTiles(const std::string& tiles) {
    boost::property_tree::ptree tree;
    tree.put("Tiles", tiles);
    LevelData level;
    level.ReadFrom(tree);
    return level;
}

std::vector<std::string> LevelFolderNames() {
    std::vector<std::string> names;
    for (const fs::path& entry : ListFolder(LevelFolder())) names.push_back(entry.filename().string());
    return names;
}

// The file named by the ContentError that `action` raises; empty, and a failure, without one.
template <class Action>
fs::path FileOfContentError(Action&& action) {
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

TEST_F(LevelFiles, AnAllZeroLevelIsWrittenAsThreeExactLines) {
    LevelData level;
    level.name = "Zero";
    WriteLevelFile(level);
    std::string zeros = "0";
    for (int i = 1; i < TileCount; ++i) zeros += ",0";
    EXPECT_EQ(content.Read("Content/Levels/Zero.json"), "{\n    \"Tiles\": \"" + zeros + "\"\n}\n");
    EXPECT_EQ(LevelFolderNames(), std::vector<std::string>{"Zero.json"});  // no temporary file left
}

TEST_F(LevelFiles, WriteThenLoadGivesTheSameCodesOutsideThePaletteIncluded) {
    LevelData level;
    level.name = "Round";
    for (int slot = 0; slot < TileCount; ++slot) level.tiles[slot] = slot % 9;
    level.tiles[0] = 9;
    level.tiles[1] = 42;
    level.tiles[2] = -1;
    level.tiles[124] = std::numeric_limits<int32_t>::min();
    level.tiles[125] = std::numeric_limits<int32_t>::max();
    WriteLevelFile(level);
    LoadLevels();
    EXPECT_EQ(OnlyLevel().tiles, level.tiles);
    EXPECT_EQ(OnlyLevel().name, "Round");
}

TEST_F(LevelFiles, ReadingFillsOnlyTheSlotsGiven) {
    EXPECT_EQ(ReadTiles("").tiles, LevelData().tiles);
    const LevelData two = ReadTiles("3,4");
    EXPECT_EQ(two.tiles[0], 3);
    EXPECT_EQ(two.tiles[1], 4);
    for (int slot = 2; slot < TileCount; ++slot) ASSERT_EQ(two.tiles[slot], 0) << slot;
    // As a stream read: leading white space skipped, reading stops where the number ends.
    const LevelData loose = ReadTiles(" 5,\t-6,7abc,+8");
    EXPECT_EQ((std::vector<int32_t>(loose.tiles.begin(), loose.tiles.begin() + 4)),
              (std::vector<int32_t>{5, -6, 7, 8}));
}

TEST_F(LevelFiles, PiecesBeyondTheLastSlotAreNotStored) {
    std::string tiles;
    for (int piece = 0; piece < TileCount + 4; ++piece)
        tiles += (piece ? "," : "") + std::to_string(piece + 1);
    const LevelData level = ReadTiles(tiles);
    EXPECT_EQ(level.tiles[0], 1);
    EXPECT_EQ(level.tiles[TileCount - 1], TileCount);
}

TEST_F(LevelFiles, APieceWithoutANumberIsAContentErrorNamingFileAndPosition) {
    for (const std::string& tiles : {std::string("1,,3"), std::string("1,x3"), std::string("1,-"),
                                     std::string("1,99999999999"), std::string("1,")}) {
        content.Write("Content/Levels/Bad.json", TilesFile(tiles));
        try {
            LoadLevels();
            ADD_FAILURE() << "loaded \"" << tiles << "\"";
        } catch (const ContentError& e) {
            EXPECT_EQ(e.file(), LevelFolder() / "Bad.json");
            EXPECT_NE(e.problem().find("tile 2 "), std::string::npos) << e.what();
        }
    }
}

TEST_F(LevelFiles, BrokenFilesAreContentErrorsNamingTheFile) {
    content.Write("Content/Levels/A.json", TilesFile("1"));
    content.Write("Content/Levels/B.json", "{ \"Other\": 1 }");
    EXPECT_EQ(FileOfContentError(LoadLevels), LevelFolder() / "B.json");
    content.Write("Content/Levels/B.json", "{ \"Tiles\": ");
    EXPECT_EQ(FileOfContentError(LoadLevels), LevelFolder() / "B.json");
    fs::remove_all(LevelFolder());
    EXPECT_EQ(FileOfContentError(LoadLevels), LevelFolder());
}

TEST_F(LevelFiles, AnUpperCaseExtensionLoadsAndSavesBackToTheSameFile) {
    content.Write("Content/Levels/Maze.JSON", TilesFile("1,2"));
    LoadLevels();
    EXPECT_EQ(OnlyLevel().name, "Maze");
    OnlyLevel().tiles[0] = 6;
    WriteLevelFile(OnlyLevel());
    EXPECT_EQ(LevelFolderNames(), std::vector<std::string>{"Maze.JSON"});
    LoadLevels();
    EXPECT_EQ(OnlyLevel().tiles[0], 6);
}

TEST_F(LevelFiles, OnlyRegularFilesEndingInJsonAreLevels) {
    content.Write("Content/Levels/Real.json", TilesFile("1"));
    content.Write("Content/Levels/Backup.json.bak", TilesFile("2"));
    content.Write("Content/Levels/Notes.txt", TilesFile("3"));
    content.Write("Content/Levels/json", TilesFile("4"));
    content.Write("Content/Levels/Real.json.saving", TilesFile("5"));
    fs::create_directories(LevelFolder() / "Folder.json");
    LoadLevels();
    EXPECT_EQ(OnlyLevel().name, "Real");
}

TEST_F(LevelFiles, LevelsAreIndexedInSortedListingOrder) {
    content.Write("Content/Levels/b.json", TilesFile("2"));
    content.Write("Content/Levels/A.json", TilesFile("1"));
    LoadLevels();
    ASSERT_EQ(gameplayState.levels.size(), 2u);
    EXPECT_EQ(gameplayState.levels[0]->name, "A");
    EXPECT_EQ(gameplayState.levels[0]->index, 0);
    EXPECT_EQ(gameplayState.levels[1]->name, "b");
    EXPECT_EQ(gameplayState.levels[1]->index, 1);
}

TEST_F(LevelFiles, ASaveThatCannotCreateItsTemporaryFileLeavesTheOldFileWhole) {
    const std::string old = TilesFile("1,2,3");
    content.Write("Content/Levels/Keep.json", old);
    LoadLevels();
    OnlyLevel().tiles[0] = 5;
    fs::create_directories(LevelFolder() / "Keep.json.saving");  // in the temporary file's way
    EXPECT_EQ(FileOfContentError([] { WriteLevelFile(OnlyLevel()); }), LevelFolder() / "Keep.json");
    EXPECT_EQ(content.Read("Content/Levels/Keep.json"), old);
}

TEST_F(LevelFiles, ASaveThatRunsOutOfSpaceLeavesTheOldFileWholeAndNoTemporaryFile) {
    const std::string old = TilesFile("1,2,3");
    content.Write("Content/Levels/Keep.json", old);
    LoadLevels();
    // A file-size limit makes the write fail part-way, as a full disk does (also as root).
    rlimit saved{};
    getrlimit(RLIMIT_FSIZE, &saved);
    auto* previousHandler = std::signal(SIGXFSZ, SIG_IGN);
    rlimit small = saved;
    small.rlim_cur = 100;
    setrlimit(RLIMIT_FSIZE, &small);
    EXPECT_EQ(FileOfContentError([] { WriteLevelFile(OnlyLevel()); }), LevelFolder() / "Keep.json");
    setrlimit(RLIMIT_FSIZE, &saved);
    std::signal(SIGXFSZ, previousHandler);
    EXPECT_EQ(content.Read("Content/Levels/Keep.json"), old);
    EXPECT_EQ(LevelFolderNames(), std::vector<std::string>{"Keep.json"});
}

TEST_F(LevelFiles, ASaveIntoAMissingFolderFails) {
    LevelData level;
    level.name = "Gone";
    fs::remove_all(LevelFolder());
    EXPECT_EQ(FileOfContentError([&] { WriteLevelFile(level); }), LevelFolder() / "Gone.json");
}
