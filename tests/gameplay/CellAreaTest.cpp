#include <gtest/gtest.h>

#include "gameplay/CellArea.hpp"

// The fill's region is pinned through the editor (EditToolsTest), the flood under it by
// ReachabilityTest.
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
