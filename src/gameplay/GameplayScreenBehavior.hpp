#pragma once

#include <cstdint>
#include <optional>

#include "gameplay/Grid.hpp"
#include "scene/Behavior.hpp"

// Runs the gameplay screen: loads and applies the level at start, and the built-in editor
// (toggle, palette, painting and copying under the mouse, Ctrl+S to save).
class GameplayScreenBehavior : public Behavior {
public:
    ~GameplayScreenBehavior() override;

    // Play colour, levels loaded, level 0 applied, theme playing. An empty level folder is a
    // ContentError.
    void Start() override;
    // The editor, in a fixed order: save, toggle, next, previous, place or copy.
    void HandleInput() override;

    // Gives every grid tile the code of its slot in the level; an index outside the list
    // does nothing.
    void ApplyLevel(int32_t index);
    // Copies the codes shown into the current level and writes its file. A failure is
    // reported as one line naming the file and gives false; the edits stay on screen.
    bool SaveLevel();

private:
    void ToggleEditor();
    void StepPalette();
    void PlaceOrCopy();
    // Paints every grid cell on the line between two cells (either end may be off the grid).
    void PaintLine(GridCell from, GridCell to, int32_t code);

    // The cell painted in the previous frame while the place action stayed held, so that a
    // fast drag fills the cells between two frames' pointer positions.
    std::optional<GridCell> lastPainted_;
};
