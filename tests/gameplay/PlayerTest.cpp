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

// An open level: no walls, the player starting on `start`.
std::vector<LevelFile> OpenLevel(GridCell start) {
    return {IsInGrid(start) ? GameplayWorld::Level({{start, 7}}) : GameplayWorld::Level({})};
}

// Holds the keys for `frames` frames, then lets go for `after` more.
void Walk(GameplayWorld& world, std::initializer_list<Key> keys, int frames = 1, int after = 12) {
    world.RunFrames(frames + after, [&](int n) {
        for (Key key : keys) Services::input->SetKey(key, n <= frames);
    });
}

float X() { return GameplayWorld::PlayerAt().x; }

}  // namespace

TEST(Player, AStepTakesElevenUpdatesAndAPressDuringItIsLost) {
    GameplayWorld world(OpenLevel({5, 4}));
    Walk(world, {Key::Right}, 1, 1);
    Walk(world, {Key::Up}, 1, 7);  // during the step: not queued
    EXPECT_TRUE(X() > GridToWorld(5, 4).x && X() < GridToWorld(6, 4).x);
    Walk(world, {}, 0, 1);
    EXPECT_EQ(GameplayWorld::PlayerAt(), GridToWorld(6, 4));
    Walk(world, {}, 0, 20);
    EXPECT_EQ(GameplayWorld::PlayerAt(), GridToWorld(6, 4));
    Walk(world, {Key::Down}, 33);  // held: three steps of 11 updates
    EXPECT_EQ(GameplayWorld::PlayerAt(), GridToWorld(6, 7));
}

TEST(Player, WallsAndTheGridsEdgeBlockADiagonalGoesSidewaysFirstOppositesCancel) {
    GameplayWorld world(OpenLevel({0, 0}));
    const struct {
        std::vector<GridCell> walls;
        std::initializer_list<Key> keys;
        GridCell to;
    } walks[] = {
        {{}, {Key::Left}, {0, 0}},                            // the edge
        {{}, {Key::Up, Key::Left}, {0, 0}},                   // the edge both ways
        {{}, {Key::Left, Key::Right}, {0, 0}},                // opposites cancel
        {{}, {Key::Down, Key::Right}, {1, 0}},                // free to the side: sideways
        {{{2, 0}}, {Key::Down, Key::Right}, {1, 1}},          // a wall beside: along it
        {{{2, 1}, {1, 2}}, {Key::Down, Key::Right}, {1, 1}},  // walls both ways: stays
        {{{0, 1}}, {Key::Left}, {1, 1}},
        {{}, {Key::Up}, {1, 0}},
    };
    for (const auto& w : walks) {
        for (GridCell wall : w.walls) GameplayWorld::SetCode(wall, 3);
        Walk(world, w.keys);
        EXPECT_EQ(GameplayWorld::PlayerAt(), GridToWorld(w.to.column, w.to.row))
            << w.to.column << ", " << w.to.row;
    }
    PlacePlayer(13, 8);
    Walk(world, {Key::Right, Key::Down});
    EXPECT_EQ(GameplayWorld::PlayerAt(), GridToWorld(13, 8));
}

TEST(Player, TheAnimationPosesThenLoopsDrawingEachFrameFromTheRandomManager) {
    GameplayWorld world(OpenLevel({5, 4}));
    Services::random->generator.seed(12345);
    std::mt19937 mirror(12345);
    const auto shows = [](const std::string& name) {
        return gameplayState.player->sprite->texture == Services::textures->GetTexture(name);
    };
    RestartPlayerAnimation();
    world.RunFrames(100);
    RestartPlayerAnimation();  // the whole pose again
    world.RunFrames(119);
    EXPECT_TRUE(shows("TorvelPose"));
    world.RunFrames(2);  // two seconds are 120 or 121 float steps
    for (const std::string frame : {"TorvelWoosh1", "TorvelWoosh2", "TorvelWoosh1"}) {
        EXPECT_TRUE(shows(double(mirror()) <= 0.9 * 4294967295.0 ? frame : frame + "a")) << frame;
        world.RunFrames(4);  // 1/15 s
    }
}
