#include <benchmark/benchmark.h>

#include <cstdlib>
#include <fstream>

#include <boost/filesystem/operations.hpp>

#include "BenchScreen.hpp"
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
        copies_->Keep(gameplayState.levels, now_);
    }

    void Paint(int32_t code) { screen_->behavior->levels().Paint({6, 1}, code); }
    void Finish() { copies_->Finish(); }

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

// A cell changes, and half a second later its copy is written: the frame's part (JSON text,
// queued) and the writer thread's (temporary file, flush to disk, rename, flush of the folder),
// waited for.
static void BM_RecoveryCopyWritten(benchmark::State& state) {
    RecoveryWorld world;
    int32_t code = 0;
    for (auto _ : state) {
        world.Paint(code = 2 - code);
        world.Keep(1.0f / 60.0f);
        world.Keep(RecoveryCopies::delaySeconds);
        world.Finish();
    }
}
BENCHMARK(BM_RecoveryCopyWritten);
