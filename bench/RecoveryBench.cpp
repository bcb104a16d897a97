#include <benchmark/benchmark.h>

#include <cstdlib>
#include <fstream>

#include <boost/filesystem/operations.hpp>

#include "BenchScreen.hpp"
#include "gameplay/BackgroundTile.hpp"
#include "gameplay/GameplayState.hpp"
#include "gameplay/RecoveryCopies.hpp"

namespace fs = boost::filesystem;

namespace {

// One level loaded from a file in a folder of its own, shown on the gameplay screen, and the
// recovery copies kept in that folder too.
class RecoveryWorld {
public:
    RecoveryWorld()
        : folder_(fs::temp_directory_path() / fs::unique_path("glimmer-bench-%%%%-%%%%")), previous_(fs::current_path()) {
        fs::create_directories(folder_ / "Content/Levels");
        fs::create_directories(folder_ / "Content/Music");
        fs::current_path(folder_);
        std::ofstream("Content/Levels/Maze.json") << R"({"Tiles": "7"})";
        screen_ = std::make_unique<BenchScreen>();
        screen_->behavior->levels().Load();
        copies_ = std::make_unique<RecoveryCopies>(folder_ / "recovery");
    }
    ~RecoveryWorld() {
        copies_.reset();
        screen_.reset();
        fs::current_path(previous_);
        fs::remove_all(folder_);
    }

    // One frame's keeping of the copies, `seconds` of game time on.
    void Keep(float seconds) {
        now_ += seconds;
        copies_->Keep(screen_->behavior->levels(), now_);
    }

private:
    fs::path folder_, previous_;
    std::unique_ptr<BenchScreen> screen_;
    std::unique_ptr<RecoveryCopies> copies_;
    float now_ = 0.0f;
};

}  // namespace

// A frame in which nothing changed: the codes compared with the copy's, nothing written.
static void BM_RecoveryFrameNothingChanged(benchmark::State& state) {
    RecoveryWorld world;
    for (auto _ : state) world.Keep(1.0f / 60.0f);
}
BENCHMARK(BM_RecoveryFrameNothingChanged);

// A cell changes, and half a second later its copy is written (JSON text, temporary file,
// rename; the flush to disk happens on the sync thread and is not counted here).
static void BM_RecoveryCopyWritten(benchmark::State& state) {
    RecoveryWorld world;
    BackgroundTile& tile = *gameplayState.tiles[20];
    int32_t code = 0;
    for (auto _ : state) {
        tile.SetKind(code = 2 - code);
        world.Keep(1.0f / 60.0f);
        world.Keep(RecoveryCopies::delaySeconds);
    }
}
BENCHMARK(BM_RecoveryCopyWritten);
