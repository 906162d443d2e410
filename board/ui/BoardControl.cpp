#include "board/ui/BoardControl.h"

#include <QApplication>
#include <QMouseEvent>
#include <QPainter>
#include <QTimer>

#include "board/DiagramBoard.h"
#include "board/DiagramPainter.h"
#include "board/VectorPieces.h"
#include "board/ui/DragImage.h"

namespace vorlix {

TBoardControl::TBoardControl(TDiagramBoard& board, QWidget* parent) : QWidget(parent), board_(board), mouse_(board) {
    setAttribute(Qt::WA_OpaquePaintEvent);
    setMouseTracking(true);
    setFixedSize(board_.Width(), board_.Height());
    board_.OnInvalidate = [this](TDiagramBoard&) { ScheduleRender(); };
    board_.OnSquareRedrawn = [this](TDiagramBoard&, QRect rect) {
        sharpValid_ = false;
        update(rect);
    };
    dragImage_ = new TDragImage(this);
    ScheduleRender();
}

TBoardControl::~TBoardControl() {
    board_.OnInvalidate = nullptr;
    board_.OnSquareRedrawn = nullptr;
}

void TBoardControl::ScheduleRender() {
    // Many changes in a row render once, when the event loop next runs.
    if (renderPending_) return;
    renderPending_ = true;
    QTimer::singleShot(0, this, [this] {
        if (renderPending_) RenderNow();
    });
}

void TBoardControl::RenderNow() {
    renderPending_ = false;
    if (!board_.Paint()) return;
    sharpValid_ = false;
    const QSize size = board_.DiagramBitmap().size();
    if (size != this->size()) {
        setFixedSize(size);
        emit BoardResized(size);
    }
    update();
}

const QImage& TBoardControl::ShownDiagram() {
    const qreal ratio = devicePixelRatioF();
    if (ratio <= 1 || board_.DiagramBitmap().isNull()) return board_.DiagramBitmap();
    if (!sharpValid_ || sharpDiagram_.devicePixelRatio() != ratio) {
        sharpDiagram_ = RenderDiagramForScreen(board_, ratio);
        sharpValid_ = true;
    }
    return sharpDiagram_;
}

void TBoardControl::paintEvent(QPaintEvent* event) {
    QPainter p(this);
    const QImage& diagram = ShownDiagram();
    if (diagram.isNull()) {
        p.fillRect(event->rect(), palette().window());
        return;
    }
    if (diagram.devicePixelRatio() == 1)
        p.drawImage(event->rect(), diagram, event->rect());
    else
        p.drawImage(QPoint(0, 0), diagram);  // clipped to the exposed region
    if (!frame_.isNull()) p.drawImage(frameTopLeft_, frame_);
}

// ---- Mouse and dragging ---------------------------------------------------------

bool TBoardControl::IsMarkGesture(Qt::MouseButton button, Qt::KeyboardModifiers modifiers) {
    return (button == Qt::LeftButton && (modifiers & Qt::AltModifier)) || button == Qt::MiddleButton;
}

TMarkColor TBoardControl::MarkColorOf(Qt::KeyboardModifiers modifiers) {
    const bool shift = modifiers & Qt::ShiftModifier, ctrl = modifiers & Qt::ControlModifier;
    if (shift && ctrl) return TMarkColor::Blue;
    if (shift) return TMarkColor::Red;
    if (ctrl) return TMarkColor::Yellow;
    return TMarkColor::Green;
}

void TBoardControl::mousePressEvent(QMouseEvent* event) {
    emit MousePressed(event);
    if (mouse_.Dragging()) return;
    if (markButton_ == Qt::NoButton && IsMarkGesture(event->button(), event->modifiers())) {
        // Not passed on: Ctrl would select and Shift would copy a piece.
        QPoint square;
        const QPoint pos = event->position().toPoint();
        if (board_.SquareAt(pos.x(), pos.y(), square)) {
            markFrom_ = square.x() * 8 + square.y();
            markButton_ = event->button();
            markColor_ = MarkColorOf(event->modifiers());
        }
        return;
    }
    pressPos_ = event->position().toPoint();
    mouse_.MouseDown(event->button(), event->modifiers(), pressPos_);
}

void TBoardControl::mouseMoveEvent(QMouseEvent* event) {
    emit MouseMoved(event);
    if ((event->buttons() & Qt::LeftButton) && markButton_ == Qt::NoButton) DragOver(event);
}

void TBoardControl::DragOver(QMouseEvent* event) {
    const QPoint pos = event->position().toPoint();
    if (mouse_.DragPending() && (pos - pressPos_).manhattanLength() >= QApplication::startDragDistance()) {
        mouse_.StartDrag();
        const int half = board_.SquareSize() / 2;
        dragImage_->Begin(DraggedPicture(), QPoint(half, half), mapToGlobal(pos));
        grabKeyboard();
    }
    if (mouse_.Dragging()) dragImage_->MoveTo(mapToGlobal(pos));
}

QImage TBoardControl::DraggedPicture() const {
    const qreal ratio = devicePixelRatioF();
    if (ratio <= 1) return board_.PieceImage(mouse_.DraggedCode());
    return board_.Pieces().ScreenImage(mouse_.DraggedCode(), board_.SquareSize(), ratio);
}

void TBoardControl::mouseReleaseEvent(QMouseEvent* event) {
    emit MouseReleased(event);
    if (markButton_ != Qt::NoButton && event->button() == markButton_) {
        markButton_ = Qt::NoButton;
        QPoint square;
        const QPoint pos = event->position().toPoint();
        // Released off the board: nothing is drawn.
        if (board_.SquareAt(pos.x(), pos.y(), square))
            emit MarkDrawn(markFrom_, square.x() * 8 + square.y(), markColor_);
        return;
    }
    if (event->button() != Qt::LeftButton) return;
    if (!mouse_.Dragging()) {
        mouse_.ForgetDrag();
        return;
    }
    EndDragImage();
    mouse_.Drop(event->position().toPoint());
}

void TBoardControl::EndDragImage() {
    dragImage_->End();
    releaseKeyboard();
}

void TBoardControl::CancelDrag() {
    if (mouse_.Dragging()) EndDragImage();
    mouse_.CancelDrag();
}

void TBoardControl::keyPressEvent(QKeyEvent* event) {
    if (mouse_.Dragging() && event->key() == Qt::Key_Escape) return CancelDrag();
    QWidget::keyPressEvent(event);
}

void TBoardControl::hideEvent(QHideEvent* event) {
    CancelDrag();
    markButton_ = Qt::NoButton;
    QWidget::hideEvent(event);
}

// ---- Animation ------------------------------------------------------------------

void TBoardControl::AnimateMove(const TChessMove& Move) {
    vorlix::AnimateMove(board_, Move, *this);
    frame_ = QImage();
    RenderNow();
}

void TBoardControl::AnimateTakeBack(const TChessMove& Move, int CapturedPiece) {
    vorlix::AnimateTakeBack(board_, Move, CapturedPiece, *this);
    frame_ = QImage();
    RenderNow();
}

void TBoardControl::ShowFrame(const QImage& Frame, QPoint TopLeft) {
    frame_ = Frame;
    frameTopLeft_ = TopLeft;
    repaint(QRect(TopLeft, (QSizeF(Frame.size()) / Frame.devicePixelRatio()).toSize()));
}

}  // namespace vorlix
