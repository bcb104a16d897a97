#include "gameplay/GameplayScreenBehavior.hpp"

#include <cstdlib>

#include "audio/MusicManager.hpp"
#include "audio/SoundManager.hpp"
#include "core/ContentError.hpp"
#include "core/ErrorReport.hpp"
#include "core/Game.hpp"
#include "core/GameSettings.hpp"
#include "core/Services.hpp"
#include "gameplay/BackgroundTile.hpp"
#include "gameplay/GameplayState.hpp"
#include "gameplay/LevelFiles.hpp"
#include "gameplay/MessagePanel.hpp"
#include "gameplay/TileKind.hpp"
#include "input/InputManager.hpp"
#include "scene/Component.hpp"

namespace {

constexpr Color playingColor{152, 66, 86, 255};
constexpr Color editingColor{255, 0, 0, 255};
constexpr int32_t paletteSize = 8;  // codes 0 to 7, cyclic

constexpr int32_t startCode = int32_t(TileKind::PlayerStart);

BackgroundTile& TileAt(GridCell cell) { return *gameplayState.tiles[size_t(SlotOf(cell))]; }

void CopyShownCodes(std::array<int32_t, TileCount>& codes) {
    for (int32_t slot = 0; slot < TileCount; ++slot)
        codes[size_t(slot)] = gameplayState.tiles[size_t(slot)]->kind;
}

// Where applying the grid as a level would put the player: the start cell of the highest slot.
void PutPlayerOnLastStartCell() {
    for (int32_t slot = TileCount - 1; slot >= 0; --slot) {
        BackgroundTile& tile = *gameplayState.tiles[size_t(slot)];
        if (tile.kind == startCode) {
            tile.SetKind(startCode);
            return;
        }
    }
}

}  // namespace

GameplayScreenBehavior::~GameplayScreenBehavior() {
    if (Services::game) Services::game->SetCloseGuard(nullptr);
    ClearLevels();
}

void GameplayScreenBehavior::Start() {
    Services::settings->clearColor = playingColor;
    LoadLevels();
    if (gameplayState.levels.empty()) {
        throw ContentError(LevelFolder(), "there is no level file (*.json) to start with");
    }
    gameplayState.currentLevelIndex = 0;
    ApplyLevel(gameplayState.currentLevelIndex);
    CopyShownCodes(savedCodes_);
    if (Services::game) Services::game->SetCloseGuard(this);
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
        const std::string line = DescribeFatalError(e);
        ReportToLog(line);
        gameplayState.panel->Open(line, {{Key::OemEnter, Key::Esc, "Enter: OK"}});
        asking_ = Asking::AfterFailure;
        return false;
    }
    savedCodes_ = level.tiles;
    return true;
}

bool GameplayScreenBehavior::ConfirmClose() {
    if (!modified_) return true;
    if (asking_ == Asking::BeforeClosing) return false;
    const std::string& file = gameplayState.levels.at(size_t(gameplayState.currentLevelIndex))->fileName;
    gameplayState.panel->Open("Save the changes to " + file + " before closing?",
                              {{Key::S, Key::None, "S: Save"},
                               {Key::D, Key::None, "D: Discard"},
                               {Key::Esc, Key::None, "Esc: Back to the game"}});
    asking_ = Asking::BeforeClosing;
    return false;
}

void GameplayScreenBehavior::AnswerPanel() {
    const int32_t answer = gameplayState.panel->TakeAnswer();
    if (answer < 0) return;
    const Asking asked = asking_;
    gameplayState.panel->Close();
    asking_ = Asking::Nothing;
    waitForRelease_ = true;
    if (asked != Asking::BeforeClosing) return;
    // Save: a failed save shows why and keeps the game; Discard: out; Esc: back to the game.
    if ((answer == 0 && SaveLevel()) || answer == 1) Services::game->RequestQuit();
}

void GameplayScreenBehavior::HandleInput() {
    const InputManager& input = *Services::input;
    if (gameplayState.panel->IsOpen()) {
        AnswerPanel();
        if (started) ShowModified();
        return;
    }
    if (gameplayState.editorMode && input.IsKeyPressed(Key::S) && input.IsKeyDown(Key::Ctrl)) {
        if (SaveLevel()) SoundManager::PlayCue("Click");
    }
    // Before the toggle, like the save: Ctrl+Z with the toggle still acts on the editor that is on.
    if (gameplayState.editorMode) UndoOrRedo();
    if (input.IsActionPressed(Action::EditorToggle)) ToggleEditor();
    if (gameplayState.editorMode) {
        StepPalette();
        PlaceOrCopy();
    } else {
        lastPainted_.reset();
        stroke_ = Stroke::None;
        history_.EndStroke();
    }
    // Before the first Start there is no level to differ from.
    if (started) ShowModified();
}

void GameplayScreenBehavior::UndoOrRedo() {
    const InputManager& input = *Services::input;
    if (!input.IsKeyDown(Key::Ctrl)) return;
    // Mid-stroke the step is not finished yet; taking it back would fight the held button.
    if (input.IsActionDown(Action::EditorPlaceTile) || input.IsActionDown(Action::EditorCopyTile)) return;
    const bool shift = input.IsKeyDown(Key::Shift) || input.IsKeyDown(Key::RightShift);
    if (input.IsKeyPressed(Key::Z) && !shift) ApplyStep(history_.Undo(), false);
    if (input.IsKeyPressed(Key::Y) || (input.IsKeyPressed(Key::Z) && shift)) ApplyStep(history_.Redo(), true);
}

void GameplayScreenBehavior::ApplyStep(std::span<const EditChange> step, bool redo) {
    if (step.empty()) return;
    bool startChanged = false;
    // A redo replays the stroke in its order, so the player lands where the stroke left it.
    for (size_t i = 0; i < step.size(); ++i) {
        const EditChange& change = redo ? step[i] : step[step.size() - 1 - i];
        const int32_t code = redo ? change.after : change.before;
        if (change.slot == EditHistory::cursorSlot) {
            gameplayState.cursorTile->SetKind(code);
            continue;
        }
        gameplayState.tiles[size_t(change.slot)]->SetKind(code);
        startChanged = startChanged || change.before == startCode || change.after == startCode;
    }
    // Taking a start cell back leaves the player where the remaining level puts it; with no
    // start cell left it stays where it is.
    if (!redo && startChanged) PutPlayerOnLastStartCell();
    SoundManager::PlayCue("Click");
}

void GameplayScreenBehavior::ShowModified() {
    bool modified = false;
    for (int32_t slot = 0; slot < TileCount && !modified; ++slot)
        modified = gameplayState.tiles[size_t(slot)]->kind != savedCodes_[size_t(slot)];
    if (modified == modified_) return;
    modified_ = modified;
    if (Services::game) Services::game->platform().SetWindowTitle(modified ? "Game *" : "Game");
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
    if (waitForRelease_ && (place || copy)) return;
    waitForRelease_ = false;
    if (!place) lastPainted_.reset();
    const Stroke stroke = place ? Stroke::Place : copy ? Stroke::Copy : Stroke::None;
    if (stroke != stroke_) {
        history_.EndStroke();
        stroke_ = stroke;
    }
    if (!place && !copy) return;

    const GridCell under = PointToCell(input.mousePosition);
    BackgroundTile& cursor = *gameplayState.cursorTile;
    if (place) {
        PaintLine(lastPainted_.value_or(under), under, cursor.kind);
        lastPainted_ = under;
        return;
    }
    // Off the grid (the title strip, left of or above the grid) there is nothing to copy.
    if (!IsInGrid(under)) return;
    const int32_t before = cursor.kind;
    cursor.SetKind(TileAt(under).kind);
    if (cursor.kind != before) history_.Record(EditHistory::cursorSlot, before, cursor.kind);
}

void GameplayScreenBehavior::PaintLine(GridCell from, GridCell to, int32_t code) {
    // Bresenham over cells, from the previous frame's cell to this frame's.
    const int32_t dx = std::abs(to.column - from.column), sx = from.column < to.column ? 1 : -1;
    const int32_t dy = -std::abs(to.row - from.row), sy = from.row < to.row ? 1 : -1;
    int32_t error = dx + dy;
    GridCell at = from;
    for (;;) {
        if (IsInGrid(at)) {
            BackgroundTile& tile = TileAt(at);
            const int32_t before = tile.kind;
            tile.SetKind(code);
            if (before != code) history_.Record(SlotOf(at), before, code);
        }
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
