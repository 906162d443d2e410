#include <gtest/gtest.h>

#include "board/DiagramBoard.h"
#include "board/DiagramPainter.h"
#include "board/MoveAnimation.h"

namespace vorlix {
namespace {

struct TRecordingHost : TAnimationHost {
    void ShowFrame(const QImage& frame, QPoint topLeft) override {
        Frames.push_back(frame);
        TopLeft = topLeft;
    }
    void Wait(int ms) override { Waits.push_back(ms); }
    void ProcessMessages() override { ++Pumps; }
    std::vector<QImage> Frames;
    std::vector<int> Waits;
    qreal FrameRatio() const override { return Ratio; }
    QPoint TopLeft;
    int Pumps = 0;
    qreal Ratio = 1.0;
};

TChessMove MakeMove(int piece, QPoint from, QPoint to) {
    TChessMove move;
    move.Piece = piece;
    move.FromFile = from.x();
    move.FromRank = from.y();
    move.ToFile = to.x();
    move.ToRank = to.y();
    return move;
}

// The pixels of one square of a frame (frames cover the squares' area).
QImage SquareOfFrame(const TDiagramBoard& board, const QImage& frame, QPoint areaTopLeft, int file, int rank) {
    const TRect32& r = board.Square(file, rank).Bounds;
    return frame.copy(r.Left - areaTopLeft.x(), r.Top - areaTopLeft.y(), board.SquareSize(), board.SquareSize());
}

TEST(AnimationPath, AddsEqualStepsAndRoundsEachWay) {
    // 34 pixels in 6 steps, truncated toward zero.
    const auto truncated = AnimationPath({0, 34}, {0, 0}, 6, TPathRounding::Truncate);
    ASSERT_EQ(truncated.size(), 7u);
    EXPECT_EQ(truncated[1], QPoint(0, 28));
    EXPECT_EQ(truncated[2], QPoint(0, 22));

    // Halves go to the even neighbour when rounding.
    const auto rounded = AnimationPath({0, 0}, {1, 3}, 2, TPathRounding::NearestEven);
    ASSERT_EQ(rounded.size(), 3u);
    EXPECT_EQ(rounded[1], QPoint(0, 2));
    EXPECT_EQ(rounded[2], QPoint(1, 3));

    EXPECT_EQ(AnimationPath({5, 5}, {5, 5}, 0, TPathRounding::Truncate), std::vector<QPoint>{QPoint(5, 5)});
    EXPECT_EQ(AnimationSteps({4, 0}, {6, 0}), 12);
    EXPECT_EQ(AnimationSteps({1, 0}, {2, 7}), 42);
}

TEST(AnimateMove, CastlingMovesTheRookAfterTheKing) {
    TDiagramBoard board;
    board.SetPiece(5, 0, 0);
    board.SetPiece(6, 0, 0);
    board.SetAnimate(true);
    board.SetAnimationSpeed(45);
    TRecordingHost host;
    AnimateMove(board, MakeMove(1, {4, 0}, {6, 0}), host);

    EXPECT_EQ(board.SquareCode({6, 0}), 1);
    EXPECT_EQ(board.SquareCode({5, 0}), 5);
    EXPECT_EQ(board.SquareCode({4, 0}), 0);
    EXPECT_EQ(board.SquareCode({7, 0}), 0);
    // 12 steps for the king, 12 for the rook, frames 0..steps each.
    ASSERT_EQ(host.Frames.size(), 26u);
    EXPECT_EQ(host.Pumps, 26);
    EXPECT_EQ(host.Waits, std::vector<int>(26, 5));

    // The king's first frame shows it on e1 over an emptied square; the rook's
    // first frame shows the king already on g1 and the rook still in its corner.
    board.Render();
    const QImage kingOnE1 = SquareOfFrame(board, host.Frames[0], host.TopLeft, 4, 0);
    const QImage emptyDark = SquareOfFrame(board, host.Frames[0], host.TopLeft, 6, 0);
    EXPECT_NE(kingOnE1, emptyDark);
    EXPECT_EQ(SquareOfFrame(board, host.Frames[13], host.TopLeft, 6, 0),
              board.DiagramBitmap().copy(board.SquareRect(6, 0)));
    EXPECT_EQ(SquareOfFrame(board, host.Frames[13], host.TopLeft, 7, 0),
              SquareOfFrame(board, host.Frames[0], host.TopLeft, 7, 0));
}

TEST(AnimateMove, WithoutAnimationOnlyUpdatesTheBoard) {
    TDiagramBoard board;
    int repaints = 0;
    board.OnInvalidate = [&](TDiagramBoard&) { ++repaints; };
    TRecordingHost host;
    AnimateMove(board, MakeMove(7, {4, 7}, {2, 7}), host);  // black castles long through its own pieces
    EXPECT_TRUE(host.Frames.empty());
    EXPECT_TRUE(host.Waits.empty());
    EXPECT_EQ(board.SquareCode({2, 7}), 7);
    EXPECT_EQ(board.SquareCode({3, 7}), 11);
    EXPECT_EQ(board.SquareCode({0, 7}), 0);
    EXPECT_GE(repaints, 2);
}

TEST(AnimateMove, EnPassantAndPromotion) {
    TDiagramBoard board;
    board.ClearBoard();
    board.SetPiece(4, 4, 6);   // e5
    board.SetPiece(3, 4, 12);  // d5, just double-stepped
    TChessMove ep = MakeMove(6, {4, 4}, {3, 5});
    ep.Capture = ep.EnPassant = true;
    TRecordingHost host;
    AnimateMove(board, ep, host);
    EXPECT_EQ(board.SquareCode({3, 5}), 6);
    EXPECT_EQ(board.SquareCode({3, 4}), 0);
    EXPECT_EQ(board.SquareCode({4, 4}), 0);

    board.SetPiece(1, 1, 12);
    TChessMove promotion = MakeMove(12, {1, 1}, {0, 0});
    promotion.Capture = true;
    promotion.Promotion = 11;
    board.SetPiece(0, 0, 5);
    AnimateMove(board, promotion, host);
    EXPECT_EQ(board.SquareCode({0, 0}), 11);

    // ... and back: the pawn returns, the captured rook reappears.
    AnimateTakeBack(board, promotion, 5, host);
    EXPECT_EQ(board.SquareCode({1, 1}), 12);
    EXPECT_EQ(board.SquareCode({0, 0}), 5);
}

TEST(AnimateTakeBack, EnPassantPawnReturnsBesideTheFromSquare) {
    TDiagramBoard board;
    board.ClearBoard();
    board.SetPiece(3, 5, 6);  // white pawn on d6 after exd6 e.p.
    board.SetAnimate(true);
    board.SetAnimationSpeed(50);
    TChessMove ep = MakeMove(6, {4, 4}, {3, 5});
    ep.Capture = ep.EnPassant = true;
    TRecordingHost host;
    AnimateTakeBack(board, ep, 0, host);
    EXPECT_EQ(board.SquareCode({4, 4}), 6);
    EXPECT_EQ(board.SquareCode({3, 5}), 0);
    EXPECT_EQ(board.SquareCode({3, 4}), 12);
    EXPECT_EQ(host.Frames.size(), 7u);
    EXPECT_TRUE(host.Waits.empty());  // speed 50: no delay

    // A black en-passant capture brings a white pawn back.
    board.ClearBoard();
    board.SetPiece(2, 2, 12);
    TChessMove black = MakeMove(12, {3, 3}, {2, 2});
    black.Capture = black.EnPassant = true;
    AnimateTakeBack(board, black, 0, host);
    EXPECT_EQ(board.SquareCode({3, 3}), 12);
    EXPECT_EQ(board.SquareCode({2, 3}), 6);
}

TEST(AnimateTakeBack, CastlingRookGoesBackToItsCorner) {
    TDiagramBoard board;
    board.ClearBoard();
    board.SetPiece(2, 0, 1);  // after O-O-O
    board.SetPiece(3, 0, 5);
    board.SetAnimate(true);
    board.SetAnimationSpeed(50);
    TRecordingHost host;
    AnimateTakeBack(board, MakeMove(1, {4, 0}, {2, 0}), 0, host);
    EXPECT_EQ(board.SquareCode({4, 0}), 1);
    EXPECT_EQ(board.SquareCode({0, 0}), 5);
    EXPECT_EQ(board.SquareCode({2, 0}), 0);
    EXPECT_EQ(board.SquareCode({3, 0}), 0);
    EXPECT_EQ(host.Frames.size(), 13u + 19u);
}

TEST(AnimateMove, MoveOffTheBoardShowsNoFramesAndChangesNothingOutside) {
    TDiagramBoard board;
    board.SetAnimate(true);
    const auto before = board.Codes();
    TRecordingHost host;
    AnimateMove(board, MakeMove(2, {-1, -1}, {9, 3}), host);
    AnimateTakeBack(board, MakeMove(2, {-1, -1}, {9, 3}), 4, host);
    EXPECT_TRUE(host.Frames.empty());
    EXPECT_EQ(board.Codes(), before);
}

TEST(AnimateMove, FramesForAHighDensityScreenHaveItsResolution) {
    TDiagramBoard board;
    board.SetAnimate(true);
    board.SetAnimationSpeed(45);
    TRecordingHost host;
    host.Ratio = 2.0;
    AnimateMove(board, MakeMove(6, {4, 1}, {4, 3}), host);
    ASSERT_EQ(host.Frames.size(), 13u);
    const QImage& last = host.Frames.back();
    EXPECT_EQ(last.devicePixelRatio(), 2.0);
    const QSize area = (QSizeF(last.size()) / 2).toSize();
    EXPECT_EQ(area, QSize(8 * board.SquareSize() + 7 * board.GridLineWidth(),
                          8 * board.SquareSize() + 7 * board.GridLineWidth()));

    // The last frame shows what the control shows once the move is made, but
    // for the antialiased edges of the piece.
    const QImage after = RenderDiagramForScreen(board, 2.0)
                             .copy(QRect(host.TopLeft * 2, last.size()))
                             .convertToFormat(QImage::Format_RGB32);
    const QImage frame = last.convertToFormat(QImage::Format_RGB32);
    int far = 0;
    for (int y = 0; y < frame.height(); ++y)
        for (int x = 0; x < frame.width(); ++x)
            if (std::abs(qGray(frame.pixel(x, y)) - qGray(after.pixel(x, y))) > 8) ++far;
    EXPECT_EQ(far, 0);
}

}  // namespace
}  // namespace vorlix
