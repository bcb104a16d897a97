#include <gtest/gtest.h>

#include "core/Game.hpp"
#include "core/Services.hpp"
#include "scene/GameObject.hpp"
#include "support/AllocationCounter.hpp"
#include "support/BusyTree.hpp"
#include "support/FakePlatform.hpp"
#include "support/TempContent.hpp"

TEST(SteadyState, ThousandFramesOfTwoHundredBusyObjectsAllocateNothing) {
    TempContent content;
    auto* platform = new FakePlatform;
    Game game{std::unique_ptr<Platform>(platform)};
    BuildBusyTree(*Services::root, 200);
    platform->sleeps.reserve(8192);
    const uint64_t probe = AllocationCount();
    auto counted = std::make_unique<int>(1);
    ASSERT_GT(AllocationCount(), probe) << "the counter must see operator new";

    constexpr int warmUp = 20, measured = 1000;
    uint64_t before = 0, after = 0;
    platform->quitAfterFrames = warmUp + measured + 1;
    platform->onFrame = [&](int frame) {
        if (frame == warmUp + 1) before = AllocationCount();
        if (frame == warmUp + measured + 1) after = AllocationCount();
    };
    game.RunLoop();

    EXPECT_EQ(after - before, 0u);
    // The tree really was busy: every coroutine kept stepping.
    auto* first = dynamic_cast<BusyBehavior*>(Services::root->children[0]->behaviors[0]);
    ASSERT_NE(first, nullptr);
    EXPECT_EQ(first->inputs, warmUp + measured + 1);
    EXPECT_GT(first->steps, measured / 3);
}
