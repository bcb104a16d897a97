#include "gameplay/Grid.hpp"

#include <algorithm>
#include <cmath>

namespace {

constexpr Vector2 cellCentreOffset = GridOrigin + Vector2(TileSize.x * 0.5f, TileSize.y * 0.5f);

// Far enough out that a line from any cell to it still crosses the grid the same way, near
// enough that the cast to an integer is defined (mouse positions are not clamped).
constexpr float farOut = 1024.0f;

int32_t FloorCell(float offset, float size) {
    const float cells = std::floor(offset / size);
    if (std::isnan(cells)) return -1;
    return int32_t(std::clamp(cells, -farOut, farOut));
}

}  // namespace

Vector2 GridToWorld(int32_t column, int32_t row) {
    return cellCentreOffset + Vector2(float(column) * TileSize.x, float(row) * TileSize.y);
}

Vector2 GridToWorld(Vector2 cell) {
    return GridToWorld(int32_t(std::trunc(cell.x)), int32_t(std::trunc(cell.y)));
}

Vector2 WorldToGrid(Vector2 point) {
    const Vector2 cells = (point - cellCentreOffset) / TileSize;
    return {std::trunc(cells.x), std::trunc(cells.y)};
}

GridCell PointToCell(Vector2 point) {
    return {FloorCell(point.x - GridOrigin.x, TileSize.x), FloorCell(point.y - GridOrigin.y, TileSize.y)};
}

bool IsInGrid(GridCell cell) {
    return cell.column >= 0 && cell.column < GridColumns && cell.row >= 0 && cell.row < GridRows;
}

std::optional<GridCell> CellUnder(Vector2 point) {
    const GridCell cell = PointToCell(point);
    if (!IsInGrid(cell)) return std::nullopt;
    return cell;
}
