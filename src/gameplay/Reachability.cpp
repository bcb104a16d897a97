#include "gameplay/Reachability.hpp"

#include "gameplay/LevelData.hpp"
#include "gameplay/TileKind.hpp"

namespace {

bool Open(const LevelCodes& codes, int32_t slot) { return !IsSolidCode(codes[size_t(slot)]); }

}  // namespace

CellDistances StepsFromStart(const LevelCodes& codes) {
    const std::optional<GridCell> startCell = StartCell(codes);
    if (!startCell) {
        CellDistances none;
        none.fill(-1);
        return none;
    }
    return StepsFrom(*startCell, [&](int32_t slot) { return Open(codes, slot); });
}

std::bitset<TileCount> ReachableCells(const LevelCodes& codes) {
    const std::optional<GridCell> startCell = StartCell(codes);
    if (!startCell) return {};
    return FloodFrom(*startCell, [&](int32_t slot) { return Open(codes, slot); });
}
