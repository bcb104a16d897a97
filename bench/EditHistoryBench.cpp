#include <benchmark/benchmark.h>

#include "BenchScreen.hpp"
#include "gameplay/BackgroundTile.hpp"
#include "gameplay/GameplayState.hpp"
#include "input/InputManager.hpp"

namespace {

// The gameplay screen over pictures without device textures, the editor on and a history of
// `strokes` one-cell strokes, each of which changed its cell.
class EditorWithHistory {
public:
    explicit EditorWithHistory(int strokes) : editor_(screen_.behavior) {
        Services::input->Bind(Action::EditorPlaceTile, Key::LeftMouse);
        editor_->started = true;  // the level comes from no file here
        editor_->levels().Adopt("Bench.json", LevelCodes{});
        editor_->levels().Show(0);
        gameplayState.editorMode = true;
        for (int i = 0; i < strokes; ++i) {
            // Each pass over the grid paints another code, so every stroke is a step.
            gameplayState.cursorTile->SetKind(3 + (i / TileCount) % 2);
            const int32_t slot = i % TileCount;
            const Vector2 at = GridToWorld(slot % GridColumns, slot / GridColumns);
            Frame(at, true);
            Frame(at, false);
        }
    }

    void Frame(Vector2 pointer, bool place) {
        InputManager& input = *Services::input;
        input.BeginFrame();
        input.PollMouse(pointer, place, false, false);
        editor_->HandleInput();
    }

    void Chord(Key pressed, Key released) {
        InputManager& input = *Services::input;
        input.BeginFrame();
        input.SetKey(Key::Ctrl, true);
        input.SetKey(released, false);
        input.SetKey(pressed, true);
        editor_->HandleInput();
    }

private:
    BenchScreen screen_;
    GameplayScreenBehavior* editor_ = nullptr;
};

}  // namespace

// One editor frame with the pointer moving and no button held.
static void BM_EditorFrameNothingPainted(benchmark::State& state) {
    EditorWithHistory editor(int(state.range(0)));
    float x = 0.0f;
    for (auto _ : state) {
        x = x >= 799.0f ? 0.0f : x + 1.0f;
        editor.Frame(Vector2(x, 300.0f), false);
        benchmark::ClobberMemory();
    }
}
BENCHMARK(BM_EditorFrameNothingPainted)->Arg(10)->Arg(10000);

// Ctrl+Z in one frame, Ctrl+Y in the next: the newest stroke taken back and put again.
static void BM_UndoThenRedo(benchmark::State& state) {
    EditorWithHistory editor(int(state.range(0)));
    for (auto _ : state) {
        editor.Chord(Key::Z, Key::Y);
        editor.Chord(Key::Y, Key::Z);
        benchmark::ClobberMemory();
    }
}
BENCHMARK(BM_UndoThenRedo)->Arg(10)->Arg(10000);
