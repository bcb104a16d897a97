#pragma once

#include "scene/GameObject.hpp"

// The game's one scene. Its children, in order: the 126 grid tiles (row by row), the player,
// the title line, the editor's cursor, the level line and the message panel; its one component is the
// GameplayScreenBehavior. Publishes them in GameplayState; the level is applied at Start.
class GameplayScreen : public GameObject {
public:
    GameplayScreen();
    ~GameplayScreen() override;
};
