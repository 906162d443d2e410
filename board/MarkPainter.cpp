#include "board/MarkPainter.h"

#include <QLineF>
#include <QPainter>
#include <QPainterPath>
#include <cmath>

#include "board/DiagramBoard.h"

namespace vorlix {

namespace {

constexpr int kArrowAlpha = 200;

QPointF SquareCentre(const TDiagramBoard& board, int square) {
    return QRectF(board.SquareRect(square / 8, square % 8)).center();
}

// An arrow from one centre to the other: a shaft and a head whose tip reaches the target's centre.
QPainterPath ArrowShape(QPointF from, QPointF to, qreal squareSize) {
    const QLineF line(from, to);
    const qreal length = line.length();
    const qreal shaft = squareSize * 0.18, headWidth = squareSize * 0.5;
    const qreal headLength = std::min(squareSize * 0.45, length * 0.6);
    const qreal start = squareSize * 0.15;
    QPainterPath arrow;
    arrow.moveTo(start, -shaft / 2);
    arrow.lineTo(length - headLength, -shaft / 2);
    arrow.lineTo(length - headLength, -headWidth / 2);
    arrow.lineTo(length, 0);
    arrow.lineTo(length - headLength, headWidth / 2);
    arrow.lineTo(length - headLength, shaft / 2);
    arrow.lineTo(start, shaft / 2);
    arrow.closeSubpath();
    QTransform place;
    place.translate(from.x(), from.y());
    place.rotate(-line.angle());
    return place.map(arrow);
}

}  // namespace

QColor MarkQColor(TMarkColor color) {
    switch (color) {
        case TMarkColor::Red: return QColor(0xD0, 0x20, 0x20);
        case TMarkColor::Green: return QColor(0x15, 0x85, 0x35);
        case TMarkColor::Yellow: return QColor(0xE8, 0xB0, 0x00);
        case TMarkColor::Blue: return QColor(0x20, 0x55, 0xD0);
    }
    return QColor(Qt::black);
}

std::optional<TMarkColor> SquareMarkAt(const TBoardMarks& marks, int square) {
    std::optional<TMarkColor> color;
    for (const TSquareMark& m : marks.Squares)
        if (m.Square == square) color = m.Color;
    return color;
}

QRgb BlendSquareMark(QRgb under, TMarkColor color) {
    const QRgb mark = MarkQColor(color).rgb();
    return qRgb((qRed(under) + qRed(mark)) / 2, (qGreen(under) + qGreen(mark)) / 2, (qBlue(under) + qBlue(mark)) / 2);
}

void PaintArrow(QPainter& painter, const TDiagramBoard& board, int from, int to, const QColor& color) {
    painter.save();
    painter.setRenderHint(QPainter::Antialiasing, true);
    painter.setPen(Qt::NoPen);
    painter.setBrush(color);
    painter.drawPath(ArrowShape(SquareCentre(board, from), SquareCentre(board, to), board.SquareSize()));
    painter.restore();
}

void PaintArrows(QPainter& painter, const TDiagramBoard& board) {
    painter.save();
    painter.setRenderHint(QPainter::Antialiasing, true);
    painter.setPen(Qt::NoPen);
    for (const TArrowMark& arrow : board.Marks().Arrows) {
        QColor color = MarkQColor(arrow.Color);
        color.setAlpha(kArrowAlpha);
        painter.setBrush(color);
        painter.drawPath(
            ArrowShape(SquareCentre(board, arrow.From), SquareCentre(board, arrow.To), board.SquareSize()));
    }
    painter.restore();
}

}  // namespace vorlix
