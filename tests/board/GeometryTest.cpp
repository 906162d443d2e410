#include <gtest/gtest.h>

#include "BoardTestUtil.h"

namespace vorlix {
namespace {

TEST(BoardGeometry, DiagramSizeFollowsSquaresBordersGridAndCoordinates) {
    TDiagramBoard board;
    EXPECT_EQ(board.Width(), 292);
    board.Render();
    EXPECT_EQ(board.DiagramBitmap().size(), QSize(328, 328));
    EXPECT_EQ(board.Width(), 328);
    EXPECT_EQ(board.Height(), 328);

    test::MakeBare(board);
    board.Render();
    EXPECT_EQ(board.DiagramBitmap().size(), QSize(288, 288));
    EXPECT_EQ(test::BoundsOf(board, 0, 7).topLeft(), QPoint(0, 0));

    board.Border().Add({2, clBlack, clBlack});
    board.SetSquareSize(48);
    board.SetGridLineWidth(2);
    board.SetCoordenateOrientation(kAllCoords);
    board.Render();
    EXPECT_EQ(board.DiagramBitmap().size(), QSize(498, 498));
    // a8 sits after the west band and the border; h1 ends before the east band and border.
    EXPECT_EQ(test::BoundsOf(board, 0, 7).topLeft(), QPoint(50, 50));
    EXPECT_EQ(test::BoundsOf(board, 7, 0).bottomRight(), QPoint(447, 447));
}

TEST(BoardGeometry, OnResizeReportsTheChangeOnce) {
    TDiagramBoard board;
    int calls = 0;
    QSize delta;
    board.OnResize = [&](TDiagramBoard&, int, int, int dw, int dh) {
        ++calls;
        delta = QSize(dw, dh);
    };
    board.Render();
    board.Render();
    EXPECT_EQ(calls, 1);
    EXPECT_EQ(delta, QSize(36, 36));
}

TEST(BoardHitTest, GridGapsAreSharedAndBordersBelongToOuterSquares) {
    TDiagramBoard board;
    board.SetCoordenateOrientation(0);
    board.SetGridLineWidth(3);
    board.Render();
    const QRect a1 = test::BoundsOf(board, 0, 0);
    QPoint square;
    ASSERT_TRUE(board.SquareAt(a1.right() + 1, a1.top(), square));
    EXPECT_EQ(square, QPoint(0, 0));
    ASSERT_TRUE(board.SquareAt(a1.right() + 2, a1.top(), square));
    EXPECT_EQ(square, QPoint(0, 0));
    ASSERT_TRUE(board.SquareAt(a1.right() + 3, a1.top(), square));
    EXPECT_EQ(square, QPoint(1, 0));
    // With a grid, the border band belongs to the outer squares.
    ASSERT_TRUE(board.SquareAt(0, board.Height() - 1, square));
    EXPECT_EQ(square, QPoint(0, 0));
    EXPECT_FALSE(board.SquareAt(board.Width(), 0, square));
    EXPECT_EQ(square, QPoint(-1, -1));
}

TEST(BoardHitTest, GapsFollowTheScreenWithBlackUnder) {
    TDiagramBoard board;
    board.SetCoordenateOrientation(North | West);
    board.SetGridLineWidth(3);
    board.SetView(vwBlackUnder);
    board.Render();
    const QRect h1 = test::BoundsOf(board, 7, 0);  // top left on the screen
    QPoint square;
    ASSERT_TRUE(board.SquareAt(h1.right() + 2, h1.top(), square));
    EXPECT_EQ(square, QPoint(7, 0));
    ASSERT_TRUE(board.SquareAt(h1.right() + 3, h1.top(), square));
    EXPECT_EQ(square, QPoint(6, 0));
    ASSERT_TRUE(board.SquareAt(h1.left(), h1.bottom() + 3, square));
    EXPECT_EQ(square, QPoint(7, 1));
    // The border band belongs to the outer squares, the coordinate bands to none.
    ASSERT_TRUE(board.SquareAt(h1.left() - 2, h1.top() - 2, square));
    EXPECT_EQ(square, QPoint(7, 0));
    EXPECT_FALSE(board.SquareAt(h1.left() - 3, h1.top(), square));
    ASSERT_TRUE(board.SquareAt(board.Width() - 1, board.Height() - 1, square));
    EXPECT_EQ(square, QPoint(0, 7));
}

TEST(BoardHitTest, WithoutGridBordersAndBandsAreOnNoSquare) {
    TDiagramBoard board;
    board.Render();
    QPoint square;
    EXPECT_FALSE(board.SquareAt(0, 0, square));  // border
    EXPECT_TRUE(board.SquareAt(2, 2, square));
    EXPECT_EQ(square, QPoint(0, 7));
    EXPECT_FALSE(board.SquareAt(300, 100, square));  // east band
}

TEST(BoardHitTest, BlackUnderPutsH1TopLeft) {
    TDiagramBoard board;
    board.SetView(vwBlackUnder);
    board.Render();
    EXPECT_EQ(test::BoundsOf(board, 7, 0).topLeft(), QPoint(2, 2));
    QPoint square;
    ASSERT_TRUE(board.SquareAt(5, 5, square));
    EXPECT_EQ(square, QPoint(7, 0));
}

}  // namespace
}  // namespace vorlix
