#include "model/grid_position.h"
#include "model/grid_size.h"

#include <gtest/gtest.h>

using namespace tesselo;

// The model's moves and the solver's slides move the same pieces the same
// way, whatever form the model's amount takes.
TEST(GridPosition, ModelMovesAndSolverSlidesAgree)
{
    for (const Level& level : kLevels) {
        const GridSize size = level.size;
        TileGrid grid;
        grid.Resize(size.rows, size.columns);
        grid.Shuffle(77);
        for (const Move& move : {Move{MoveAxis::Row, 1, 1}, Move{MoveAxis::Row, 0, -1}, Move{MoveAxis::Column, 2, -1},
                                 Move{MoveAxis::Column, 0, -5}, Move{MoveAxis::Row, 1, size.columns + 1}}) {
            auto position = PositionOf(grid);
            ASSERT_TRUE(position);
            const auto slide = SlideOf(move, grid);
            ASSERT_TRUE(slide);
            ASSERT_TRUE(position->Allows(*slide));
            TileGrid moved = grid;
            ASSERT_TRUE(moved.Apply(move));
            position->Apply(*slide);
            EXPECT_EQ(PositionOf(moved), position);
            TileGrid back = grid;
            back.Apply(MoveOf(*slide));
            EXPECT_TRUE(back.SameCells(moved));
        }
        EXPECT_FALSE(SlideOf(Move{MoveAxis::Row, 0, size.columns}, grid));
        EXPECT_FALSE(SlideOf(Move{MoveAxis::Column, size.columns, 1}, grid));
        EXPECT_FALSE(SlideOf(Move{MoveAxis::Row, -1, 1}, grid));
    }
    TileGrid broken;
    broken.Resize(2, 3);
    broken.cells[0] = broken.cells[1];
    EXPECT_FALSE(PositionOf(broken));
}
