#pragma once

#include <array>
#include <bitset>
#include <cstddef>
#include <cstdint>

#include "gameplay/Grid.hpp"

// A set of grid cells, bit = slot.
using CellSet = std::bitset<TileCount>;

// Steps from `start` to every cell, across a side (never a corner), through cells that
// `canEnter(slot)` allows; -1 for the cells out of reach, all of them when `start` is off the
// grid. Breadth first: each cell enters the queue once, so nothing is allocated, whatever the level.
using CellDistances = std::array<int16_t, TileCount>;
template <class CanEnter>
CellDistances StepsFrom(GridCell start, CanEnter&& canEnter) {
    CellDistances steps;
    steps.fill(-1);
    if (!IsInGrid(start)) return steps;
    std::array<int32_t, TileCount> queue{};
    size_t head = 0, tail = 0;
    queue[tail++] = SlotOf(start);
    steps[size_t(SlotOf(start))] = 0;
    while (head < tail) {
        const int32_t slot = queue[head++];
        const GridCell cell{slot % GridColumns, slot / GridColumns};
        const GridCell next[] = {{cell.column - 1, cell.row},
                                 {cell.column + 1, cell.row},
                                 {cell.column, cell.row - 1},
                                 {cell.column, cell.row + 1}};
        for (const GridCell& to : next) {
            const int32_t s = SlotOf(to);
            if (!IsInGrid(to) || steps[size_t(s)] >= 0 || !canEnter(s)) continue;
            steps[size_t(s)] = int16_t(steps[size_t(slot)] + 1);
            queue[tail++] = s;
        }
    }
    return steps;
}

// The cells joined to `start` across a side (never a corner) through cells that
// `canEnter(slot)` allows, `start` included; none when it is off the grid.
template <class CanEnter>
CellSet FloodFrom(GridCell start, CanEnter&& canEnter) {
    const CellDistances steps = StepsFrom(start, canEnter);
    CellSet reached;
    for (size_t slot = 0; slot < steps.size(); ++slot) reached.set(slot, steps[slot] >= 0);
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
