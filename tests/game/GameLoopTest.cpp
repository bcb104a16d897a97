#include <gtest/gtest.h>

#include "core/GameSettings.hpp"
#include "core/GameTime.hpp"
#include "core/Services.hpp"
#include "game/Game.hpp"
#include "graphics/Texture.hpp"
#include "scene/Behavior.hpp"
#include "scene/Component.hpp"
#include "scene/GameObject.hpp"
#include "support/AllocationCounter.hpp"
#include "support/FakePlatform.hpp"
#include "support/TempContent.hpp"

namespace {

// Records the time each frame's update pass saw, and counts the input passes.
struct FrameRecorder : Behavior {
    void HandleInput() override { ++inputs; }
    void Update() override { seen.emplace_back(Services::time->delta, Services::time->total); }
    int inputs = 0;
    std::vector<std::pair<float, float>> seen;
};

struct LoopCase {
    int32_t catchUpLimit;
    int slowFrame;  // this frame's work takes `slowQuarters` quarters of a step period
    int64_t slowQuarters;
    std::vector<int> steps;  // steps each frame advances
};

class GameLoop : public testing::TestWithParam<LoopCase> {};

TEST_P(GameLoop, AdvancesOneStepPerPeriodDueWithinTheLimitAndSleepsWhenEarly) {
    const LoopCase& c = GetParam();
    TempContent content;
    auto* platform = new FakePlatform;
    Game game{std::unique_ptr<Platform>(platform)};
    auto* recorder = Services::root->AddChild(new GameObject)->AddComponent(new FrameRecorder);
    Services::settings->maxUpdatesPerFrame = c.catchUpLimit;
    platform->quitAfterFrames = int(c.steps.size());
    platform->onFrame = [&](int frame) {
        if (frame == c.slowFrame) platform->now += FakePlatform::ticksPerStep * c.slowQuarters / 4;
    };
    game.RunLoop();
    std::vector<std::pair<float, float>> expected;
    float total = 0.0f;
    for (int n : c.steps) {
        float delta = 0.0f;
        for (int i = 0; i < n; ++i) delta += 1.0f / 60.0f;
        expected.emplace_back(delta, total += delta);  // the total is the float sum of the deltas
    }
    EXPECT_EQ(recorder->seen, expected);
    // The quitting iteration runs no pass; early frames sleep, never for nothing.
    EXPECT_EQ(recorder->inputs, int(c.steps.size()));
    EXPECT_GE(platform->sleeps.size(), c.steps.size() - 1);
    EXPECT_GT(*std::min_element(platform->sleeps.begin(), platform->sleeps.end()), 0);
}

INSTANTIATE_TEST_SUITE_P(Frames, GameLoop,
                         testing::Values(LoopCase{5, 0, 0, {1, 1, 1, 1}},
                                         LoopCase{5, 2, 10, {1, 1, 2, 1}},      // 2.5 periods: two steps
                                         LoopCase{5, 2, 240, {1, 1, 6, 1, 1}},  // a second: six at most
                                         LoopCase{0, 1, 40, {1, 1, 1, 1}}));    // no catching up

TEST(Game, FillsTheRegistryWhileItLivesAndClearsItAfter) {
    {
        TempContent content;
        Game game(std::make_unique<FakePlatform>());
        EXPECT_TRUE(Services::game == &game && Services::root && Services::sound && Services::music);
        EXPECT_EQ(Services::settings->maxUpdatesPerFrame, 5);
    }
    EXPECT_TRUE(!Services::game && !Services::root && !Services::settings && !Services::input &&
                !Services::sound && !Services::music && !Services::random && !Services::textures &&
                !Services::time);
}

// Sleeps without keeping a list of them, so that a steady frame of the loop allocates nothing.
struct QuietClock : FakePlatform {
    void SleepTicks(int64_t ticks) override { now += ticks; }
};

SpriteComponent& AddSprite(Texture& picture, int32_t layer) {
    GameObject& object = *Services::root->AddChild(new GameObject);
    object.AddComponent(new Pos2dComponent);
    auto* sprite = object.AddComponent(new SpriteComponent);
    sprite->texture = &picture;
    sprite->layer = layer;
    return *sprite;
}

TEST(FramePresenter, PresentsAChangeOfEitherLayerOrTheClearColourOrARedrawInItsOwnFrameAndNothingWhileHidden) {
    TempContent content;
    auto* platform = new QuietClock;
    Game game{std::unique_ptr<Platform>(platform)};
    Texture picture(nullptr, 8, 8);
    SpriteComponent& back = AddSprite(picture, 1);
    SpriteComponent& front = AddSprite(picture, 2);

    // What each frame does before its passes, and whether it must be presented.
    const std::function<void()> nothing = [] {};
    const std::pair<std::function<void()>, char> frames[] = {
        {nothing, 'P'},  // the first frame
        {nothing, '.'},
        {[&] { back.owner->pos2d->position.x += 1; }, 'P'},
        {nothing, '.'},
        {[&] { front.color.a = 128; }, 'P'},
        {[&] { Services::settings->clearColor.g = 90; }, 'P'},
        {[&] { platform->redrawRequested = true; }, 'P'},  // the same picture again
        {[&] { platform->shown = false; }, '.'},
        {[&] { back.owner->pos2d->position.x += 1; }, '.'},
        {[&] { platform->redrawRequested = true; }, '.'},  // nobody would see it
        {[&] { platform->shown = true; }, 'P'},
        {nothing, '.'},
        {[&] { front.texture = nullptr; }, 'P'},  // a draw fewer
    };
    std::string presented, expected;
    presented.reserve(64), expected.reserve(64);
    int before = 0;
    uint64_t allocations = 0;
    platform->quitAfterFrames = int(std::size(frames));
    platform->onFrame = [&](int frame) {
        if (frame > 1) presented += platform->presents > before ? 'P' : '.';
        if (frame == 2) allocations = AllocationCount();
        before = platform->presents;
        frames[frame - 1].first();
        expected += frames[frame - 1].second;
    };
    game.RunLoop();
    presented += platform->presents > before ? 'P' : '.';
    EXPECT_EQ(AllocationCount() - allocations, 0u);
    EXPECT_EQ(presented, expected);
}

}  // namespace
