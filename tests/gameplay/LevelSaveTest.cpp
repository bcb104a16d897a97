#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include <boost/filesystem/operations.hpp>
#include <string>

#include "core/ContentError.hpp"
#include "gameplay/LevelData.hpp"
#include "gameplay/LevelFiles.hpp"
#include "support/TempContent.hpp"

namespace {

struct stat Status(const std::string& path, bool followLink = true) {
    struct stat status {};
    EXPECT_EQ(followLink ? ::stat(path.c_str(), &status) : ::lstat(path.c_str(), &status), 0) << path;
    return status;
}

// A save replaces the level's file and nothing about it but its text: its permissions stay,
// a link stays a link to the same file, and a file nobody may write is left alone.
TEST(LevelSave, KeepsPermissionsAndLinksAndLeavesReadOnlyFilesAlone) {
    TempContent content;
    LevelData level;
    level.tiles[0] = 5;
    const auto save = [&](const std::string& fileName) {
        level.fileName = fileName;
        WriteLevelFile(level);
    };

    content.Write("Content/Levels/Kept.json", "{}");
    ASSERT_EQ(::chmod("Content/Levels/Kept.json", 0640), 0);
    save("Kept.json");
    EXPECT_EQ(Status("Content/Levels/Kept.json").st_mode & 07777, 0640u);
    const std::string saved = content.Read("Content/Levels/Kept.json");
    EXPECT_EQ(saved.rfind("{\n    \"Tiles\": \"5,0,", 0), 0u) << saved;

    content.Write("Repo/Linked.json", "{}");
    ASSERT_EQ(::symlink("../../Repo/Linked.json", "Content/Levels/Linked.json"), 0);
    const ino_t before = Status("Repo/Linked.json").st_ino;
    save("Linked.json");
    EXPECT_TRUE(S_ISLNK(Status("Content/Levels/Linked.json", false).st_mode));
    EXPECT_EQ(boost::filesystem::read_symlink("Content/Levels/Linked.json"), "../../Repo/Linked.json");
    EXPECT_EQ(content.Read("Repo/Linked.json"), saved);
    EXPECT_NE(Status("Repo/Linked.json").st_ino, before);  // replaced whole, not written over

    content.Write("Content/Levels/Locked.json", "{ \"Tiles\": \"1\" }");
    ASSERT_EQ(::chmod("Content/Levels/Locked.json", 0444), 0);
    try {
        save("Locked.json");
        ADD_FAILURE() << "a read-only level file was replaced";
    } catch (const ContentError& e) {
        EXPECT_EQ(e.what(), std::string("Content/Levels/Locked.json: cannot save the level: the file is "
                                        "read-only (no write permission)"));
    }
    EXPECT_EQ(content.Read("Content/Levels/Locked.json"), "{ \"Tiles\": \"1\" }");
}

}  // namespace
