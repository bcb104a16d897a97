#include "gameplay/PlayerBehavior.hpp"

#include "audio/RandomManager.hpp"
#include "core/GameTime.hpp"
#include "core/Services.hpp"
#include "gameplay/BackgroundTile.hpp"
#include "gameplay/GameplayState.hpp"
#include "gameplay/Grid.hpp"
#include "graphics/TextureManager.hpp"
#include "input/InputManager.hpp"
#include "scene/Component.hpp"

namespace {

// A cell off the grid (or a grid not built) blocks like a wall: nothing outside the tiles is read.
bool Blocks(int32_t column, int32_t row) {
    const GridCell cell{column, row};
    if (!IsInGrid(cell)) return true;
    const BackgroundTile* tile = gameplayState.tiles[size_t(SlotOf(cell))];
    return !tile || tile->solid;
}

}  // namespace

void PlayerBehavior::HandleInput() {
    if (gameplayState.TopOverlay()) return;  // the keys are the overlay's
    const InputManager& input = *Services::input;
    int32_t dx = 0, dy = 0;
    if (input.IsActionDown(Action::MoveUp)) dy -= 1;
    if (input.IsActionDown(Action::MoveDown)) dy += 1;
    if (input.IsActionDown(Action::MoveLeft)) dx -= 1;
    if (input.IsActionDown(Action::MoveRight)) dx += 1;
    if (dx == 0 && dy == 0) return;
    if (moving != 0) return;  // not queued: a press during a step is lost

    const int32_t c = int32_t(cell.x), r = int32_t(cell.y);
    bool blocked;
    if (dy == 0) {
        blocked = Blocks(c + dx, r);
    } else if (dx == 0) {
        blocked = Blocks(c, r + dy);
    } else if (!Blocks(c + dx, r)) {
        dy = 0;  // diagonal: sideways first
        blocked = false;
    } else {
        dx = 0;  // sliding along the wall beside
        blocked = Blocks(c, r + dy);
    }
    if (blocked) return;

    moving = 1;
    progress = 0.0f;
    startPosition = GridToWorld(cell);
    moveDelta = Vector2(float(dx) * TileSize.x, float(dy) * TileSize.y);
}

void PlayerBehavior::Update() {
    if (moving != 1) return;
    progress += Services::time->delta / stepSeconds;
    if (progress >= 1.0f) {
        moving = 0;
        startPosition += moveDelta;
        moveDelta = Vector2();
        cell = WorldToGrid(startPosition);
        progress = 0.0f;
        ++stepsTaken;
    }
    pos2d->position = startPosition * (1.0f - progress) + (startPosition + moveDelta) * progress;
}

void PlayerBehavior::PlaceAt(int32_t column, int32_t row) {
    cell = Vector2(float(column), float(row));
    startPosition = GridToWorld(column, row);
    pos2d->position = startPosition;
    moveDelta = Vector2();
    moving = 0;
    progress = 0.0f;
}

void PlayerBehavior::ShowPicture(const char* name) { sprite->texture = Services::textures->GetTexture(name); }

YieldInstruction PlayerBehavior::Animate(int32_t step) {
    static int32_t id = 0;
    if (step < 0) return AnswerCoroutineId(id);
    RandomManager& random = *Services::random;
    switch (step) {
        case 0:
            ShowPicture("TorvelPose");
            return {YieldKind::WaitSeconds, 0, poseSeconds};
        case 1:
            ShowPicture(random.Bernoulli(ordinaryFrameChance) ? "TorvelWoosh1" : "TorvelWoosh1a");
            return {YieldKind::WaitSeconds, 0, loopFrameSeconds};
        case 2:
            ShowPicture(random.Bernoulli(ordinaryFrameChance) ? "TorvelWoosh2" : "TorvelWoosh2a");
            return {YieldKind::WaitSeconds, 0, loopFrameSeconds};
        default:
            return {YieldKind::GoTo, 1, 0.0f};
    }
}
