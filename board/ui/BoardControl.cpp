#include "board/ui/BoardControl.h"

#include <QMouseEvent>
#include <QPainter>
#include <QTimer>

#include "board/ChessBoard.h"

namespace vorlix {

TBoardControl::TBoardControl(TkxChessBrd& board, QWidget* parent) : QWidget(parent), FBoard(board) {
    setAttribute(Qt::WA_OpaquePaintEvent);
    setMouseTracking(true);
    setFixedSize(FBoard.Width(), FBoard.Height());
    FBoard.OnInvalidate = [this](TkxChessBrd&) { ScheduleRender(); };
    FBoard.OnSquareRedrawn = [this](TkxChessBrd&, QRect rect) { update(rect); };
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
    const QSize size = FBoard.DiagramBitmap().size();
    if (size != this->size()) {
        setFixedSize(size);
        emit BoardResized(size);
    }
    update();
}

void TBoardControl::paintEvent(QPaintEvent* event) {
    QPainter p(this);
    const QImage& diagram = FBoard.DiagramBitmap();
    if (diagram.isNull()) {
        p.fillRect(event->rect(), palette().window());
        return;
    }
    p.drawImage(event->rect(), diagram, event->rect());
}

void TBoardControl::mousePressEvent(QMouseEvent* event) { emit MousePressed(event); }
void TBoardControl::mouseMoveEvent(QMouseEvent* event) { emit MouseMoved(event); }
void TBoardControl::mouseReleaseEvent(QMouseEvent* event) { emit MouseReleased(event); }

}  // namespace vorlix
