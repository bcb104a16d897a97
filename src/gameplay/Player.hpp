#pragma once

#include <cstdint>

#include "scene/GameObject.hpp"

class PlayerBehavior;

// The player's object: drawn in the second layer, over the tiles, at the size of
// "TorvelPose" (a missing "TorvelPose" is a ContentError). Starts on cell (2, 1).
class Player : public GameObject {
public:
    Player();

    PlayerBehavior* behavior = nullptr;  // owned as one of the components
};

// Puts the player of GameplayState on the centre of a cell, cancelling any step.
void PlacePlayer(int32_t column, int32_t row);
// Runs the player's animation again from its pose.
void RestartPlayerAnimation();
// Stops the animation where it is.
void StopPlayerAnimation();
