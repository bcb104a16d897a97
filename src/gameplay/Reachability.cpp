#include "gameplay/Reachability.hpp"

#include <array>

#include "gameplay/LevelData.hpp"
#include "gameplay/TileKind.hpp"

std::bitset<TileCount> ReachableCells(const LevelCodes& codes) {
    std::bitset<TileCount> reached;
    const std::optional<GridCell> startCell = StartCell(codes);
    if (!startCell) return reached;
    const int32_t start = SlotOf(*startCell);
    // Each cell enters the queue once, so it never needs more than TileCount places.
    std::array<int32_t, TileCount> queue{};
    size_t head = 0, tail = 0;
    queue[tail++] = start;
    reached.set(size_t(start));
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
            if (reached.test(s) || IsSolidCode(codes[s])) continue;
            reached.set(s);
            queue[tail++] = int32_t(s);
        }
    }
    return reached;
}
