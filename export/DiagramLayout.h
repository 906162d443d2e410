#pragma once
// Where the header line, the board and the footer line sit in a diagram image,
// and how the two text lines are drawn; shared by the bitmap and vector roads.
#include <QColor>
#include <QFont>
#include <QRect>
#include <QSize>
#include <QString>
#include <optional>

#include "board/Diagram.h"

class QPainter;

namespace vorlix {

// One header or footer line as laid out on the image.
struct TTextLine {
    bool Enabled = false;
    QFont Font;
    QColor Color;
    QString Text;
    int Alignment = taLeftJustify;
    int Height = 0;  // of the sample text; 0 when disabled
    int Width = 0;   // of the line's own text
};

struct TDiagramLayout {
    TTextLine Head, Foot;
    QSize Board;       // the board's diagram
    int HeadBand = 0;  // the header's height and gap; 0 without header
    int FootBand = 0;
    QSize Image() const { return QSize(Board.width(), Board.height() + HeadBand + FootBand); }
    int BoardTop() const { return HeadBand; }
};

TDiagramLayout LayOutDiagram(const TDiagram& diagram);

// Draws the enabled lines, each on its band filled with back (none: left clear).
void PaintHeaderFooter(QPainter& painter, const TDiagramLayout& layout, const std::optional<QColor>& back);

}  // namespace vorlix
