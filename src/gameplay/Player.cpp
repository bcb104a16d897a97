#include "gameplay/Player.hpp"

#include "gameplay/GameplayState.hpp"
#include "gameplay/Grid.hpp"
#include "gameplay/Pictures.hpp"
#include "gameplay/PlayerBehavior.hpp"
#include "graphics/Texture.hpp"
#include "scene/Component.hpp"

Player::Player() {
    AddComponent(new Pos2dComponent());
    SpriteComponent* picture = AddComponent(new SpriteComponent());
    picture->layer = 2;
    Texture& pose = RequirePicture("TorvelPose");
    picture->texture = &pose;
    picture->size = Vector2(pose.width, pose.height);
    behavior = AddComponent(new PlayerBehavior());
    // The behaviour's cell agrees with where the player is drawn, so a level without a start
    // cell does not make the first step jump from cell (0, 0).
    behavior->PlaceAt(2, 1);
}

void PlacePlayer(int32_t column, int32_t row) {
    if (gameplayState.player) gameplayState.player->behavior->PlaceAt(column, row);
}

void RestartPlayerAnimation() {
    if (!gameplayState.player) return;
    PlayerBehavior& b = *gameplayState.player->behavior;
    b.StopCoroutine(&PlayerBehavior::Animate);
    b.StartCoroutine(&PlayerBehavior::Animate);
}

void StopPlayerAnimation() {
    if (gameplayState.player) gameplayState.player->behavior->StopCoroutine(&PlayerBehavior::Animate);
}
