#pragma once

#include <array>
#include <cstdint>
#include <optional>

#include "core/Vector2.hpp"

inline constexpr int32_t GridColumns = 14;
inline constexpr int32_t GridRows = 9;
inline constexpr int32_t TileCount = GridColumns * GridRows;  // slot = row * 14 + column

// A level's tile codes, slot by slot.
using LevelCodes = std::array<int32_t, TileCount>;

// Pixels, y down. The grid covers x -48..848 and y 0..576: columns 0 and 13 show only a
// 16-pixel strip on the 800-pixel screen, and the title sits in the strip below row 8.
inline constexpr Vector2 TileSize{64.0f, 64.0f};
inline constexpr Vector2 GridOrigin{-48.0f, 0.0f};  // top-left corner of cell (0, 0)

struct GridCell {
    int32_t column = 0;
    int32_t row = 0;
    constexpr bool operator==(const GridCell&) const = default;
};

// The centre of a cell.
Vector2 GridToWorld(int32_t column, int32_t row);
// The same for a cell held as floats, truncated towards zero first.
Vector2 GridToWorld(Vector2 cell);
// The column and row (whole-number floats, truncated towards zero) of a cell centre.
Vector2 WorldToGrid(Vector2 point);

// The cell that a screen point falls in, by floor division, so a point left of or above the
// grid gets a negative column or row rather than folding into column or row 0. The answer
// may lie outside the grid (see IsInGrid); far-away points are clamped to a few cells out.
GridCell PointToCell(Vector2 point);
bool IsInGrid(GridCell cell);
// The cell under a point, or none when the point lies outside the grid.
std::optional<GridCell> CellUnder(Vector2 point);

inline constexpr int32_t SlotOf(GridCell cell) { return cell.row * GridColumns + cell.column; }
