#include <gtest/gtest.h>

#include "gameplay/Grid.hpp"

TEST(Grid, EveryCellCentreMapsBackToItsCell) {
    for (int32_t row = 0; row < GridRows; ++row) {
        for (int32_t column = 0; column < GridColumns; ++column) {
            const Vector2 centre = GridToWorld(column, row);
            ASSERT_EQ(WorldToGrid(centre), Vector2(float(column), float(row))) << column << "," << row;
            ASSERT_EQ(PointToCell(centre), (GridCell{column, row}));
            ASSERT_EQ(GridToWorld(Vector2(float(column), float(row))), centre);
        }
    }
    EXPECT_EQ(GridToWorld(0, 0), Vector2(-16.0f, 32.0f));
    EXPECT_EQ(GridToWorld(12, 8), Vector2(752.0f, 544.0f));
}

TEST(Grid, PointsOnTheScreenFallInTheirCell) {
    EXPECT_EQ(PointToCell({0.0f, 0.0f}), (GridCell{0, 0}));
    EXPECT_EQ(PointToCell({799.0f, 575.0f}), (GridCell{13, 8}));
    EXPECT_EQ(PointToCell({-10.0f, 5.0f}), (GridCell{0, 0}));    // column 0 reaches out to x -48
    EXPECT_EQ(PointToCell({15.99f, 63.99f}), (GridCell{0, 0}));  // the cell's far edges are its own
    EXPECT_EQ(PointToCell({16.0f, 64.0f}), (GridCell{1, 1}));
}

TEST(Grid, PointsOffTheGridHaveNoCell) {
    EXPECT_EQ(PointToCell({400.0f, 590.0f}).row, 9);  // the title strip below row 8
    EXPECT_FALSE(CellUnder({400.0f, 590.0f}));
    // Truncation towards zero would fold these into column 0 or row 0.
    EXPECT_EQ(PointToCell({-49.0f, 5.0f}).column, -1);
    EXPECT_FALSE(CellUnder({-49.0f, 5.0f}));
    EXPECT_EQ(PointToCell({100.0f, -0.5f}).row, -1);
    EXPECT_FALSE(CellUnder({100.0f, -0.5f}));
    EXPECT_FALSE(CellUnder({848.0f, 100.0f}));
    EXPECT_FALSE(CellUnder({1e30f, -1e30f}));
    EXPECT_EQ(CellUnder({-48.0f, 575.9f}), (GridCell{0, 8}));
}
