#include "print/PrintedDiagram.h"

#include <QPainter>

namespace vorlix {

TPrintedDiagram RecordPrintedDiagram(QSize size, const std::function<void(QPainter&)>& paint) {
    TPrintedDiagram diagram;
    diagram.Size = size;
    QPainter painter(&diagram.Drawing);
    painter.setRenderHints(QPainter::Antialiasing | QPainter::TextAntialiasing | QPainter::SmoothPixmapTransform);
    paint(painter);
    painter.end();
    return diagram;
}

void DrawPrintedDiagram(QPainter& canvas, const QRect& target, const TPrintedDiagram& diagram) {
    if (diagram.IsNull() || target.isEmpty()) return;
    canvas.save();
    canvas.translate(target.topLeft());
    // The target is the 100 % size times the print factor, rounded up: scaling
    // each side to fill it keeps every edge where the stretched bitmap had it.
    canvas.scale(qreal(target.width()) / diagram.Size.width(), qreal(target.height()) / diagram.Size.height());
    // A picture replays itself enlarged by the device's resolution over the
    // screen's; its pixels are meant here, so that is taken back.
    if (const QPaintDevice* device = canvas.device())
        canvas.scale(qreal(diagram.Drawing.logicalDpiX()) / device->logicalDpiX(),
                     qreal(diagram.Drawing.logicalDpiY()) / device->logicalDpiY());
    canvas.drawPicture(0, 0, diagram.Drawing);
    canvas.restore();
}

}  // namespace vorlix
