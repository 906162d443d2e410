#include "board/BoardMouse.h"

#include "board/DiagramBoard.h"

namespace vorlix {

namespace {

constexpr int kWhitePawn = 6, kBlackPawn = 12;
constexpr int kWhiteQueen = 2, kBlackQueen = 8;

}  // namespace

void TBoardMouse::MouseDown(Qt::MouseButton button, Qt::KeyboardModifiers modifiers, QPoint pos) {
    QPoint square;
    if (!board_.SquareAt(pos.x(), pos.y(), square)) return;
    const TSquareInfo& info = board_.Square(square.x(), square.y());
    if (button == Qt::LeftButton && (modifiers & Qt::ControlModifier)) {
        board_.ToggleSelection(square);
        board_.RedrawSquare(square);
        return;
    }
    if (button == Qt::LeftButton) {
        if (board_.OnLeftClick)
            board_.OnLeftClick(board_, square, info.Selected, info.Highlighted, info.Merged, info.Piece, pos.x(),
                               pos.y());
        // The click handler may have changed the square: read it afresh.
        const TSquareInfo& now = board_.Square(square.x(), square.y());
        if (board_.Move() && now.Piece > 0) {
            source_ = now;
            sourceSquare_ = square;
            copy_ = modifiers & Qt::ShiftModifier;
            state_ = TState::Pending;
        }
        return;
    }
    if (button == Qt::RightButton && board_.OnRightClick)
        board_.OnRightClick(board_, square, info.Selected, info.Highlighted, info.Merged, info.Piece, pos.x(), pos.y());
}

void TBoardMouse::StartDrag() {
    if (state_ != TState::Pending) return;
    state_ = TState::Dragging;
    if (!copy_) {
        board_.ClearPiece(sourceSquare_);
        board_.RedrawSquare(sourceSquare_);
    }
}

void TBoardMouse::ForgetDrag() {
    if (state_ == TState::Pending) state_ = TState::Idle;
}

void TBoardMouse::PutBack() {
    if (copy_) return;
    board_.SetPiece(sourceSquare_.x(), sourceSquare_.y(), source_.Piece);
    board_.RedrawSquare(sourceSquare_);
}

bool TBoardMouse::AskPromotion(QPoint target, int& piece) {
    const bool white = piece == kWhitePawn && target.y() == 7;
    const bool black = piece == kBlackPawn && target.y() == 0;
    if ((!white && !black) || !board_.OnPromotion) return true;
    int promPiece = white ? kWhiteQueen : kBlackQueen;
    bool cancel = false;
    board_.OnPromotion(board_, promPiece, cancel);
    // An answer that is no square code would lose the pawn: treat it as a cancel.
    if (cancel || promPiece < 1 || promPiece > kMaxSquareCode) return false;
    piece = promPiece;
    return true;
}

void TBoardMouse::Place(QPoint target, int code) {
    board_.SetPiece(target.x(), target.y(), code);
    board_.RedrawSquare(target);
    if (board_.OnMove) board_.OnMove(board_, sourceSquare_, target, source_.Piece);
}

void TBoardMouse::Drop(QPoint pos) {
    if (state_ != TState::Dragging) return;
    state_ = TState::Idle;
    QPoint target;
    if (!board_.SquareAt(pos.x(), pos.y(), target)) {
        PutBack();
        return;
    }
    int code = source_.Piece;
    if (!AskPromotion(target, code)) {
        PutBack();
        return;
    }
    Place(target, code);
}

void TBoardMouse::CancelDrag() {
    if (state_ != TState::Dragging) {
        ForgetDrag();
        return;
    }
    state_ = TState::Idle;
    if (!copy_) board_.SetPiece(sourceSquare_.x(), sourceSquare_.y(), source_.Piece);
    board_.Refresh();
}

}  // namespace vorlix
