#include "board/BoardMouse.h"

#include "board/ChessBoard.h"

namespace vorlix {

namespace {

constexpr int kWhitePawn = 6, kBlackPawn = 12;
constexpr int kWhiteQueen = 2, kBlackQueen = 8;

}  // namespace

void TBoardMouse::MouseDown(Qt::MouseButton button, Qt::KeyboardModifiers modifiers, QPoint pos) {
    QPoint square;
    if (!FBoard.SquareAt(pos.x(), pos.y(), square)) return;
    const TSquareInfo& info = FBoard.Square(square.x(), square.y());
    if (button == Qt::LeftButton && (modifiers & Qt::ControlModifier)) {
        FBoard.ToggleSelection(square);
        FBoard.RedrawSquare(square);
        return;
    }
    if (button == Qt::LeftButton) {
        if (FBoard.OnLeftClick)
            FBoard.OnLeftClick(FBoard, square, info.Selected, info.Highlighted, info.Merged, info.Piece, pos.x(),
                               pos.y());
        // The click handler may have changed the square: read it afresh.
        const TSquareInfo& now = FBoard.Square(square.x(), square.y());
        if (FBoard.Move() && now.Piece > 0) {
            FSource = now;
            FSourceSquare = square;
            FCopy = modifiers & Qt::ShiftModifier;
            FState = TState::Pending;
        }
        return;
    }
    if (button == Qt::RightButton && FBoard.OnRightClick)
        FBoard.OnRightClick(FBoard, square, info.Selected, info.Highlighted, info.Merged, info.Piece, pos.x(), pos.y());
}

void TBoardMouse::StartDrag() {
    if (FState != TState::Pending) return;
    FState = TState::Dragging;
    if (!FCopy) {
        FBoard.ClearPiece(FSourceSquare);
        FBoard.RedrawSquare(FSourceSquare);
    }
}

void TBoardMouse::ForgetDrag() {
    if (FState == TState::Pending) FState = TState::Idle;
}

void TBoardMouse::PutBack() {
    if (FCopy) return;
    FBoard.SetPiece(FSourceSquare.x(), FSourceSquare.y(), FSource.Piece);
    FBoard.RedrawSquare(FSourceSquare);
}

bool TBoardMouse::AskPromotion(QPoint target, int& piece) {
    const bool white = piece == kWhitePawn && target.y() == 7;
    const bool black = piece == kBlackPawn && target.y() == 0;
    if ((!white && !black) || !FBoard.OnPromotion) return true;
    int promPiece = white ? kWhiteQueen : kBlackQueen;
    bool cancel = false;
    FBoard.OnPromotion(FBoard, promPiece, cancel);
    // An answer that is no square code would lose the pawn: treat it as a cancel.
    if (cancel || promPiece < 1 || promPiece > kMaxSquareCode) return false;
    piece = promPiece;
    return true;
}

void TBoardMouse::Place(QPoint target, int code) {
    FBoard.SetPiece(target.x(), target.y(), code);
    FBoard.RedrawSquare(target);
    if (FBoard.OnMove) FBoard.OnMove(FBoard, FSourceSquare, target, FSource.Piece);
}

void TBoardMouse::Drop(QPoint pos) {
    if (FState != TState::Dragging) return;
    FState = TState::Idle;
    QPoint target;
    if (!FBoard.SquareAt(pos.x(), pos.y(), target)) {
        PutBack();
        return;
    }
    int code = FSource.Piece;
    if (!AskPromotion(target, code)) {
        PutBack();
        return;
    }
    Place(target, code);
}

void TBoardMouse::CancelDrag() {
    if (FState != TState::Dragging) {
        ForgetDrag();
        return;
    }
    FState = TState::Idle;
    if (!FCopy) FBoard.SetPiece(FSourceSquare.x(), FSourceSquare.y(), FSource.Piece);
    FBoard.Refresh();
}

}  // namespace vorlix
