#pragma once

#include <cstdint>
#include <string>

#include "core/CloseGuard.hpp"
#include "gameplay/Editor.hpp"
#include "gameplay/LevelReload.hpp"
#include "gameplay/LevelProgress.hpp"
#include "gameplay/LevelSet.hpp"
#include "scene/Behavior.hpp"

// Runs the gameplay screen: loads the levels at start and shows the first, switches between
// them (Ctrl+PageDown, Ctrl+PageUp), saves (Ctrl+S) and adds levels (Ctrl+N) in the editor,
// and hands the keys to what is open over the maze. While any level differs from its file the
// window title says so, and closing the window asks, over the maze, what to do with the edits.
class GameplayScreenBehavior : public Behavior, public CloseGuard {
public:
    GameplayScreenBehavior();
    ~GameplayScreenBehavior() override;

    // Play colour, levels loaded, level 0 shown, recovery copies restored, theme playing,
    // the close guard registered with the game. An empty level folder is a ContentError.
    void Start() override;
    // While an overlay is open, only its keys. Otherwise in a fixed order: save, undo, redo,
    // level switch or new level, toggle, palette, place or copy; then the shading of
    // unreachable cells and the title follow the codes.
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

    // Writes the shown level's file. A failure gives false and is shown in the panel (and as
    // one line on stderr), naming the file; the edits stay.
    bool SaveLevel();
    // Shows `text` in place of the title for a few seconds.
    void ShowMessage(const std::string& text);
    // The shown level's name and place at the right of the strip.
    void ShowLevelLine();

    LevelSet& levels() { return levels_; }
    Editor& editor() { return editor_; }
    LevelReload& reload() { return reload_; }

private:
    bool SaveLevelAt(int32_t index);
    bool SaveModifiedLevels();
    // Ctrl+PageDown, Ctrl+PageUp in play and editor; Ctrl+N in the editor.
    void SwitchOrAddLevel();
    void ShowModified();

    LevelSet levels_;
    Editor editor_{levels_};
    LevelReload reload_{levels_, [this](const std::string& line) {
                            ShowMessage(line);
                            ShowLevelLine();
                        }};
    LevelProgress progress_{levels_};
    bool askingBeforeClose_ = false;
    bool modified_ = false;
    std::string title_;          // the title line's own text, back after a message
    float messageSeconds_ = 0;  // how long the message in the strip stays
};
