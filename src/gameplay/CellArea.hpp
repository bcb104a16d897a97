#pragma once

#include <array>
#include <bitset>
#include <cstddef>

#include "gameplay/Grid.hpp"

// A set of grid cells, bit = slot.
using CellSet = std::bitset<TileCount>;

// The cells joined to `start` across a side (never a corner) through cells that
// `canEnter(slot)` allows, `start` included; none when it is off the grid. Each cell enters the
// queue once, so nothing is allocated, whatever the level.
template <class CanEnter>
CellSet FloodFrom(GridCell start, CanEnter&& canEnter) {
    CellSet reached;
    if (!IsInGrid(start)) return reached;
    std::array<int32_t, TileCount> queue{};
    size_t head = 0, tail = 0;
    queue[tail++] = SlotOf(start);
    reached.set(size_t(SlotOf(start)));
    while (head < tail) {
        const int32_t slot = queue[head++];
        const GridCell cell{slot % GridColumns, slot / GridColumns};
        const GridCell next[] = {{cell.column - 1, cell.row},
                                 {cell.column + 1, cell.row},
                                 {cell.column, cell.row - 1},
                                 {cell.column, cell.row + 1}};
        for (const GridCell& to : next) {
            const int32_t s = SlotOf(to);
            if (!IsInGrid(to) || reached.test(size_t(s)) || !canEnter(s)) continue;
            reached.set(size_t(s));
            queue[tail++] = s;
        }
    }
    return reached;
}

// The cells of the rectangle with corners `a` and `b` (both included), the part on the grid.
CellSet RectCells(GridCell a, GridCell b);

// The cells a flood fill from `start` changes: those joined to it across a side (never a
// corner) through cells of its code. None when `start` is off the grid.
CellSet FillRegion(const LevelCodes& codes, GridCell start);

// The smallest rectangle holding every cell of `cells`, as its top-left cell and size; none
// for an empty set.
struct CellBox {
    GridCell first;
    int32_t columns = 0;
    int32_t rows = 0;
};
CellBox BoxOf(const CellSet& cells);

// Codes cut out of a level: `columns` x `rows` of them, row by row.
struct CellBlock {
    int32_t columns = 0;
    int32_t rows = 0;
    LevelCodes codes{};
};

// The codes of `box` in `codes`.
CellBlock CutBlock(const LevelCodes& codes, const CellBox& box);
