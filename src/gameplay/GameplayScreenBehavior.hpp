#pragma once

#include <cstdint>
#include <span>
#include <string>

#include "core/CloseGuard.hpp"
#include "gameplay/EditHistory.hpp"
#include "gameplay/LevelSet.hpp"
#include "gameplay/RecoveryCopies.hpp"
#include "gameplay/TilePainter.hpp"
#include "scene/Behavior.hpp"

// Runs the gameplay screen: loads the levels at start and shows the first, switches between
// them (Ctrl+PageDown, Ctrl+PageUp), and runs the built-in editor (toggle, palette, painting
// and copying under the mouse, a new level with Ctrl+N, Ctrl+S to save, undo and redo). While
// any level differs from its file the window title says so, and closing the window asks,
// over the maze, what to do with the edits.
class GameplayScreenBehavior : public Behavior, public CloseGuard {
public:
    GameplayScreenBehavior();
    ~GameplayScreenBehavior() override;

    // Play colour, levels loaded, level 0 applied, recovery copies restored, theme playing,
    // the close guard registered with the game. An empty level folder is a ContentError.
    void Start() override;
    // While the message panel is open, only its answer. Otherwise in a fixed order: save,
    // undo, redo, level switch or new level, toggle, palette, place or copy; then the shading
    // of unreachable cells and the title follow the codes.
    void HandleInput() override;
    // Keeps the recovery copies, and takes a message in the strip below the grid away when
    // its time is up.
    void Update() override;
    // Nothing modified: true. Otherwise false, and the panel asks whether to save every
    // modified level (the game ends once all are saved), discard (it ends) or go back to the
    // game. Nothing dismisses the question without an answer; closing again leaves it open.
    bool ConfirmClose() override;
    // Writes the recovery copies of what is still unsaved (a signal ends the game at once).
    void LoopEnded() override;

    // Gives every grid tile the code of its slot in the level as loaded; an index outside the
    // list does nothing.
    void ApplyLevel(int32_t index);
    // Writes the shown level's file. A failure gives false and is shown in the panel (and as
    // one line on stderr), naming the file; the edits stay.
    bool SaveLevel();

    LevelSet& levels() { return levels_; }

private:
    bool SaveLevelAt(int32_t index);
    bool SaveModifiedLevels();
    void AnswerPanel();
    // Ctrl+PageDown, Ctrl+PageUp in play and editor; Ctrl+N in the editor.
    void SwitchOrAddLevel();
    // Ctrl+Z undoes, Ctrl+Y and Ctrl+Shift+Z redo; not in the middle of a stroke.
    void UndoOrRedo();
    // Puts back each change's `before` (undo) or `after` (redo) and clicks.
    void ApplyStep(std::span<const EditChange> step, bool redo);
    void ToggleEditor();
    void StepPalette();
    void ShadeUnreachable();
    void ShowModified();
    void ShowLevelLine();
    void ShowMessage(const std::string& text);

    LevelSet levels_;
    RecoveryCopies recovery_;
    TilePainter painter_;
    enum class Asking : uint8_t { Nothing, BeforeClosing, AfterFailure };
    Asking asking_ = Asking::Nothing;
    bool modified_ = false;
    bool shaded_ = false;
    std::string title_;          // the title line's own text, back after a message
    float messageSeconds_ = 0;  // how long the message in the strip stays
};
