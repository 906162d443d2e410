#pragma once
// The diagram image (header, board, footer) painted through the vector road
// onto any painter, in 100 % pixels; the painter's transform scales it.
#include <QSize>

#include "board/Diagram.h"

class QPainter;

namespace vorlix {

// The 100 % size, the same as the bitmap road's.
QSize DiagramImageSize(const TDiagram& diagram);

// Without background the margins (coordinate bands, header and footer bands) stay clear.
void PaintDiagramImage(QPainter& painter, const TDiagram& diagram, bool background = true);

}  // namespace vorlix
