#pragma once

#include <array>
#include <cstdint>
#include <functional>
#include <memory>
#include <vector>

#include "gameplay/Grid.hpp"
#include "gameplay/LevelData.hpp"
#include "gameplay/Overlay.hpp"

class BackgroundTile;
class EditorMarks;
class HelpCard;
class FinishCard;
class GameObject;
class LevelListPanel;
class Menu;
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
    MessagePanel* panel = nullptr;  // a question or message over the maze
    Menu* menu = nullptr;           // Esc's menu, under the panel that asks its questions
    EditorMarks* marks = nullptr;   // shading, outlines and a floating paste
    HelpCard* help = nullptr;       // the keys, over the maze
    FinishCard* finishCard = nullptr;  // over the maze when a level is finished
    LevelListPanel* levelList = nullptr;
    // Opens the level list over the maze (once the levels are loaded; before, it does nothing).
    std::function<void()> openLevelList;
    // Everything that can be drawn over the maze, the panel among them, in the order they are
    // drawn; the last one open is on top and takes the keys.
    std::vector<Overlay*> overlays;

    // The open overlay on top, or null: while there is one the player waits.
    Overlay* TopOverlay() const {
        for (auto it = overlays.rbegin(); it != overlays.rend(); ++it) {
            if ((*it)->IsOpen()) return *it;
        }
        return nullptr;
    }

    virtual ~GameplayState() = default;
};

inline GameplayState gameplayState;
