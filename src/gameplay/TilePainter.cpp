#include "gameplay/TilePainter.hpp"

#include <cstdlib>

#include "core/Services.hpp"
#include "gameplay/BackgroundTile.hpp"
#include "gameplay/LevelSet.hpp"
#include "gameplay/GameplayState.hpp"
#include "input/InputManager.hpp"

void TilePainter::EndStroke(LevelSet& levels, bool untilReleased) {
    lastPainted_.reset();
    stroke_ = Stroke::None;
    levels.EndStroke();
    waitForRelease_ = waitForRelease_ || untilReleased;
}

void TilePainter::Update(LevelSet& levels) {
    const InputManager& input = *Services::input;
    const bool place = input.IsActionDown(Action::EditorPlaceTile);
    const bool copy = input.IsActionDown(Action::EditorCopyTile);
    if (waitForRelease_ && (place || copy)) return;
    waitForRelease_ = false;
    if (!place) lastPainted_.reset();
    const Stroke stroke = place ? Stroke::Place : copy ? Stroke::Copy : Stroke::None;
    if (stroke != stroke_) {
        levels.EndStroke();
        stroke_ = stroke;
    }
    if (!place && !copy) return;

    const GridCell under = PointToCell(input.mousePosition);
    BackgroundTile& cursor = *gameplayState.cursorTile;
    if (place) {
        PaintLine(lastPainted_.value_or(under), under, cursor.kind, levels);
        lastPainted_ = under;
        return;
    }
    // Off the grid (the title strip, left of or above the grid) there is nothing to copy.
    if (!IsInGrid(under)) return;
    const int32_t before = cursor.kind;
    cursor.SetKind(levels.Codes(levels.Shown())[size_t(SlotOf(under))]);
    if (cursor.kind != before) levels.RecordCursor(before, cursor.kind);
}

void TilePainter::PaintLine(GridCell from, GridCell to, int32_t code, LevelSet& levels) {
    // Bresenham over cells, from the previous frame's cell to this frame's.
    const int32_t dx = std::abs(to.column - from.column), sx = from.column < to.column ? 1 : -1;
    const int32_t dy = -std::abs(to.row - from.row), sy = from.row < to.row ? 1 : -1;
    int32_t error = dx + dy;
    GridCell at = from;
    for (;;) {
        levels.Paint(at, code);
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
