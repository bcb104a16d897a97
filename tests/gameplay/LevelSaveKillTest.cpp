#include <gtest/gtest.h>
#include <signal.h>
#include <sys/mman.h>
#include <sys/wait.h>
#include <unistd.h>

#include <atomic>
#include <chrono>
#include <exception>
#include <random>
#include <string>
#include <thread>

#include "gameplay/GameplayState.hpp"
#include "gameplay/LevelData.hpp"
#include "gameplay/LevelFiles.hpp"
#include "support/TempContent.hpp"

namespace {

LevelData MakeLevel(int32_t first) {
    LevelData level;
    level.name = "Maze";
    level.fileName = "Maze.json";
    for (size_t i = 0; i < level.tiles.size(); ++i) level.tiles[i] = int32_t((first + int32_t(i)) % 8);
    return level;
}

// What the writer makes of `level`, taken from a save of its own that nothing interrupts.
std::string SavedText(const TempContent& content, const LevelData& level) {
    WriteLevelFile(level);
    return content.Read("Content/Levels/Maze.json");
}

// A save killed at any moment leaves the file as one whole save: the one before or the one
// being made, never a mix, a piece or nothing.
TEST(LevelSaveKillTest, KillDuringSavesLeavesOneWholeLevel) {
    TempContent content;
    const LevelData levels[2] = {MakeLevel(0), MakeLevel(3)};
    std::string texts[2];
    texts[1] = SavedText(content, levels[1]);
    texts[0] = SavedText(content, levels[0]);  // the file the first child starts from
    ASSERT_NE(texts[0], texts[1]);

    // Counts the saves the children finish, so the test knows the kills hit saving at work.
    auto* finished = static_cast<std::atomic<int>*>(
        mmap(nullptr, sizeof(std::atomic<int>), PROT_READ | PROT_WRITE, MAP_SHARED | MAP_ANONYMOUS, -1, 0));
    ASSERT_NE(finished, MAP_FAILED);
    new (finished) std::atomic<int>(0);

    std::mt19937 random(20240611);
    std::uniform_int_distribution<int> delayMs(0, 30);
    int seen[2] = {0, 0};
    for (int round = 0; round < 40; ++round) {
        SCOPED_TRACE("round " + std::to_string(round));
        const pid_t child = fork();
        ASSERT_GE(child, 0);
        if (child == 0) {
            try {
                for (int i = 0;; ++i) {
                    WriteLevelFile(levels[i % 2]);
                    finished->fetch_add(1);
                }
            } catch (const std::exception&) {
            }
            _exit(1);
        }
        std::this_thread::sleep_for(std::chrono::milliseconds(delayMs(random)));
        kill(child, SIGKILL);
        int status = 0;
        ASSERT_EQ(waitpid(child, &status, 0), child);
        ASSERT_TRUE(WIFSIGNALED(status)) << "the saving child stopped on its own: a save failed";

        const std::string text = content.Read("Content/Levels/Maze.json");
        const int which = text == texts[0] ? 0 : text == texts[1] ? 1 : -1;
        ASSERT_NE(which, -1) << "not one whole save:\n" << text;
        ++seen[which];
        LoadLevels();
        ASSERT_EQ(gameplayState.levels.size(), 1u) << "a stray level file was left";
        EXPECT_EQ(gameplayState.levels[0]->tiles, levels[which].tiles);
        ClearLevels();
    }
    EXPECT_GT(finished->load(), 0) << "no save ever finished: the kills came too early to test anything";
    RecordProperty("finished_saves", finished->load());
    RecordProperty("rounds_with_first", seen[0]);
    munmap(finished, sizeof(std::atomic<int>));
}

}  // namespace
