#include <gtest/gtest.h>

#include <string>

#include "gameplay/Reachability.hpp"

namespace {

// Nine rows of fourteen: '#' a wall, 'S' the start, '9' an unknown code (open), '.' floor.
LevelCodes Grid(const char* const (&rows)[GridRows]) {
    LevelCodes codes{};
    for (int32_t row = 0; row < GridRows; ++row) {
        for (int32_t column = 0; column < GridColumns; ++column) {
            const char c = rows[row][column];
            codes[size_t(SlotOf({column, row}))] = c == '#' ? 1 : c == 'S' ? 7 : c == '9' ? 9 : 0;
        }
    }
    return codes;
}

// The cells reached, drawn like the grid: 'o' reached, '-' not.
std::string Drawn(const std::bitset<TileCount>& reached) {
    std::string text;
    for (int32_t slot = 0; slot < TileCount; ++slot) {
        text += reached.test(size_t(slot)) ? 'o' : '-';
        if (slot % GridColumns == GridColumns - 1) text += '\n';
    }
    return text;
}

}  // namespace

TEST(Reachability, AWalledPocketAndTheCornersBehindWallsStayOut) {
    const auto reached = ReachableCells(Grid({"##############",
                                              "#S...........#",
                                              "#....###.....#",
                                              "#....#.#.....#",
                                              "#....###...#9#",
                                              "#..........#.#",
                                              "#..........###",
                                              "#............#",
                                              "##############"}));
    EXPECT_EQ(Drawn(reached), "--------------\n"
                              "-oooooooooooo-\n"
                              "-oooo---ooooo-\n"
                              "-oooo---ooooo-\n"
                              "-oooo---ooo-o-\n"
                              "-oooooooooo-o-\n"
                              "-oooooooooo---\n"
                              "-oooooooooooo-\n"
                              "--------------\n");
}

TEST(Reachability, TheLastStartCountsAndWithoutOneNothingIsReached) {
    // Two starts walled apart: the player is put on the one of the higher slot.
    const auto reached = ReachableCells(Grid({"S#............",
                                              "##............",
                                              "..............",
                                              "..............",
                                              "..............",
                                              "..............",
                                              "..............",
                                              "............##",
                                              "............#S"}));
    EXPECT_TRUE(reached.test(size_t(SlotOf({13, 8}))));
    EXPECT_EQ(reached.count(), 1u);
    LevelCodes noStart{};
    EXPECT_TRUE(ReachableCells(noStart).none());
}

TEST(Reachability, ADiagonalSlidesAlongAWallButNeverCutsACorner) {
    // Up and right from S: the wall on the right turns it into a step up. Down and right:
    // both neighbours are walls, so the open cell across the corner stays out of reach.
    const auto reached = ReachableCells(Grid({"..#...........",
                                              ".S#...........",
                                              "##.#..........",
                                              "..#...........",
                                              "..............",
                                              "..............",
                                              "..............",
                                              "..............",
                                              ".............."}));
    EXPECT_EQ(Drawn(reached).substr(0, 4 * 15), "oo------------\n"
                                                "oo------------\n"
                                                "--------------\n"
                                                "--------------\n");
}
