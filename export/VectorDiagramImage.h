#pragma once
// The diagram image (header, board, footer) painted through the vector road
// onto any painter, in 100 % pixels; the painter's transform scales it.
#include <QSize>

#include "board/Diagram.h"
#include "export/DiagramLayout.h"

class QPainter;

namespace vorlix {

// The 100 % size, the same as the bitmap road's.
QSize DiagramImageSize(const TDiagram& diagram);

// Without background the margins (coordinate bands, header and footer bands) stay clear.
void PaintDiagramImage(QPainter& painter, const TDiagram& diagram, bool background = true);
// The same for a caller that already laid the diagram out (LayOutDiagram) to
// size its canvas, so the text lines are measured once per image.
void PaintDiagramImage(QPainter& painter, const TDiagramBoard& board, const TDiagramLayout& layout,
                       bool background = true);

}  // namespace vorlix
