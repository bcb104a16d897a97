#include <benchmark/benchmark.h>

#include "BusyTree.hpp"
#include "core/GameTime.hpp"
#include "core/Services.hpp"
#include "game/Game.hpp"

// One input pass plus one update pass over 200 objects with behaviours and running coroutines.
static void BM_InputAndUpdatePass(benchmark::State& state) {
    GameTime time;
    time.delta = 1.0f / 60.0f;
    GameTime* saved = Services::time;
    Services::time = &time;
    GameObject root;
    BuildBusyTree(root, int(state.range(0)));
    for (auto _ : state) {
        Game::InputPass(root);
        Game::UpdatePass(root);
        benchmark::ClobberMemory();
    }
    state.SetItemsProcessed(state.iterations() * state.range(0));
    Services::time = saved;
}
BENCHMARK(BM_InputAndUpdatePass)->Arg(200);
