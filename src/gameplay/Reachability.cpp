#include "gameplay/Reachability.hpp"

#include "gameplay/LevelData.hpp"
#include "gameplay/TileKind.hpp"

CellDistances StepsFromStart(const LevelCodes& codes) {
    CellDistances steps;
    steps.fill(-1);
    const std::optional<GridCell> startCell = StartCell(codes);
    if (!startCell) return steps;
    const int32_t start = SlotOf(*startCell);
    // Each cell enters the queue once, so it never needs more than TileCount places.
    std::array<int32_t, TileCount> queue{};
    size_t head = 0, tail = 0;
    queue[tail++] = start;
    steps[size_t(start)] = 0;
    while (head < tail) {
        const int32_t slot = queue[head++];
        const GridCell cell{slot % GridColumns, slot / GridColumns};
        const GridCell next[] = {{cell.column - 1, cell.row},
                                 {cell.column + 1, cell.row},
                                 {cell.column, cell.row - 1},
                                 {cell.column, cell.row + 1}};
        for (const GridCell& to : next) {
            if (!IsInGrid(to)) continue;
            const size_t s = size_t(SlotOf(to));
            if (steps[s] >= 0 || IsSolidCode(codes[s])) continue;
            steps[s] = int16_t(steps[size_t(slot)] + 1);
            queue[tail++] = int32_t(s);
        }
    }
    return steps;
}

std::bitset<TileCount> ReachableCells(const LevelCodes& codes) {
    const CellDistances steps = StepsFromStart(codes);
    std::bitset<TileCount> reached;
    for (size_t slot = 0; slot < steps.size(); ++slot) reached.set(slot, steps[slot] >= 0);
    return reached;
}
