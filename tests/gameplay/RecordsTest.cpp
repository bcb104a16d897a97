// The records file: kept only when beaten, never written over when it could not be read.
#include <gtest/gtest.h>

#include <boost/filesystem/operations.hpp>
#include <cerrno>
#include <string>

#include "core/DurableFile.hpp"
#include "gameplay/Records.hpp"
#include "support/TempContent.hpp"

namespace fs = boost::filesystem;

namespace {

// Every write fails as on a full disk.
class FullDisk : public FileSystemCalls {
public:
    FullDisk() { Replace(this); }
    ~FullDisk() override { Replace(nullptr); }
    ssize_t Write(int, const void*, size_t) override {
        errno = ENOSPC;
        return -1;
    }
};

LevelCodes Level(int32_t code) {
    LevelCodes codes{};
    codes[0] = 7;
    codes[5] = code;
    return codes;
}

}  // namespace

TEST(Records, FewerMovesAndAFasterTimeAreKeptApartAndOnlyWhatImprovesIsWritten) {
    TempContent content;
    const fs::path file = content.path() / "records.json";
    Records records(file);
    records.Load();
    const Records::Outcome first = records.Offer(Level(8), "Maze", 20, 9000);
    EXPECT_TRUE(first.fewerMoves && first.faster && !first.before);
    const Records::Outcome slower = records.Offer(Level(8), "Maze", 18, 9500);  // fewer moves, slower
    EXPECT_TRUE(slower.fewerMoves);
    EXPECT_FALSE(slower.faster);
    fs::last_write_time(file, 0);
    EXPECT_FALSE(records.Offer(Level(8), "Maze", 19, 9100).fewerMoves);  // beats neither: not written
    const Records::Outcome equal = records.Offer(Level(8), "Maze", 18, 9000);  // a tie beats nothing
    EXPECT_FALSE(equal.fewerMoves || equal.faster);
    EXPECT_EQ(fs::last_write_time(file), 0);

    Records again(file);  // a new run of the game reads them back; another level has none
    again.Load();
    ASSERT_TRUE(again.Find(Level(8)));
    EXPECT_EQ(again.Find(Level(8))->moves, 18);
    EXPECT_EQ(again.Find(Level(8))->milliseconds, 9000);
    EXPECT_FALSE(again.Find(Level(0)));
}

TEST(Records, ADamagedFileIsMovedAsideWithOneLineAndNeverWrittenOver) {
    std::string many = R"({"Levels": {)";
    for (int i = 0; i < 100000; ++i) {
        char key[17];
        std::snprintf(key, sizeof key, "%016x", i);
        many += std::string(i ? "," : "") + "\"" + key + R"(": {"BestMoves": 1, "BestMilliseconds": 1})";
    }
    many += "}}";
    for (const auto& [text, why] : {std::pair<std::string, std::string>{"not json", "expected"},
                                    {std::string(300, '[') + std::string(300, ']'), "nest"},
                                    {R"({"Levels": {"0123456789abcdef": {"BestMoves": -1, "BestMilliseconds": 5}}})",
                                     "BestMoves"},
                                    {R"({"Levels": {"Maze": {"BestMoves": 1, "BestMilliseconds": 5}}})", "Maze"},
                                    {R"({"Levels": {"0123456789abcdeg": {"BestMoves": 1, "BestMilliseconds": 5}}})",
                                     "0123456789abcdeg"},
                                    {"[1, 2]", "JSON object"},
                                    {R"({"Levels": "none"})", "JSON object"},
                                    {many, "more than 10000"}}) {
        TempContent content;
        content.Write("records.json", text);
        Records records(content.path() / "records.json");
        testing::internal::CaptureStderr();
        records.Load();
        const std::string said = testing::internal::GetCapturedStderr();
        EXPECT_NE(said.find(why), std::string::npos) << said;
        EXPECT_NE(said.find("moved aside to " + (content.path() / "records.json.damaged").string()), std::string::npos)
            << said;
        EXPECT_EQ(content.Read("records.json.damaged"), text);
        EXPECT_FALSE(records.Find(Level(8)));
    }
}

TEST(Records, AFullDiskLeavesTheOldFileWholeSaysSoOnceAndKeepsTheRecordForTheRun) {
    TempContent content;
    Records records(content.path() / "records.json");
    records.Offer(Level(8), "Maze", 20, 9000);
    const std::string before = content.Read("records.json");
    testing::internal::CaptureStderr();
    {
        FullDisk full;
        EXPECT_TRUE(records.Offer(Level(8), "Maze", 10, 5000).fewerMoves);
    }
    const std::string said = testing::internal::GetCapturedStderr();
    EXPECT_NE(said.find("records.json: the records were not saved: write failed: No space left on device"),
              std::string::npos)
        << said;
    EXPECT_EQ(std::count(said.begin(), said.end(), '\n'), 1);
    EXPECT_EQ(content.Read("records.json"), before);
    EXPECT_EQ(records.Find(Level(8))->moves, 10);
}
