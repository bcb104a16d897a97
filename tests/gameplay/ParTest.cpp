#include <gtest/gtest.h>

#include "gameplay/Par.hpp"
#include "gameplay/TileKind.hpp"

namespace {

// '#' a wall, 'S' the start, 'X' a way out, anything else floor; rows missing are floor.
LevelCodes Codes(std::initializer_list<const char*> rows) {
    LevelCodes codes{};
    int32_t row = 0;
    for (const char* text : rows) {
        for (int32_t column = 0; text[column] != '\0'; ++column) {
            const char c = text[column];
            codes[size_t(SlotOf({column, row}))] = c == '#' ? 1 : c == 'S' ? 7 : c == 'X' ? 8 : 0;
        }
        ++row;
    }
    return codes;
}

}  // namespace

TEST(Par, IsTheFewestStepsToTheNearestWayOutRoundTheWalls) {
    EXPECT_EQ(ParOf(Codes({"S.#.X",
                           "..#..",
                           "....."})),
              (Par{Par::Kind::Moves, 8}));
    // Two ways out: the nearer counts, even behind the farther one's row.
    EXPECT_EQ(ParOf(Codes({"S.#.X", "..#..", "X...."})), (Par{Par::Kind::Moves, 2}));
    // Walled in, or no start at all: out of reach; no way out: nothing to finish.
    EXPECT_EQ(ParOf(Codes({"S.#X#", "...#."})), (Par{Par::Kind::Unreachable, 0}));
    EXPECT_EQ(ParOf(Codes({"..X"})), (Par{Par::Kind::Unreachable, 0}));
    EXPECT_EQ(ParOf(Codes({"S.."})), Par{});
}
