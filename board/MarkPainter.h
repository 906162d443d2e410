#pragma once
// How arrows and coloured squares look: the same on the screen, in bitmap
// images and through the vector road.
#include <QColor>
#include <QRgb>
#include <optional>

#include "files/BoardMarks.h"

class QPainter;

namespace vorlix {

class TDiagramBoard;

QColor MarkQColor(TMarkColor color);

// The colour of the last square mark on a square, if any.
std::optional<TMarkColor> SquareMarkAt(const TBoardMarks& marks, int square);
// A square's pixel under a coloured-square mark: half the mark's colour.
QRgb BlendSquareMark(QRgb under, TMarkColor color);

// Draws the board's arrows, in diagram pixels, centre of square to centre of square.
void PaintArrows(QPainter& painter, const TDiagramBoard& board);
// One arrow of the arrows' shape between two squares (file * 8 + rank), in the brush colour given.
void PaintArrow(QPainter& painter, const TDiagramBoard& board, int from, int to, const QColor& color);

}  // namespace vorlix
