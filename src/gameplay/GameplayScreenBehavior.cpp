#include "gameplay/GameplayScreenBehavior.hpp"

#include <cstdlib>

#include "audio/MusicManager.hpp"
#include "audio/SoundManager.hpp"
#include "core/ContentError.hpp"
#include "core/ErrorReport.hpp"
#include "core/GameSettings.hpp"
#include "core/Services.hpp"
#include "gameplay/BackgroundTile.hpp"
#include "gameplay/GameplayState.hpp"
#include "gameplay/LevelFiles.hpp"
#include "input/InputManager.hpp"
#include "scene/Component.hpp"

namespace {

constexpr Color playingColor{152, 66, 86, 255};
constexpr Color editingColor{255, 0, 0, 255};
constexpr int32_t paletteSize = 8;  // codes 0 to 7, cyclic

BackgroundTile& TileAt(GridCell cell) { return *gameplayState.tiles[size_t(SlotOf(cell))]; }

}  // namespace

GameplayScreenBehavior::~GameplayScreenBehavior() { ClearLevels(); }

void GameplayScreenBehavior::Start() {
    Services::settings->clearColor = playingColor;
    LoadLevels();
    if (gameplayState.levels.empty()) {
        throw ContentError(LevelFolder(), "there is no level file (*.json) to start with");
    }
    gameplayState.currentLevelIndex = 0;
    ApplyLevel(gameplayState.currentLevelIndex);
    MusicManager::Play("TorvelTheme");
}

void GameplayScreenBehavior::ApplyLevel(int32_t index) {
    if (index < 0 || size_t(index) >= gameplayState.levels.size()) return;
    const LevelData& level = *gameplayState.levels[size_t(index)];
    for (int32_t slot = 0; slot < TileCount; ++slot)
        gameplayState.tiles[size_t(slot)]->SetKind(level.tiles[size_t(slot)]);
}

bool GameplayScreenBehavior::SaveLevel() {
    const int32_t index = gameplayState.currentLevelIndex;
    if (index < 0 || size_t(index) >= gameplayState.levels.size()) return false;
    LevelData& level = *gameplayState.levels[size_t(index)];
    for (int32_t slot = 0; slot < TileCount; ++slot)
        level.tiles[size_t(slot)] = gameplayState.tiles[size_t(slot)]->kind;
    try {
        WriteLevelFile(level);
    } catch (const std::exception& e) {
        // The edits stay on screen and the game goes on; the user can free the disk and retry.
        ReportError(DescribeFatalError(e));
        return false;
    }
    return true;
}

void GameplayScreenBehavior::HandleInput() {
    const InputManager& input = *Services::input;
    if (gameplayState.editorMode && input.IsKeyPressed(Key::S) && input.IsKeyDown(Key::Ctrl)) {
        if (SaveLevel()) SoundManager::PlayCue("Click");
    }
    if (input.IsActionPressed(Action::EditorToggle)) ToggleEditor();
    if (!gameplayState.editorMode) {
        lastPainted_.reset();
        return;
    }
    StepPalette();
    PlaceOrCopy();
}

void GameplayScreenBehavior::ToggleEditor() {
    gameplayState.editorMode = !gameplayState.editorMode;
    const bool on = gameplayState.editorMode;
    Services::settings->clearColor = on ? editingColor : playingColor;
    gameplayState.cursorTile->sprite->color.a = on ? 255 : 0;
    SoundManager::PlayCue("Click");
}

void GameplayScreenBehavior::StepPalette() {
    const InputManager& input = *Services::input;
    BackgroundTile& cursor = *gameplayState.cursorTile;
    // Wide, so that a copied code at the ends of the 32-bit range cannot overflow.
    int64_t k = cursor.kind;
    if (input.IsActionPressed(Action::EditorNextTile)) {
        k = (k + 1) % paletteSize;  // the remainder keeps the dividend's sign: 42 gives 3
        cursor.SetKind(int32_t(k));
        SoundManager::PlayCue("Click");
    }
    if (input.IsActionPressed(Action::EditorPreviousTile)) {
        k = k - 1;
        if (k < 0) k = paletteSize - 1;
        cursor.SetKind(int32_t(k));
        SoundManager::PlayCue("Click");
    }
}

void GameplayScreenBehavior::PlaceOrCopy() {
    const InputManager& input = *Services::input;
    const bool place = input.IsActionDown(Action::EditorPlaceTile);
    const bool copy = input.IsActionDown(Action::EditorCopyTile);
    if (!place) lastPainted_.reset();
    if (!place && !copy) return;

    const GridCell under = PointToCell(input.mousePosition);
    BackgroundTile& cursor = *gameplayState.cursorTile;
    if (place) {
        PaintLine(lastPainted_.value_or(under), under, cursor.kind);
        lastPainted_ = under;
        return;
    }
    // Off the grid (the title strip, left of or above the grid) there is nothing to copy.
    if (IsInGrid(under)) cursor.SetKind(TileAt(under).kind);
}

void GameplayScreenBehavior::PaintLine(GridCell from, GridCell to, int32_t code) {
    // Bresenham over cells, from the previous frame's cell to this frame's.
    const int32_t dx = std::abs(to.column - from.column), sx = from.column < to.column ? 1 : -1;
    const int32_t dy = -std::abs(to.row - from.row), sy = from.row < to.row ? 1 : -1;
    int32_t error = dx + dy;
    GridCell at = from;
    for (;;) {
        if (IsInGrid(at)) TileAt(at).SetKind(code);
        if (at == to) break;
        const int32_t twice = 2 * error;
        if (twice >= dy) {
            error += dy;
            at.column += sx;
        }
        if (twice <= dx) {
            error += dx;
            at.row += sy;
        }
    }
}
