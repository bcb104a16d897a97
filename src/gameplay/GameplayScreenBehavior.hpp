#pragma once

#include <array>
#include <cstdint>
#include <optional>
#include <span>

#include "core/CloseGuard.hpp"
#include "gameplay/EditHistory.hpp"
#include "gameplay/Grid.hpp"
#include "scene/Behavior.hpp"

// Runs the gameplay screen: loads and applies the level at start, and the built-in editor
// (toggle, palette, painting and copying under the mouse, Ctrl+S to save, undo and redo).
// While the grid differs from the level last loaded or saved the window title says so, and
// closing the window asks, over the maze, what to do with the edits.
class GameplayScreenBehavior : public Behavior, public CloseGuard {
public:
    ~GameplayScreenBehavior() override;

    // Play colour, levels loaded, level 0 applied, theme playing, the close guard registered
    // with the game. An empty level folder is a ContentError.
    void Start() override;
    // While the message panel is open, only its answer. Otherwise the editor, in a fixed order:
    // save, undo, redo, toggle, next, previous, place or copy. Then the title follows the
    // modified state.
    void HandleInput() override;
    // Unmodified: true. Modified: false, and the panel asks whether to save (the game ends
    // once saved), discard (it ends) or go back to the game. Nothing dismisses the question
    // without an answer; closing the window again leaves it open.
    bool ConfirmClose() override;

    // Gives every grid tile the code of its slot in the level; an index outside the list
    // does nothing.
    void ApplyLevel(int32_t index);
    // Copies the codes shown into the current level and writes its file. A failure gives
    // false and is shown in the panel (and as one line on stderr), naming the file; the edits
    // stay on screen.
    bool SaveLevel();

private:
    // Takes the panel's answer to the question it shows.
    void AnswerPanel();
    // Ctrl+Z undoes, Ctrl+Y and Ctrl+Shift+Z redo; not in the middle of a stroke.
    void UndoOrRedo();
    // Puts back each change's `before` (undo) or `after` (redo) and clicks.
    void ApplyStep(std::span<const EditChange> step, bool redo);
    void ShowModified();
    void ToggleEditor();
    void StepPalette();
    void PlaceOrCopy();
    // Paints every grid cell on the line between two cells (either end may be off the grid).
    void PaintLine(GridCell from, GridCell to, int32_t code);

    // The cell painted in the previous frame while the place action stayed held, so that a
    // fast drag fills the cells between two frames' pointer positions.
    std::optional<GridCell> lastPainted_;
    // The button that answered the panel is still down: it must not paint when the panel goes.
    bool waitForRelease_ = false;
    enum class Asking : uint8_t { Nothing, BeforeClosing, AfterFailure };
    Asking asking_ = Asking::Nothing;

    // Which editor action the open stroke of the history belongs to.
    enum class Stroke : uint8_t { None, Place, Copy };
    Stroke stroke_ = Stroke::None;
    EditHistory history_;
    std::array<int32_t, TileCount> savedCodes_{};  // as last loaded or saved
    bool modified_ = false;
};
