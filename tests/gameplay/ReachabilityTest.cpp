#include <gtest/gtest.h>

#include <string>

#include "gameplay/Reachability.hpp"

namespace {

// Nine rows of fourteen: '#' a wall, 'S' the start, '9' an unknown code (open), '.' floor;
// gives the open cells out of reach, drawn as 'x' over the same rows.
std::string Unreached(const char* const (&rows)[GridRows]) {
    LevelCodes codes{};
    for (int32_t slot = 0; slot < TileCount; ++slot) {
        const char c = rows[slot / GridColumns][slot % GridColumns];
        codes[size_t(slot)] = c == '#' ? 1 : c == 'S' ? 7 : c == '9' ? 9 : 0;
    }
    const auto reached = ReachableCells(codes);
    std::string drawn;
    for (int32_t slot = 0; slot < TileCount; ++slot) {
        const char c = rows[slot / GridColumns][slot % GridColumns];
        drawn += c != '#' && !reached.test(size_t(slot)) ? 'x' : c;
        if (slot % GridColumns == GridColumns - 1) drawn += '\n';
    }
    return drawn;
}

}  // namespace

TEST(Reachability, WalledPocketsAndCornersStayOutAndTheLastStartCounts) {
    // A pocket, a cell reached only across a corner (no step goes diagonally: a diagonal slide
    // is a step across or down), an unknown code that is open, and a second start behind walls
    // that loses to the start of the higher slot.
    EXPECT_EQ(Unreached({"S#............",
                         "##...###......",
                         "#....#.#.....#",
                         ".#...###...#9#",
                         "#.........#.#.",
                         "...........#..",
                         "..............",
                         "..............",
                         ".............S"}),
              "x#............\n"
              "##...###......\n"
              "#....#x#.....#\n"
              "x#...###...#9#\n"
              "#.........#x#.\n"
              "...........#..\n"
              "..............\n"
              "..............\n"
              ".............S\n");
    LevelCodes noStart{};
    EXPECT_TRUE(ReachableCells(noStart).none());
}
