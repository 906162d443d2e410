#pragma once
// Coordinates inside the board: the file letters and rank digits drawn in a
// corner of the edge squares, in a colour that stands out from the square.
// The bitmap rendering and the vector painter both take their labels from
// here, so the two pictures agree.
#include <QColor>
#include <QFont>
#include <QRect>
#include <QString>
#include <vector>

namespace vorlix {

class TDiagramBoard;

struct TInsideLabel {
    int File = 0, Rank = 0;  // the square the label sits in
    QString Text;
    QRect Box;  // where the text goes, inside the square's rectangle
    QColor Color;
    QColor SquareColor;  // the colour it stands out from
};

// The label font: the coordinate font's family and style, scaled to the square.
QFont InsideCoordinateFont(const TDiagramBoard& board);
// One label per square on each side in the board's coordinate sides (none
// unless the coordinates are inside).
std::vector<TInsideLabel> InsideCoordinateLabels(const TDiagramBoard& board);
// The colour of the two given ones that is darker or lighter enough against the
// square: the board's other square colour when it contrasts at least 3:1, else
// black or white, whichever contrasts more.
QColor ContrastingColor(const QColor& square, const QColor& otherSquare);
// The contrast ratio of two colours (1 to 21).
double ContrastRatio(const QColor& a, const QColor& b);

}  // namespace vorlix
