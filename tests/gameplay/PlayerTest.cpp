#include <gtest/gtest.h>

#include <random>

#include "audio/RandomManager.hpp"
#include "core/Services.hpp"
#include "gameplay/BackgroundTile.hpp"
#include "gameplay/GameplayState.hpp"
#include "gameplay/Player.hpp"
#include "gameplay/PlayerBehavior.hpp"
#include "graphics/TextureManager.hpp"
#include "input/InputManager.hpp"
#include "scene/Component.hpp"
#include "support/GameplayWorld.hpp"

namespace {

// An open level: no walls, the player starting on cell (5, 4).
std::vector<LevelFile> OpenLevel(GridCell start = {5, 4}) {
    LevelCodes codes{};
    if (IsInGrid(start)) codes[size_t(SlotOf(start))] = 7;
    return {{"Open.json", codes}};
}

Vector2 PlayerPosition() { return gameplayState.player->pos2d->position; }

void Hold(std::initializer_list<Key> keys, bool down = true) {
    for (Key key : keys) Services::input->SetKey(key, down);
}

// Holds the keys for one frame, then lets go and waits until any step has ended.
void Walk(GameplayWorld& world, std::initializer_list<Key> keys) {
    world.RunFrames(1, [&](int) { Hold(keys); });
    world.RunFrames(12, [&](int) { Hold(keys, false); });
}

}  // namespace

TEST(Player, AStepTakesElevenUpdatesAndEndsOnTheNextCellsCentre) {
    GameplayWorld world(OpenLevel());
    world.RunFrames(1, [](int) { Hold({Key::Right}); });
    world.RunFrames(9, [](int) { Hold({Key::Right}, false); });
    EXPECT_EQ(GameplayWorld::PlayerMotion().moving, 1);
    EXPECT_GT(PlayerPosition().x, GridToWorld(5, 4).x);
    EXPECT_LT(PlayerPosition().x, GridToWorld(6, 4).x);
    EXPECT_EQ(PlayerPosition().y, GridToWorld(5, 4).y);
    world.RunFrames(1);
    EXPECT_EQ(GameplayWorld::PlayerMotion().moving, 0);
    EXPECT_EQ(PlayerPosition(), GridToWorld(6, 4));
    EXPECT_EQ(GameplayWorld::PlayerMotion().cell, Vector2(6.0f, 4.0f));
}

TEST(Player, HoldingAMoveWalksCellAfterCell) {
    GameplayWorld world(OpenLevel());
    world.RunFrames(33, [](int) { Hold({Key::Down}); });  // three steps of 11 updates
    EXPECT_EQ(PlayerPosition(), GridToWorld(5, 7));
}

TEST(Player, APressDuringAStepIsIgnoredNotQueued) {
    GameplayWorld world(OpenLevel());
    world.RunFrames(1, [](int) { Hold({Key::Right}); });
    world.RunFrames(4, [](int n) {
        Hold({Key::Right}, false);
        Hold({Key::Up}, n == 2);
    });
    world.RunFrames(20);
    EXPECT_EQ(PlayerPosition(), GridToWorld(6, 4));
}

TEST(Player, OppositeMovesCancel) {
    GameplayWorld world(OpenLevel());
    world.RunFrames(12, [](int) { Hold({Key::Left, Key::Right}); });
    EXPECT_EQ(GameplayWorld::PlayerMotion().moving, 0);
    EXPECT_EQ(PlayerPosition(), GridToWorld(5, 4));
}

TEST(Player, WallsStopSteps) {
    GameplayWorld world(OpenLevel());
    GameplayWorld::Tile(6, 4).SetKind(3);
    GameplayWorld::Tile(5, 5).SetKind(1);
    Walk(world, {Key::Right});
    Walk(world, {Key::Down});
    EXPECT_EQ(PlayerPosition(), GridToWorld(5, 4));
    Walk(world, {Key::Left});
    EXPECT_EQ(PlayerPosition(), GridToWorld(4, 4));
}

TEST(Player, ADiagonalGoesSidewaysFirstAndSlidesAlongAWall) {
    GameplayWorld world(OpenLevel());
    Walk(world, {Key::Up, Key::Right});
    EXPECT_EQ(PlayerPosition(), GridToWorld(6, 4));  // free to the right: sideways

    GameplayWorld::Tile(7, 4).SetKind(2);
    Walk(world, {Key::Up, Key::Right});
    EXPECT_EQ(PlayerPosition(), GridToWorld(6, 3));  // wall to the right: up along it

    GameplayWorld::Tile(7, 3).SetKind(2);
    GameplayWorld::Tile(6, 2).SetKind(1);
    Walk(world, {Key::Up, Key::Right});
    EXPECT_EQ(PlayerPosition(), GridToWorld(6, 3));  // walls both ways: stays
}

TEST(Player, TheEdgeOfTheGridBlocksLikeAWall) {
    GameplayWorld world(OpenLevel({0, 0}));
    Walk(world, {Key::Left});
    Walk(world, {Key::Up});
    Walk(world, {Key::Up, Key::Left});
    EXPECT_EQ(PlayerPosition(), GridToWorld(0, 0));
    PlacePlayer(13, 8);
    Walk(world, {Key::Right});
    Walk(world, {Key::Down});
    EXPECT_EQ(PlayerPosition(), GridToWorld(13, 8));
}

TEST(Player, WithoutAStartCellTheFirstStepLeavesCellTwoOne) {
    GameplayWorld world(OpenLevel({-1, -1}));
    EXPECT_EQ(PlayerPosition(), GridToWorld(2, 1));
    world.RunFrames(2, [](int n) { Hold({Key::Right}, n == 1); });
    EXPECT_GT(PlayerPosition().x, GridToWorld(2, 1).x);
    EXPECT_LT(PlayerPosition().x, GridToWorld(3, 1).x);
    world.RunFrames(10);
    EXPECT_EQ(PlayerPosition(), GridToWorld(3, 1));
}

TEST(Player, PlacingDuringAStepCancelsIt) {
    GameplayWorld world(OpenLevel());
    world.RunFrames(1, [](int) { Hold({Key::Right}); });
    world.RunFrames(3, [](int) { Hold({Key::Right}, false); });
    PlacePlayer(9, 2);
    EXPECT_EQ(PlayerPosition(), GridToWorld(9, 2));
    world.RunFrames(12);
    EXPECT_EQ(PlayerPosition(), GridToWorld(9, 2));
    EXPECT_EQ(GameplayWorld::PlayerMotion().moving, 0);
}

TEST(Player, TheAnimationPosesThenLoopsDrawingEachFrameFromTheRandomManager) {
    GameplayWorld world(OpenLevel());
    Services::random->generator.seed(12345);
    std::mt19937 mirror(12345);
    const auto picture = [] { return gameplayState.player->sprite->texture; };
    const auto named = [](const char* name) { return Services::textures->GetTexture(name); };

    RestartPlayerAnimation();
    world.RunFrames(100);
    EXPECT_EQ(picture(), named("TorvelPose"));
    RestartPlayerAnimation();  // restarting gives the whole pose again
    world.RunFrames(100);
    EXPECT_EQ(picture(), named("TorvelPose"));

    int frames = 0;
    while (picture() == named("TorvelPose") && frames < 40) {
        world.RunFrames(1);
        ++frames;
    }
    const bool ordinary1 = double(mirror()) <= 0.9 * 4294967295.0;
    EXPECT_EQ(picture(), named(ordinary1 ? "TorvelWoosh1" : "TorvelWoosh1a"));
    world.RunFrames(4);  // 1/15 s
    const bool ordinary2 = double(mirror()) <= 0.9 * 4294967295.0;
    EXPECT_EQ(picture(), named(ordinary2 ? "TorvelWoosh2" : "TorvelWoosh2a"));
    world.RunFrames(4);
    const bool ordinary3 = double(mirror()) <= 0.9 * 4294967295.0;
    EXPECT_EQ(picture(), named(ordinary3 ? "TorvelWoosh1" : "TorvelWoosh1a"));
}
