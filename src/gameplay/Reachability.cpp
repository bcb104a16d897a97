#include "gameplay/Reachability.hpp"

#include "gameplay/CellArea.hpp"
#include "gameplay/LevelData.hpp"
#include "gameplay/TileKind.hpp"

std::bitset<TileCount> ReachableCells(const LevelCodes& codes) {
    const std::optional<GridCell> startCell = StartCell(codes);
    if (!startCell) return {};
    return FloodFrom(*startCell, [&](int32_t slot) { return !IsSolidCode(codes[size_t(slot)]); });
}
