#pragma once

#include <cstdint>

#include "scene/GameObject.hpp"

// One grid cell's tile, or the editor's cursor. The code chooses the picture and whether the
// cell blocks the player; all tiles keep the size of "GutBackground", whatever they show.
class BackgroundTile : public GameObject {
public:
    // Solid code 2 ("GutVertical") until a level is applied. A missing "GutBackground" is a
    // ContentError.
    BackgroundTile();

    // Sets the code, the picture and whether the cell blocks; code 7 shows floor on a grid cell
    // and the player's picture on the cursor. Placing the player is the level's business.
    void SetKind(int32_t code);

    bool solid = false;
    bool isCursor = false;
    int32_t column = 0;
    int32_t row = 0;
    int32_t kind = 0;
};
