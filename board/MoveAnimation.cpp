#include "board/MoveAnimation.h"

#include <QCoreApplication>
#include <QPainter>
#include <QThread>
#include <algorithm>
#include <cmath>
#include <cstdlib>

#include "board/DiagramBoard.h"
#include "board/DiagramPainter.h"
#include "board/VectorPieces.h"

namespace vorlix {

namespace {

constexpr int kStepsPerSquare = 6;
constexpr int kWhitePawn = 6;
constexpr int kBlackPawn = 12;
constexpr int kRookOffset = 4;  // king code + 4 = rook code of the same colour

struct TTravel {
    QPoint From;
    QPoint To;
    int Code = 0;
};

QPoint FromSquare(const TChessMove& move) { return {move.FromFile, move.FromRank}; }
QPoint ToSquare(const TChessMove& move) { return {move.ToFile, move.ToRank}; }

bool IsCastling(const TChessMove& move) {
    return (move.Piece == 1 || move.Piece == 7) && move.FromRank == move.ToRank &&
           std::abs(move.ToFile - move.FromFile) == 2;
}

TTravel CastlingRook(const TChessMove& move) {
    const int rank = move.FromRank;
    const bool queenSide = move.ToFile < move.FromFile;
    return {QPoint(queenSide ? 0 : 7, rank), QPoint(queenSide ? 3 : 5, rank), move.Piece + kRookOffset};
}

QPoint BoundsTopLeft(const TDiagramBoard& board, QPoint square) {
    const TRect32& r = board.Square(square.x(), square.y()).Bounds;
    return {r.Left, r.Top};
}

// The rectangle covering the 64 square rectangles of the last rendering.
QRect SquaresArea(const TDiagramBoard& board) {
    QRect area;
    for (int file = 0; file < 8; ++file)
        for (int rank = 0; rank < 8; ++rank) {
            const TRect32& r = board.Square(file, rank).Bounds;
            area |= QRect(QPoint(r.Left, r.Top), QPoint(r.Right - 1, r.Bottom - 1));
        }
    return area;
}

// The squares' area of the diagram drawn at a screen's resolution.
QImage SharpBackground(const TDiagramBoard& board, const QRect& area, qreal ratio) {
    const QRectF pixels(QPointF(area.topLeft()) * ratio, QSizeF(area.size()) * ratio);
    QImage background = RenderDiagramForScreen(board, ratio).copy(pixels.toAlignedRect());
    background.setDevicePixelRatio(ratio);
    return background;
}

int Round(double value, TPathRounding rounding) {
    return rounding == TPathRounding::Truncate ? static_cast<int>(value) : static_cast<int>(std::nearbyint(value));
}

// Shows the travel frame by frame over a fresh rendering; the board's squares
// are left as they are.
void ShowTravel(TDiagramBoard& board, const TTravel& travel, TPathRounding rounding, TAnimationHost& host) {
    if (!board.Animate() || !TDiagramBoard::OnBoard(travel.From) || !TDiagramBoard::OnBoard(travel.To)) return;
    board.Render();
    const QRect area = SquaresArea(board).intersected(board.DiagramBitmap().rect());
    if (area.isEmpty()) return;
    // Our own copy: messages that run between frames may re-render the board.
    const qreal ratio = host.FrameRatio();
    const QImage background = ratio > 1 ? SharpBackground(board, area, ratio) : board.DiagramBitmap().copy(area);
    const std::vector<QPoint> path = AnimationPath(BoundsTopLeft(board, travel.From) - area.topLeft(),
                                                   BoundsTopLeft(board, travel.To) - area.topLeft(),
                                                   AnimationSteps(travel.From, travel.To), rounding);
    const QImage picture =
        ratio > 1 ? board.Pieces().ScreenImage(travel.Code, board.SquareSize(), ratio) : board.PieceImage(travel.Code);
    const int delay = board.AnimationDelay();
    QImage scratch = background;
    for (std::size_t frame = 0; frame < path.size(); ++frame) {
        if (delay > 0) host.Wait(delay);
        {
            QPainter painter(&scratch);
            painter.drawImage(path[frame], picture);  // both carry the ratio: logical pixels
        }
        host.ShowFrame(scratch, area.topLeft());
        host.ProcessMessages();
        if (frame + 1 < path.size()) scratch = background;
    }
}

void MovePiece(TDiagramBoard& board, const TTravel& travel, TAnimationHost& host) {
    board.ClearPiece(travel.From);
    ShowTravel(board, travel, TPathRounding::Truncate, host);
    board.SetPiece(travel.To.x(), travel.To.y(), travel.Code);
    board.Refresh();
}

void TakeBackPiece(TDiagramBoard& board, const TTravel& travel, int leftBehind, TAnimationHost& host) {
    board.SetPiece(travel.To.x(), travel.To.y(), leftBehind);
    ShowTravel(board, {travel.To, travel.From, travel.Code}, TPathRounding::NearestEven, host);
    board.SetPiece(travel.From.x(), travel.From.y(), travel.Code);
}

}  // namespace

void TEventLoopAnimationHost::Wait(int Ms) { QThread::msleep(static_cast<unsigned long>(std::max(Ms, 0))); }

void TEventLoopAnimationHost::ProcessMessages() { QCoreApplication::processEvents(); }

int AnimationSteps(QPoint FromSquare, QPoint ToSquare) {
    const QPoint d = ToSquare - FromSquare;
    return kStepsPerSquare * std::max(std::abs(d.x()), std::abs(d.y()));
}

std::vector<QPoint> AnimationPath(QPoint From, QPoint To, int Steps, TPathRounding Rounding) {
    Steps = std::max(Steps, 0);
    const double dx = (Steps > 0 && To.x() != From.x()) ? double(To.x() - From.x()) / Steps : 0.0;
    const double dy = (Steps > 0 && To.y() != From.y()) ? double(To.y() - From.y()) / Steps : 0.0;
    std::vector<QPoint> path;
    path.reserve(std::size_t(Steps) + 1);
    double x = From.x(), y = From.y();
    for (int frame = 0; frame <= Steps; ++frame) {
        path.emplace_back(Round(x, Rounding), Round(y, Rounding));
        x += dx;
        y += dy;
    }
    return path;
}

void AnimateMove(TDiagramBoard& Board, const TChessMove& Move, TAnimationHost& Host) {
    const QPoint from = FromSquare(Move), to = ToSquare(Move);
    Board.ClearPiece(from);
    ShowTravel(Board, {from, to, Move.Piece}, TPathRounding::Truncate, Host);
    if (Move.EnPassant) Board.ClearPiece({Move.ToFile, Move.FromRank});
    Board.SetPiece(to.x(), to.y(), Move.Promotion != 0 ? Move.Promotion : Move.Piece);
    Board.Refresh();
    if (IsCastling(Move)) MovePiece(Board, CastlingRook(Move), Host);
}

void AnimateTakeBack(TDiagramBoard& Board, const TChessMove& Move, int CapturedPiece, TAnimationHost& Host) {
    TakeBackPiece(Board, {FromSquare(Move), ToSquare(Move), Move.Piece}, Move.Capture ? CapturedPiece : 0, Host);
    if (Move.EnPassant) Board.SetPiece(Move.ToFile, Move.FromRank, Move.Piece == kWhitePawn ? kBlackPawn : kWhitePawn);
    Board.Refresh();
    if (IsCastling(Move)) {
        TakeBackPiece(Board, CastlingRook(Move), 0, Host);
        Board.Refresh();
    }
}

}  // namespace vorlix
