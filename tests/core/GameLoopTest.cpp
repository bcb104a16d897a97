#include <gtest/gtest.h>

#include "core/Game.hpp"
#include "core/GameSettings.hpp"
#include "core/GameTime.hpp"
#include "core/Services.hpp"
#include "scene/Behavior.hpp"
#include "scene/GameObject.hpp"
#include "support/FakePlatform.hpp"
#include "support/TempContent.hpp"

namespace {

// Records what each frame's passes saw.
class FrameRecorder : public Behavior {
public:
    void HandleInput() override { ++inputs; }
    void Update() override {
        deltas.push_back(Services::time->delta);
        totals.push_back(Services::time->total);
    }
    int inputs = 0;
    std::vector<float> deltas;
    std::vector<float> totals;
};

struct LoopWorld {
    TempContent content;
    FakePlatform* platform = new FakePlatform;
    Game game{std::unique_ptr<Platform>(platform)};
    FrameRecorder* recorder = nullptr;

    LoopWorld() {
        auto* object = Services::root->AddChild(new GameObject);
        recorder = object->AddComponent(new FrameRecorder);
    }
    // Runs the real loop; `slow(frame)` gives extra ticks that frame's work takes.
    void Run(int frames, std::function<int64_t(int)> slow = nullptr) {
        platform->quitAfterFrames = frames;
        platform->onFrame = [this, slow](int frame) {
            if (slow) platform->now += slow(frame);
        };
        game.RunLoop();
    }
};

constexpr int64_t step = FakePlatform::ticksPerStep;

}  // namespace

TEST(GameLoop, FastFramesAdvanceOneStepEachAndSleepBetween) {
    LoopWorld world;
    world.Run(10);
    ASSERT_EQ(world.recorder->deltas.size(), 10u);
    for (float d : world.recorder->deltas) EXPECT_EQ(d, 1.0f / 60.0f);
    EXPECT_GE(world.platform->sleeps.size(), 10u);
    for (int64_t s : world.platform->sleeps) EXPECT_GT(s, 0);
}

TEST(GameLoop, FrameOfTwoAndAHalfPeriodsAdvancesTwoSteps) {
    LoopWorld world;
    // Frame 2's work takes 2.5 step periods; frame 3 sees two steps come due, not three.
    world.Run(4, [](int frame) { return frame == 2 ? step * 5 / 2 : 0; });
    const auto& d = world.recorder->deltas;
    ASSERT_EQ(d.size(), 4u);
    EXPECT_EQ(d[1], 1.0f / 60.0f);
    EXPECT_EQ(d[2], 1.0f / 60.0f + 1.0f / 60.0f);
    EXPECT_EQ(d[3], 1.0f / 60.0f);
}

TEST(GameLoop, OneSecondStallGivesOneFrameOfSixStepsThenSingleSteps) {
    LoopWorld world;
    world.Run(5, [](int frame) { return frame == 2 ? FakePlatform::frequency : 0; });
    const auto& d = world.recorder->deltas;
    ASSERT_EQ(d.size(), 5u);
    float six = 0.0f;
    for (int i = 0; i < 6; ++i) six += 1.0f / 60.0f;
    EXPECT_EQ(d[2], six);
    EXPECT_NEAR(d[2], 0.1f, 1e-6f);
    EXPECT_EQ(d[3], 1.0f / 60.0f);
    EXPECT_EQ(d[4], 1.0f / 60.0f);
}

TEST(GameLoop, ZeroCatchUpLimitStillRunsOneStepPerFrame) {
    LoopWorld world;
    Services::settings->maxUpdatesPerFrame = 0;
    world.Run(4, [](int frame) { return frame == 1 ? step * 10 : 0; });
    for (float d : world.recorder->deltas) EXPECT_EQ(d, 1.0f / 60.0f);
    ASSERT_EQ(world.recorder->deltas.size(), 4u);
}

TEST(GameLoop, QuitEndsTheLoopWithoutPassesOrDrawInThatIteration) {
    LoopWorld world;
    world.Run(3);
    EXPECT_EQ(world.recorder->inputs, 3);
    EXPECT_EQ(world.recorder->deltas.size(), 3u);
    EXPECT_EQ(world.platform->renders, 3);
}

TEST(GameLoop, TotalIsTheFloatSumOfTheDeltas) {
    LoopWorld world;
    world.Run(50, [](int frame) { return frame % 7 == 0 ? step * 3 : 0; });
    float sum = 0.0f;
    for (size_t i = 0; i < world.recorder->deltas.size(); ++i) {
        sum += world.recorder->deltas[i];
        EXPECT_EQ(world.recorder->totals[i], sum);
    }
}

TEST(GameLoop, RegistryIsFilledWhileTheGameLivesAndClearedAfter) {
    {
        TempContent content;
        Game game(std::make_unique<FakePlatform>());
        EXPECT_EQ(Services::game, &game);
        EXPECT_NE(Services::root, nullptr);
        EXPECT_NE(Services::settings, nullptr);
        EXPECT_EQ(Services::settings->maxUpdatesPerFrame, 5);
        EXPECT_EQ(Services::settings->clearColor, (Color{0, 0, 0, 0}));
        EXPECT_NE(game.coroutineManager, nullptr);
    }
    EXPECT_EQ(Services::game, nullptr);
}
