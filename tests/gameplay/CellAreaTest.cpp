#include <gtest/gtest.h>

#include <string>

#include "gameplay/CellArea.hpp"

namespace {

// Nine rows of fourteen digits, one code each; gives the rows again with the cells of `cells`
// drawn as '*'.
using Rows = const char* const (&)[GridRows];

LevelCodes Codes(Rows rows) {
    LevelCodes codes{};
    for (int32_t slot = 0; slot < TileCount; ++slot) codes[size_t(slot)] = rows[slot / GridColumns][slot % GridColumns] - '0';
    return codes;
}

std::string Drawn(Rows rows, const CellSet& cells) {
    std::string drawn;
    for (int32_t slot = 0; slot < TileCount; ++slot) {
        drawn += cells.test(size_t(slot)) ? '*' : rows[slot / GridColumns][slot % GridColumns];
        if (slot % GridColumns == GridColumns - 1) drawn += '\n';
    }
    return drawn;
}

}  // namespace

TEST(CellArea, AFillTakesTheClickedCodeAcrossSidesOnlyAndStopsAtAnyOtherCode) {
    const char* const rows[GridRows] = {"11000000000000",  //
                                        "10100000000000",  // (2, 1) touches the 1s by a corner only
                                        "11000022222000",  //
                                        "00000020002000",  // a 0 inside a ring of 2s is another region
                                        "00000022222000",  //
                                        "00000000000000", "00000000000000", "00000000000000", "00000000000001"};
    EXPECT_EQ(Drawn(rows, FillRegion(Codes(rows), {0, 0})),
              "**000000000000\n"
              "*0100000000000\n"
              "**000022222000\n"
              "00000020002000\n"
              "00000022222000\n"
              "00000000000000\n00000000000000\n00000000000000\n00000000000001\n");
    EXPECT_EQ(FillRegion(Codes(rows), {8, 3}).count(), 3u);  // the pocket inside the ring
    EXPECT_EQ(FillRegion(Codes(rows), {13, 8}).count(), 1u);
    EXPECT_TRUE(FillRegion(Codes(rows), {14, 0}).none());   // off the grid
}

TEST(CellArea, ARectangleTakesBothCornersInEitherOrderAndOnlyItsCellsOnTheGrid) {
    EXPECT_EQ(RectCells({5, 4}, {2, 2}), RectCells({2, 4}, {5, 2}));
    EXPECT_EQ(RectCells({5, 4}, {2, 2}).count(), 12u);
    const CellSet edge = RectCells({12, 7}, {20, 30});  // dragged off the bottom right
    EXPECT_EQ(edge.count(), 4u);
    const CellBox box = BoxOf(edge);
    EXPECT_EQ(box.first, (GridCell{12, 7}));
    EXPECT_EQ(std::make_pair(box.columns, box.rows), std::make_pair(2, 2));
    LevelCodes codes{};
    codes[size_t(SlotOf({13, 8}))] = 6;
    const CellBlock block = CutBlock(codes, box);
    EXPECT_EQ(block.codes[3], 6);  // row by row: the bottom-right of the block
    EXPECT_EQ(BoxOf({}).columns, 0);
}
