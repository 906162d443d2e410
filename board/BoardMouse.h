#pragma once
// The board's own mouse handling: Ctrl+click selection, clicks reported to the
// owner, and dragging a piece (moving it, or copying it with Shift) with the
// promotion question for a pawn dropped on its last rank. The control forwards
// its mouse events here and shows the drag image; every change of a square is
// redrawn alone through the board's RedrawSquare.
#include <QPoint>
#include <Qt>

#include "board/SquareInfo.h"

namespace vorlix {

class TDiagramBoard;

class TBoardMouse {
public:
    explicit TBoardMouse(TDiagramBoard& board) : board_(board) {}

    // A button went down at a point in control pixels (the owner's mouse-down
    // event has already run).
    void MouseDown(Qt::MouseButton button, Qt::KeyboardModifiers modifiers, QPoint pos);

    // A drag was prepared by the last left click and waits for the mouse to move.
    bool DragPending() const { return state_ == TState::Pending; }
    bool Dragging() const { return state_ == TState::Dragging; }
    bool Copying() const { return copy_; }
    int DraggedCode() const { return source_.Piece; }
    QPoint SourceSquare() const { return sourceSquare_; }

    // The first drag-over: lifts the piece off its square unless copying.
    void StartDrag();
    // The button came up without the mouse having moved far enough.
    void ForgetDrag();
    // Drops the dragged piece at a point in control pixels.
    void Drop(QPoint pos);
    // The drag ended anywhere else: the piece goes back unless copying.
    void CancelDrag();

private:
    enum class TState { Idle, Pending, Dragging };

    void PutBack();
    bool AskPromotion(QPoint target, int& piece);
    void Place(QPoint target, int code);

    TDiagramBoard& board_;
    TState state_ = TState::Idle;
    TSquareInfo source_;
    QPoint sourceSquare_{-1, -1};
    bool copy_ = false;
};

}  // namespace vorlix
