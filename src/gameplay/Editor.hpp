#pragma once

#include <cstdint>

#include "gameplay/EditTools.hpp"
#include "gameplay/TilePainter.hpp"

class LevelSet;

// The built-in editor: switched on and off, its palette, painting and copying under the mouse,
// undo and redo, and the shading of the cells the player cannot reach. Every change to a level
// goes through the LevelSet it is given.
class Editor {
public:
    explicit Editor(LevelSet& levels) : levels_(levels), tools_(levels) {}

    bool IsOn() const;
    // On or off: the background colour, the cursor shown or hidden, a click.
    void Toggle();
    // Ctrl+Z undoes, Ctrl+Y and Ctrl+Shift+Z redo; not in the middle of a stroke.
    void UndoOrRedo();
    // One frame of the palette keys and the mouse while the editor is on; closes the stroke
    // while it is off.
    void Update();
    // Closes the stroke under way; with `untilReleased` a button still held paints nothing
    // until it is let go.
    void EndStroke(bool untilReleased = false);
    // While the editor is on, darkens and crosses the open cells the player cannot reach from the start.
    void ShadeUnreachable();

private:
    void StepPalette();

    LevelSet& levels_;
    TilePainter painter_;
    EditTools tools_;
    bool shaded_ = false;
};
