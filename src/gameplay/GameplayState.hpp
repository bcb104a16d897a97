#pragma once

#include <array>
#include <cstdint>
#include <memory>
#include <vector>

#include "gameplay/Grid.hpp"
#include "gameplay/LevelData.hpp"

class BackgroundTile;
class GameObject;
class MessagePanel;
class Player;

// The one gameplay record of the process. The levels are owned here; the object pointers
// are not: the tiles, the cursor and the player belong to the scene tree.
struct GameplayState {
    std::vector<std::unique_ptr<LevelData>> levels;
    int32_t currentLevelIndex = 0;
    bool editorMode = false;
    std::array<BackgroundTile*, TileCount> tiles{};  // slot = row * 14 + column
    BackgroundTile* cursorTile = nullptr;
    Player* player = nullptr;
    GameObject* title = nullptr;      // the title line, which also carries short messages
    GameObject* levelLine = nullptr;  // the shown level's name and place, right in the strip
    MessagePanel* panel = nullptr;  // a question or message over the maze; the player waits while it is open

    virtual ~GameplayState() = default;
};

inline GameplayState gameplayState;
