#include "board/DiagramPainter.h"

#include <QFontMetrics>
#include <QPainter>
#include <QPainterPathStroker>
#include <algorithm>
#include <cmath>

#include "board/Fonts.h"
#include "board/InsideCoordinates.h"
#include "board/MarkPainter.h"
#include "board/PositionMarks.h"
#include "board/VectorPieces.h"

namespace vorlix {

namespace {

// Square areas meet exactly only when they are filled without antialiasing.
void FillSharp(QPainter& painter, const QRectF& rect, const QColor& color) {
    painter.save();
    painter.setRenderHint(QPainter::Antialiasing, false);
    painter.fillRect(rect, color);
    painter.restore();
}

QRgb AndColors(QRgb a, QRgb b) { return (a & b) | 0xFF000000u; }

// A picture with every pixel ANDed with a colour (a merged highlight on a square image).
QImage AndedWith(const QImage& image, QRgb color) {
    QImage result = image.convertToFormat(QImage::Format_RGB32);
    for (int y = 0; y < result.height(); ++y) {
        auto* row = reinterpret_cast<QRgb*>(result.scanLine(y));
        for (int x = 0; x < result.width(); ++x) row[x] = AndColors(row[x], color);
    }
    return result;
}

// The shading lines of one pattern across a square of side s, as centre lines of one-pixel strokes.
QPainterPath ShadingLines(TShading shading, int s) {
    QPainterPath lines;
    auto line = [&](qreal x0, qreal y0, qreal x1, qreal y1) {
        lines.moveTo(x0, y0);
        lines.lineTo(x1, y1);
    };
    switch (shading) {
        case shHorizontal:
            for (int y = 2; y < s; y += 4) line(0, y + 0.5, s, y + 0.5);
            break;
        case shVertical:
            for (int x = 2; x < s; x += 4) line(x + 0.5, 0, x + 0.5, s);
            break;
        case shDiagonalLR:
            for (int x = 0; x < s; x += 4) line(x, 0, s, s - x);
            for (int y = 4; y < s; y += 4) line(0, y, s - y, s);
            break;
        case shDiagonalRL:
            for (int x = 3; x < s; x += 4) line(x + 1, 0, 0, x + 1);
            for (int y = 4; y < s; y += 4) line(s, y, y, s);
            break;
        case shNone: break;
    }
    return lines;
}

}  // namespace

TDiagramPainter::TDiagramPainter(const TDiagramBoard& board)
    : board_(board), pieces_(board.Pieces()), size_(board.DiagramSize()) {
    // The frame stops where the mover column begins.
    size_.rwidth() -= MoverColumnWidth(board);
    s_ = board.SquareSize();
    g_ = board.GridLineWidth();
    b_ = board.BorderTotal();
    const TCoordenateOrientation sides = board.CoordenateBandSides();
    west_ = (sides & West) ? s_ : 0;
    east_ = (sides & East) ? s_ : 0;
    north_ = (sides & North) ? s_ : 0;
    south_ = (sides & South) ? s_ : 0;
}

void TDiagramPainter::Paint(QPainter& painter, bool background) const {
    painter.save();
    PaintCoordinates(painter, background);
    PaintBorders(painter);
    PaintGrid(painter);
    for (int file = 0; file < 8; ++file)
        for (int rank = 0; rank < 8; ++rank) PaintSquare(painter, file, rank);
    PaintInsideCoordinates(painter);
    PaintArrows(painter, board_);
    PaintPositionMarks(painter, board_, background);
    painter.restore();
}

void TDiagramPainter::PaintCoordinates(QPainter& p, bool background) const {
    const int width = size_.width(), height = size_.height();
    const TCoordenateOrientation sides = board_.CoordenateBandSides();
    if (background) {
        const QColor back = ColorToQColor(board_.CoordenateBackColor());
        if (sides & West) FillSharp(p, QRectF(0, 0, west_, height), back);
        if (sides & East) FillSharp(p, QRectF(width - east_, 0, east_, height), back);
        if (sides & North) FillSharp(p, QRectF(west_, 0, width - west_ - east_, north_), back);
        if (sides & South) FillSharp(p, QRectF(west_, height - south_, width - west_ - east_, south_), back);
    }
    if (!(sides & kAllCoords)) return;

    const QFont font = MakeFont(board_.Font());
    const QFontMetrics metrics(font);
    p.save();
    p.setRenderHint(QPainter::TextAntialiasing, true);
    p.setFont(font);
    p.setPen(ColorToQColor(board_.Font().Color));
    const int s = s_;
    auto label = [&](QRect cell, QString text) {
        const int x = cell.left() + (s - metrics.horizontalAdvance(text)) / 2;
        const int y = cell.top() + (s - metrics.height()) / 2;
        p.setClipRect(cell);
        p.drawText(QPointF(x, y + metrics.ascent()), text);
    };
    const bool whiteUnder = board_.View() == vwWhiteUnder;
    for (int i = 0; i < 8; ++i) {
        const QString digit(QChar(whiteUnder ? '8' - i : '1' + i));
        const int top = b_ + north_ + i * (s + g_);
        if (sides & West) label(QRect(0, top, west_, s), digit);
        if (sides & East) label(QRect(width - east_, top, east_, s), digit);
        const char base = board_.CoordenateInCapitals() ? 'A' : 'a';
        const QString letter(QChar(whiteUnder ? base + i : base + 7 - i));
        const int left = b_ + west_ + i * (s + g_);
        if (sides & North) label(QRect(left, 0, s, north_), letter);
        if (sides & South) label(QRect(left, height - south_, s, south_), letter);
    }
    p.restore();
}

void TDiagramPainter::PaintInsideCoordinates(QPainter& p) const {
    const std::vector<TInsideLabel> labels = InsideCoordinateLabels(board_);
    if (labels.empty()) return;
    p.save();
    p.setRenderHint(QPainter::TextAntialiasing, true);
    p.setFont(InsideCoordinateFont(board_));
    for (const TInsideLabel& label : labels) {
        p.setPen(label.Color);
        p.drawText(label.Box, Qt::AlignLeft | Qt::AlignTop, label.Text);
    }
    p.restore();
}

// Each border is a frame: its top and left edges in the top colour, its right
// and bottom edges in the bottom colour, which also takes the two corners
// where they meet (drawn as the bitmap does, ring by ring).
void TDiagramPainter::PaintBorders(QPainter& p) const {
    qreal l = west_, t = north_, r = size_.width() - east_, b = size_.height() - south_;
    int budget = b_;
    const auto& borders = board_.Border().Items();
    for (auto it = borders.rbegin(); it != borders.rend(); ++it) {
        const int w = std::min(TBorderArray::EffectiveWidth(*it), budget);
        budget -= w;
        if (w <= 0) continue;
        const QColor top = ColorToQColor(it->TopColor), bottom = ColorToQColor(it->BottomColor);
        QPainterPath frame;
        frame.setFillRule(Qt::OddEvenFill);
        frame.addRect(QRectF(l, t, r - l, b - t));
        frame.addRect(QRectF(l + w, t + w, r - l - 2 * w, b - t - 2 * w));
        p.save();
        p.setRenderHint(QPainter::Antialiasing, false);
        p.fillPath(frame, bottom);
        if (top != bottom) {
            // The top-left part, with a one-pixel staircase at the two far corners.
            QPainterPath topLeft;
            for (int i = 0; i < w; ++i) {
                topLeft.addRect(QRectF(l + i, t + i, 1, b - t - 2 * i - 1));
                topLeft.addRect(QRectF(l + i, t + i, r - l - 2 * i - 1, 1));
            }
            topLeft.setFillRule(Qt::WindingFill);
            p.fillPath(topLeft, top);
        }
        p.restore();
        l += w;
        t += w;
        r -= w;
        b -= w;
    }
}

void TDiagramPainter::PaintGrid(QPainter& p) const {
    if (g_ < 1) return;
    const QColor color = ColorToQColor(board_.GridLineColor());
    const int width = size_.width(), height = size_.height();
    for (int i = 1; i <= 7; ++i) {
        const int left = b_ + west_ + i * s_ + (i - 1) * g_;
        FillSharp(p, QRectF(left, b_ + north_, g_, height - 2 * b_ - north_ - south_), color);
        const int top = b_ + north_ + i * s_ + (i - 1) * g_;
        FillSharp(p, QRectF(b_ + west_, top, width - 2 * b_ - west_ - east_, g_), color);
    }
}

void TDiagramPainter::PaintBackground(QPainter& p, const TSquareInfo& square, const QRectF& rect) const {
    const bool light = square.IsLight;
    const QImage& bitmap = light ? board_.LightSquareBitmap() : board_.DarkSquareBitmap();
    const bool autoFit = light ? board_.LightSquareAutoFit() : board_.DarkSquareAutoFit();
    QRgb color = ColorToRgb(light ? board_.LightSquares() : board_.DarkSquares());
    const QRgb highlight = ColorToRgb(square.HighlightColor);
    if (square.Highlighted && !square.Merged) {
        FillSharp(p, rect, QColor(highlight));
        return;
    }
    const bool merged = square.Highlighted && square.Merged;
    if (merged) color = AndColors(color, highlight);
    FillSharp(p, rect, QColor(color));
    if (bitmap.isNull()) return;
    const QImage part =
        autoFit ? bitmap : bitmap.copy(0, 0, std::min(s_, bitmap.width()), std::min(s_, bitmap.height()));
    const QImage tile = merged ? AndedWith(part, highlight) : part;
    const QRectF target = autoFit ? rect : QRectF(rect.topLeft(), QSizeF(part.width(), part.height()));
    p.drawImage(target, tile);
}

// Lines keep a pixel of clearance from the piece, as in the bitmap pictures.
void TDiagramPainter::PaintShading(QPainter& p, const TSquareInfo& square, const QRectF& rect) const {
    const TShading shading = square.IsLight ? board_.LightShading() : board_.DarkShading();
    if (shading == shNone) return;
    const QPointF cell = rect.topLeft() + QPointF((s_ - TVectorPieces::kCell) / 2, (s_ - TVectorPieces::kCell) / 2);
    QPainterPath keepOut;
    const TVectorPicture& picture = pieces_.Picture(square.Piece);
    if (!picture.IsEmpty()) {
        QPainterPathStroker stroker;
        stroker.setWidth(3);
        keepOut = stroker.createStroke(picture.Silhouette).united(picture.Silhouette).translated(cell);
    }
    QPainterPath area;
    area.addRect(rect);
    p.save();
    p.setClipPath(keepOut.isEmpty() ? area : area.subtracted(keepOut), Qt::IntersectClip);
    p.setRenderHint(QPainter::Antialiasing, shading == shDiagonalLR || shading == shDiagonalRL);
    QPen pen(ColorToQColor(square.IsLight ? board_.LightShadingColor() : board_.DarkShadingColor()));
    pen.setWidthF(1);
    pen.setCapStyle(Qt::FlatCap);
    p.setPen(pen);
    p.drawPath(ShadingLines(shading, s_).translated(rect.topLeft()));
    p.restore();
}

void TDiagramPainter::PaintSquare(QPainter& p, int file, int rank) const {
    const TSquareInfo& square = board_.Square(file, rank);
    const QRectF rect(board_.SquareRect(file, rank));
    PaintBackground(p, square, rect);
    if (const auto mark = SquareMarkAt(board_.Marks(), file * 8 + rank)) {
        QColor color = MarkQColor(*mark);
        color.setAlpha(128);
        FillSharp(p, rect, color);
    }
    PaintShading(p, square, rect);
    const int offset = (s_ - TVectorPieces::kCell) / 2;
    pieces_.Draw(p, square.Piece, rect.topLeft() + QPointF(offset, offset));
    if (square.Selected) {
        p.save();
        p.setRenderHint(QPainter::Antialiasing, false);
        QPainterPath frames;
        frames.setFillRule(Qt::OddEvenFill);
        frames.addRect(rect);
        frames.addRect(rect.adjusted(2, 2, -2, -2));
        p.fillPath(frames, Qt::black);
        p.restore();
    }
}

QImage RenderDiagramForScreen(const TDiagramBoard& board, qreal ratio) {
    const QSize size = board.DiagramSize();
    QImage image(int(std::ceil(size.width() * ratio)), int(std::ceil(size.height() * ratio)),
                 QImage::Format_ARGB32_Premultiplied);
    if (image.isNull()) return image;
    image.fill(Qt::white);
    QPainter painter(&image);
    painter.setRenderHints(QPainter::Antialiasing | QPainter::TextAntialiasing | QPainter::SmoothPixmapTransform);
    painter.scale(ratio, ratio);
    TDiagramPainter(board).Paint(painter);
    painter.end();
    image.setDevicePixelRatio(ratio);
    return image;
}

}  // namespace vorlix
