#include "gameplay/CellArea.hpp"

#include <algorithm>

CellSet RectCells(GridCell a, GridCell b) {
    CellSet cells;
    const int32_t left = std::max(std::min(a.column, b.column), 0);
    const int32_t right = std::min(std::max(a.column, b.column), GridColumns - 1);
    const int32_t top = std::max(std::min(a.row, b.row), 0);
    const int32_t bottom = std::min(std::max(a.row, b.row), GridRows - 1);
    for (int32_t row = top; row <= bottom; ++row) {
        for (int32_t column = left; column <= right; ++column) cells.set(size_t(SlotOf({column, row})));
    }
    return cells;
}

CellSet FillRegion(const LevelCodes& codes, GridCell start) {
    if (!IsInGrid(start)) return {};
    const int32_t code = codes[size_t(SlotOf(start))];
    return FloodFrom(start, [&](int32_t slot) { return codes[size_t(slot)] == code; });
}

CellBox BoxOf(const CellSet& cells) {
    int32_t left = GridColumns, right = -1, top = GridRows, bottom = -1;
    for (int32_t slot = 0; slot < TileCount; ++slot) {
        if (!cells.test(size_t(slot))) continue;
        const int32_t column = slot % GridColumns, row = slot / GridColumns;
        left = std::min(left, column), right = std::max(right, column);
        top = std::min(top, row), bottom = std::max(bottom, row);
    }
    if (right < 0) return {};
    return {{left, top}, right - left + 1, bottom - top + 1};
}

CellBlock CutBlock(const LevelCodes& codes, const CellBox& box) {
    CellBlock block{box.columns, box.rows, {}};
    for (int32_t row = 0; row < box.rows; ++row) {
        for (int32_t column = 0; column < box.columns; ++column) {
            const GridCell from{box.first.column + column, box.first.row + row};
            block.codes[size_t(row * box.columns + column)] = codes[size_t(SlotOf(from))];
        }
    }
    return block;
}
