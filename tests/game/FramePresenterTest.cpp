// Only frames that show something new are presented; the steps go on regardless.
#include <gtest/gtest.h>

#include "audio/MusicManager.hpp"
#include "audio/SoundManager.hpp"
#include "core/GameSettings.hpp"
#include "core/Services.hpp"
#include "game/Game.hpp"
#include "graphics/Texture.hpp"
#include "scene/Behavior.hpp"
#include "input/InputManager.hpp"
#include "scene/Component.hpp"
#include "scene/GameObject.hpp"
#include "support/AllocationCounter.hpp"
#include "support/FakePlatform.hpp"
#include "support/GameplayWorld.hpp"
#include "support/HeadlessScreen.hpp"
#include "support/TempContent.hpp"

namespace {

struct UpdateCounter : Behavior {
    void Update() override { ++updates; }
    int updates = 0;
};

// Sleeps without keeping a list of them, so that a steady frame of the loop allocates nothing.
struct QuietClock : FakePlatform {
    void SleepTicks(int64_t ticks) override { now += ticks; }
};

SpriteComponent& AddSprite(Texture& picture, int32_t layer) {
    GameObject& object = *Services::root->AddChild(new GameObject);
    object.AddComponent(new Pos2dComponent)->position = Vector2(100, 100);
    auto* sprite = object.AddComponent(new SpriteComponent);
    sprite->texture = &picture;
    sprite->size = Vector2(64, 64);
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
    auto* counter = Services::root->AddComponent(new UpdateCounter);

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
    allocations = AllocationCount() - allocations;

    EXPECT_EQ(presented, expected);
    EXPECT_EQ(counter->updates, int(std::size(frames)));
    EXPECT_EQ(allocations, 0u);
}

// Minimised, the game draws nothing, but its level goes on: a step that was started ends and
// the theme keeps playing. Back in view, the new picture is presented at once.
TEST(FramePresenter, AMinimisedGamePresentsNothingButItsLevelAndMusicGoOn) {
    ScopedEnv audio("SDL_AUDIODRIVER", "dummy");  // silent, the theme would have no channel
    GameplayWorld world;
    FakePlatform& platform = *world.platform;
    const int presents = platform.presents;
    const Vector2 from = GameplayWorld::PlayerAt();
    platform.shown = false;
    // A step takes 11 updates.
    world.RunFrames(12, [](int n) { Services::input->SetKey(Key::Right, n == 1); });
    EXPECT_EQ(platform.presents, presents);
    EXPECT_EQ(GameplayWorld::PlayerAt(), from + Vector2(64, 0));
    EXPECT_TRUE(Services::sound->system->IsPlaying(Services::music->currentChannel));
    platform.shown = true;
    world.RunFrames(1);
    EXPECT_EQ(platform.presents, presents + 1);
}

}  // namespace
