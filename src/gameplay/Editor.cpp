#include "gameplay/Editor.hpp"

#include "audio/SoundManager.hpp"
#include "core/GameSettings.hpp"
#include "core/Services.hpp"
#include "gameplay/BackgroundTile.hpp"
#include "gameplay/EditorMarks.hpp"
#include "gameplay/GameplayState.hpp"
#include "gameplay/LevelSet.hpp"
#include "gameplay/Reachability.hpp"
#include "input/InputManager.hpp"
#include "scene/Component.hpp"

namespace {

constexpr Color playingColor{152, 66, 86, 255};
constexpr Color editingColor{255, 0, 0, 255};
constexpr int32_t paletteSize = 9;  // codes 0 to 8, cyclic

bool CtrlHeld() { return Services::input->IsKeyDown(Key::Ctrl); }

}  // namespace

bool Editor::IsOn() const { return gameplayState.editorMode; }

void Editor::Toggle() {
    gameplayState.editorMode = !gameplayState.editorMode;
    const bool on = gameplayState.editorMode;
    Services::settings->clearColor = on ? editingColor : playingColor;
    gameplayState.cursorTile->sprite->color.a = on ? 255 : 0;
    SoundManager::PlayCue("Click");
}

void Editor::UndoOrRedo() {
    const InputManager& input = *Services::input;
    if (!CtrlHeld()) return;
    // Mid-stroke the step is not finished yet; taking it back would fight the held button.
    if (input.IsActionDown(Action::EditorPlaceTile) || input.IsActionDown(Action::EditorCopyTile)) return;
    // The platform reports both Shift keys as Key::Shift.
    const bool shift = input.IsKeyDown(Key::Shift);
    bool changed = false;
    if (input.IsKeyPressed(Key::Z) && !shift) changed = levels_.Undo();
    if (input.IsKeyPressed(Key::Y) || (input.IsKeyPressed(Key::Z) && shift)) changed = levels_.Redo() || changed;
    if (changed) SoundManager::PlayCue("Click");
}

void Editor::Update() {
    if (!IsOn()) {
        painter_.EndStroke(levels_);
        tools_.Cancel();
        return;
    }
    StepPalette();
    // A button a tool took paints nothing until it is let go.
    if (tools_.Update()) painter_.EndStroke(levels_, true);
    painter_.Update(levels_);
}

void Editor::EndStroke(bool untilReleased) { painter_.EndStroke(levels_, untilReleased); }

void Editor::StepPalette() {
    const InputManager& input = *Services::input;
    // With Ctrl held the keys are commands (Ctrl+PageDown switches levels), not the palette.
    if (CtrlHeld()) return;
    BackgroundTile& cursor = *gameplayState.cursorTile;
    // Wide, so that a copied code at the ends of the 32-bit range cannot overflow.
    int64_t k = cursor.kind;
    if (input.IsActionPressed(Action::EditorNextTile)) {
        k = (k + 1) % paletteSize;  // the remainder keeps the dividend's sign: 42 gives 7
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

void Editor::ShadeUnreachable() {
    if (!IsOn() && !shaded_) return;
    const bool shade = IsOn();
    const std::bitset<TileCount> reachable =
        shade ? ReachableCells(levels_.Codes(levels_.Shown())) : std::bitset<TileCount>();
    for (int32_t slot = 0; slot < TileCount; ++slot) {
        BackgroundTile& tile = *gameplayState.tiles[size_t(slot)];
        const bool out = shade && !tile.solid && !reachable.test(size_t(slot));
        tile.sprite->color = out ? unreachableTint : Color{};
        gameplayState.marks->Shade(slot, out);
    }
    shaded_ = shade;
}
