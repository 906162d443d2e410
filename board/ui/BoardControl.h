#pragma once
// The widget that shows a diagram board: it renders the board when the board
// asks for a repaint, shows its diagram bitmap and always takes its size.
// Mouse events are passed on as signals for the editing layer above, then to
// the board's own mouse handling (selection, clicks, dragging pieces); the
// control also shows the frames of move animations. On a screen with a device
// pixel ratio above 1 the diagram is drawn through the vector road at the
// screen's resolution; sizes, positions and hit tests stay in logical pixels.
#include <QImage>
#include <QWidget>

#include "board/BoardMouse.h"
#include "board/MoveAnimation.h"
#include "files/BoardMarks.h"

namespace vorlix {

class TDragImage;
class TDiagramBoard;

class TBoardControl : public QWidget, private TEventLoopAnimationHost {
    Q_OBJECT
public:
    TBoardControl(TDiagramBoard& board, QWidget* parent = nullptr);
    ~TBoardControl() override;

    TDiagramBoard& Board() { return board_; }
    // Renders at once (unless the board's update lock is set) and takes the new size.
    void RenderNow();

    // Moves for the game viewer, animated when the board's Animate is on.
    void AnimateMove(const TChessMove& Move);
    void AnimateTakeBack(const TChessMove& Move, int CapturedPiece);

    bool Dragging() const { return mouse_.Dragging(); }

    // Drawing marks: Alt with the left button (or the middle button alone, for
    // desktops that keep Alt+drag for moving windows), dragged for an arrow,
    // clicked for a square. The right button stays the pop-up menu's. Colour by
    // Shift and Ctrl: none green, Shift red, Ctrl yellow, both blue.
    static bool IsMarkGesture(Qt::MouseButton button, Qt::KeyboardModifiers modifiers);
    static TMarkColor MarkColorOf(Qt::KeyboardModifiers modifiers);

    // The picture on show: the board's bitmap at a device pixel ratio of 1,
    // else the diagram at the screen's resolution.
    const QImage& ShownDiagram();

signals:
    void BoardResized(QSize size);
    void MousePressed(QMouseEvent* event);
    void MouseMoved(QMouseEvent* event);
    void MouseReleased(QMouseEvent* event);
    // A mark gesture ended: squares as indexes file * 8 + rank; from == to for a square.
    void MarkDrawn(int from, int to, TMarkColor color);

protected:
    void paintEvent(QPaintEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void hideEvent(QHideEvent* event) override;

private:
    void ScheduleRender();
    void DragOver(QMouseEvent* event);
    void EndDragImage();
    void CancelDrag();
    void ShowFrame(const QImage& Frame, QPoint TopLeft) override;
    qreal FrameRatio() const override { return devicePixelRatioF(); }
    QImage DraggedPicture() const;

    TDiagramBoard& board_;
    TBoardMouse mouse_;
    TDragImage* dragImage_ = nullptr;
    QPoint pressPos_;
    int markFrom_ = -1;  // the square a mark gesture started on
    Qt::MouseButton markButton_ = Qt::NoButton;
    TMarkColor markColor_ = TMarkColor::Green;  // by the keys held when the button went down
    bool renderPending_ = false;
    QImage frame_;  // the animation frame on show, over the diagram
    QPoint frameTopLeft_;
    QImage sharpDiagram_;  // the diagram at the screen's resolution, when the ratio is above 1
    bool sharpValid_ = false;
};

}  // namespace vorlix
