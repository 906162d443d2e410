#pragma once
// The diagram image (header, board, footer) painted through the vector road
// onto any painter, in 100 % pixels; the painter's transform scales it.
#include <QSize>

#include "board/DiagramBoard.h"
#include "board/HeaderFooter.h"

class QPainter;

namespace vorlix {

// The 100 % size, the same as the bitmap road's.
QSize DiagramImageSize(const TDiagramBoard& board, const THeaderFooterInfo& header, const THeaderFooterInfo& footer);

// Without background the margins (coordinate bands, header and footer bands) stay clear.
void PaintDiagramImage(QPainter& painter, const TDiagramBoard& board, const THeaderFooterInfo& header,
                       const THeaderFooterInfo& footer, bool background = true);

}  // namespace vorlix
