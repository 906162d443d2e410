#include "board/ui/BoardControl.h"

#include <QApplication>
#include <QMouseEvent>
#include <QPainter>
#include <QTimer>

#include "board/ChessBoard.h"
#include "board/DiagramPainter.h"
#include "board/VectorPieces.h"
#include "board/ui/DragImage.h"

namespace vorlix {

TBoardControl::TBoardControl(TkxChessBrd& board, QWidget* parent)
    : QWidget(parent), FBoard(board), FMouse(board) {
    setAttribute(Qt::WA_OpaquePaintEvent);
    setMouseTracking(true);
    setFixedSize(FBoard.Width(), FBoard.Height());
    FBoard.OnInvalidate = [this](TkxChessBrd&) { ScheduleRender(); };
    FBoard.OnSquareRedrawn = [this](TkxChessBrd&, QRect rect) {
        FSharpValid = false;
        update(rect);
    };
    FDragImage = new TDragImage(this);
    ScheduleRender();
}

TBoardControl::~TBoardControl() {
    FBoard.OnInvalidate = nullptr;
    FBoard.OnSquareRedrawn = nullptr;
}

void TBoardControl::ScheduleRender() {
    // Many changes in a row render once, when the event loop next runs.
    if (FRenderPending) return;
    FRenderPending = true;
    QTimer::singleShot(0, this, [this] {
        if (FRenderPending) RenderNow();
    });
}

void TBoardControl::RenderNow() {
    FRenderPending = false;
    if (!FBoard.Paint()) return;
    FSharpValid = false;
    const QSize size = FBoard.DiagramBitmap().size();
    if (size != this->size()) {
        setFixedSize(size);
        emit BoardResized(size);
    }
    update();
}

const QImage& TBoardControl::ShownDiagram() {
    const qreal ratio = devicePixelRatioF();
    if (ratio <= 1 || FBoard.DiagramBitmap().isNull()) return FBoard.DiagramBitmap();
    if (!FSharpValid || FSharpDiagram.devicePixelRatio() != ratio) {
        FSharpDiagram = RenderDiagramForScreen(FBoard, ratio);
        FSharpValid = true;
    }
    return FSharpDiagram;
}

void TBoardControl::paintEvent(QPaintEvent* event) {
    QPainter p(this);
    const QImage& diagram = ShownDiagram();
    if (diagram.isNull()) {
        p.fillRect(event->rect(), palette().window());
        return;
    }
    if (diagram.devicePixelRatio() == 1) p.drawImage(event->rect(), diagram, event->rect());
    else p.drawImage(QPoint(0, 0), diagram);  // clipped to the exposed region
    if (!FFrame.isNull()) p.drawImage(FFrameTopLeft, FFrame);
}

// ---- Mouse and dragging ---------------------------------------------------------

void TBoardControl::mousePressEvent(QMouseEvent* event) {
    emit MousePressed(event);
    if (FMouse.Dragging()) return;
    FPressPos = event->position().toPoint();
    FMouse.MouseDown(event->button(), event->modifiers(), FPressPos);
}

void TBoardControl::mouseMoveEvent(QMouseEvent* event) {
    emit MouseMoved(event);
    if (event->buttons() & Qt::LeftButton) DragOver(event);
}

void TBoardControl::DragOver(QMouseEvent* event) {
    const QPoint pos = event->position().toPoint();
    if (FMouse.DragPending() && (pos - FPressPos).manhattanLength() >= QApplication::startDragDistance()) {
        FMouse.StartDrag();
        const int half = FBoard.SquareSize() / 2;
        FDragImage->Begin(DraggedPicture(), QPoint(half, half), mapToGlobal(pos));
        grabKeyboard();
    }
    if (FMouse.Dragging()) FDragImage->MoveTo(mapToGlobal(pos));
}

QImage TBoardControl::DraggedPicture() const {
    const qreal ratio = devicePixelRatioF();
    if (ratio <= 1) return FBoard.PieceImage(FMouse.DraggedCode());
    return TVectorPieces::Of(FBoard.PieceStyle()).ScreenImage(FMouse.DraggedCode(), FBoard.SquareSize(), ratio);
}

void TBoardControl::mouseReleaseEvent(QMouseEvent* event) {
    emit MouseReleased(event);
    if (event->button() != Qt::LeftButton) return;
    if (!FMouse.Dragging()) {
        FMouse.ForgetDrag();
        return;
    }
    EndDragImage();
    FMouse.Drop(event->position().toPoint());
}

void TBoardControl::EndDragImage() {
    FDragImage->End();
    releaseKeyboard();
}

void TBoardControl::CancelDrag() {
    if (FMouse.Dragging()) EndDragImage();
    FMouse.CancelDrag();
}

void TBoardControl::keyPressEvent(QKeyEvent* event) {
    if (FMouse.Dragging() && event->key() == Qt::Key_Escape) return CancelDrag();
    QWidget::keyPressEvent(event);
}

void TBoardControl::hideEvent(QHideEvent* event) {
    CancelDrag();
    QWidget::hideEvent(event);
}

// ---- Animation ------------------------------------------------------------------

void TBoardControl::AnimateMove(const TChessMove& Move) {
    vorlix::AnimateMove(FBoard, Move, *this);
    FFrame = QImage();
    RenderNow();
}

void TBoardControl::AnimateTakeBack(const TChessMove& Move, int CapturedPiece) {
    vorlix::AnimateTakeBack(FBoard, Move, CapturedPiece, *this);
    FFrame = QImage();
    RenderNow();
}

void TBoardControl::ShowFrame(const QImage& Frame, QPoint TopLeft) {
    FFrame = Frame;
    FFrameTopLeft = TopLeft;
    repaint(QRect(TopLeft, (QSizeF(Frame.size()) / Frame.devicePixelRatio()).toSize()));
}

}  // namespace vorlix
