#include <gtest/gtest.h>

#include "board/BoardMouse.h"
#include "board/DiagramBoard.h"

namespace vorlix {
namespace {

class BoardMouseTest : public ::testing::Test {
protected:
    void SetUp() override {
        board.Render();
        board.OnMove = [this](TDiagramBoard&, QPoint from, QPoint to, int piece) {
            moves.push_back({from, to, piece});
        };
        board.OnLeftClick = [this](TDiagramBoard&, QPoint, bool, bool, bool, int, int, int) { ++clicks; };
    }
    QPoint Centre(int file, int rank) const {
        const TRect32& r = board.Square(file, rank).Bounds;
        return {(r.Left + r.Right) / 2, (r.Top + r.Bottom) / 2};
    }
    void Drag(QPoint from, QPoint to) {
        mouse.MouseDown(Qt::LeftButton, {}, Centre(from.x(), from.y()));
        mouse.StartDrag();
        mouse.Drop(Centre(to.x(), to.y()));
    }
    struct TMoveRecord {
        QPoint From, To;
        int Piece;
    };

    TDiagramBoard board;
    TBoardMouse mouse{board};
    std::vector<TMoveRecord> moves;
    int clicks = 0;
};

TEST_F(BoardMouseTest, PawnReachesTheLastRankAsItselfWithoutAPromotionHandler) {
    board.SetPiece(0, 6, 6);
    Drag({0, 6}, {0, 7});
    EXPECT_EQ(board.SquareCode({0, 7}), 6);
    ASSERT_EQ(moves.size(), 1u);
    EXPECT_EQ(moves[0].Piece, 6);
    EXPECT_EQ(clicks, 1);
}

TEST_F(BoardMouseTest, PromotionAnswerThatIsNoPieceKeepsThePawn) {
    board.SetPiece(7, 1, 12);
    board.OnPromotion = [](TDiagramBoard&, int& piece, bool&) { piece = 99; };
    Drag({7, 1}, {7, 0});
    EXPECT_EQ(board.SquareCode({7, 1}), 12);
    EXPECT_EQ(board.SquareCode({7, 0}), 5);
    EXPECT_TRUE(moves.empty());
}

TEST_F(BoardMouseTest, ClickWithoutDragAndCancelledDragChangeNothing) {
    const auto before = board.Codes();
    mouse.MouseDown(Qt::LeftButton, {}, Centre(3, 1));
    EXPECT_TRUE(mouse.DragPending());
    mouse.ForgetDrag();
    mouse.Drop(Centre(3, 3));  // no drag was started
    mouse.MouseDown(Qt::LeftButton, {}, Centre(3, 1));
    mouse.StartDrag();
    EXPECT_EQ(board.SquareCode({3, 1}), 0);
    mouse.CancelDrag();
    EXPECT_EQ(board.Codes(), before);
    EXPECT_TRUE(moves.empty());

    // Empty squares, the middle button and a board with Move off start no drag.
    mouse.MouseDown(Qt::LeftButton, {}, Centre(3, 3));
    EXPECT_FALSE(mouse.DragPending());
    mouse.MouseDown(Qt::MiddleButton, {}, Centre(3, 1));
    EXPECT_FALSE(mouse.DragPending());
    board.SetMove(false);
    mouse.MouseDown(Qt::LeftButton, {}, Centre(3, 1));
    EXPECT_FALSE(mouse.DragPending());
    mouse.MouseDown(Qt::LeftButton, {}, QPoint(-3, -3));
    EXPECT_EQ(clicks, 4);
}

}  // namespace
}  // namespace vorlix
