#pragma once

#include <cstdint>

#include "core/Vector2.hpp"
#include "scene/Behavior.hpp"

// Walks the player cell by cell on the movement actions, stopped by solid tiles and by the
// edge of the grid, and animates its picture.
class PlayerBehavior : public Behavior {
public:
    static constexpr float stepSeconds = 0.17f;
    static constexpr float poseSeconds = 2.0f;
    static constexpr float loopFrameSeconds = 0.066666666f;  // about 1/15 s
    static constexpr double ordinaryFrameChance = 0.9;       // over its variant

    // Starts a step when a movement action is down, none is under way and the way is free.
    void HandleInput() override;
    // Advances the step under way by the frame's time.
    void Update() override;

    // On the centre of the cell, idle.
    void PlaceAt(int32_t column, int32_t row);

    // The animation coroutine's body: a pose, then two loop frames with rare variants.
    YieldInstruction Animate(int32_t step);

    int32_t moving = 0;     // 1 while a step is under way
    float progress = 0.0f;  // fraction of the step done, 0 to 1
    Vector2 startPosition;  // centre of the cell the step started from
    Vector2 moveDelta;      // (+-64, 0) or (0, +-64) while stepping
    Vector2 cell;           // column and row stood on, whole numbers
    int32_t stepsTaken = 0;  // steps ended since the game began; placing the player is none

private:
    void ShowPicture(const char* name);
};
