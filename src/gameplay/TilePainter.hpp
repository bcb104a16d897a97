#pragma once

#include <cstdint>
#include <optional>

#include "gameplay/Grid.hpp"

class LevelSet;

// The editor's mouse: while the place action is held, the cursor's code goes on every cell
// under the pointer (and on the cells between two frames' positions, so a fast drag leaves no
// gaps); the copy action takes the code under the pointer into the cursor. Each press of a
// button is one stroke of the shown level's undo history.
class TilePainter {
public:
    // One frame of painting or copying on the shown level.
    void Update(LevelSet& levels);
    // Closes the stroke under way. With `untilReleased`, a button still held does nothing
    // until it is let go (it answered a question, or the level changed under it).
    void EndStroke(LevelSet& levels, bool untilReleased = false);

private:
    void PaintLine(GridCell from, GridCell to, int32_t code, LevelSet& levels);

    // The cell painted in the previous frame while the place action stayed held.
    std::optional<GridCell> lastPainted_;
    enum class Stroke : uint8_t { None, Place, Copy };
    Stroke stroke_ = Stroke::None;
    bool waitForRelease_ = false;
};
