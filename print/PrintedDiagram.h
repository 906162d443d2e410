#pragma once
// A diagram as the printer draws it: recorded once as vector drawing (outline
// pieces, text as text) in the pixels of the 100 % diagram image, and replayed
// at any size onto a printer, a PDF page or a preview, so that paper gets the
// printer's resolution instead of a stretched screen bitmap.
#include <QPicture>
#include <QRect>
#include <QSize>
#include <functional>

class QPainter;

namespace vorlix {

struct TPrintedDiagram {
    QSize Size;        // the diagram image at 100 %, header and footer included
    QPicture Drawing;  // in those pixels
    bool IsNull() const { return Size.isEmpty(); }
};

// Records what paint draws onto a diagram of the given size. Any thread may record.
TPrintedDiagram RecordPrintedDiagram(QSize size, const std::function<void(QPainter&)>& paint);

// Draws the diagram so that it fills target, as a stretched bitmap would.
void DrawPrintedDiagram(QPainter& canvas, const QRect& target, const TPrintedDiagram& diagram);

}  // namespace vorlix
