#pragma once
// Draws a board's diagram with vector shapes onto any painter: the layers,
// geometry and colours of the bitmap rendering, in diagram pixels, with the
// outline piece sets. The painter's transform may scale it freely, so the same
// road makes sharp raster images at any size, SVG and PDF.
#include <QImage>
#include <QPointF>
#include <QRectF>

#include "board/DiagramBoard.h"

class QPainter;

namespace vorlix {

class TVectorPieces;

class TDiagramPainter {
public:
    explicit TDiagramPainter(const TDiagramBoard& board);

    // The whole diagram with its top-left corner at the painter's origin.
    // Without background the coordinate bands stay unpainted (their labels are
    // still drawn), for pictures with a transparent margin.
    void Paint(QPainter& painter, bool background = true) const;

private:
    void PaintCoordinates(QPainter& painter, bool background) const;
    void PaintInsideCoordinates(QPainter& painter) const;
    void PaintBorders(QPainter& painter) const;
    void PaintGrid(QPainter& painter) const;
    void PaintSquare(QPainter& painter, int file, int rank) const;
    void PaintBackground(QPainter& painter, const TSquareInfo& square, const QRectF& rect) const;
    void PaintShading(QPainter& painter, const TSquareInfo& square, const QRectF& rect) const;

    const TDiagramBoard& board_;
    const TVectorPieces& pieces_;
    QSize size_;
    int s_, g_, b_, west_, east_, north_, south_;
};

// The board's diagram for a screen of the given device pixel ratio: the
// diagram's size times the ratio in pixels, with the ratio set, so that it
// covers exactly the diagram's logical pixels when drawn.
QImage RenderDiagramForScreen(const TDiagramBoard& board, qreal ratio);

}  // namespace vorlix
