#include "export/VectorDiagramImage.h"

#include <QPainter>

#include "board/Colors.h"
#include "board/DiagramPainter.h"

namespace vorlix {

QSize DiagramImageSize(const TDiagram& diagram) { return LayOutDiagram(diagram).Image(); }

void PaintDiagramImage(QPainter& painter, const TDiagram& diagram, bool background) {
    PaintDiagramImage(painter, diagram.Board, LayOutDiagram(diagram), background);
}

void PaintDiagramImage(QPainter& painter, const TDiagramBoard& board, const TDiagramLayout& layout, bool background) {
    std::optional<QColor> back;
    if (background) {
        back = ColorToQColor(board.CoordenateBackColor());
        painter.save();
        painter.setRenderHint(QPainter::Antialiasing, false);
        painter.fillRect(QRect(QPoint(0, 0), layout.Image()), *back);
        painter.restore();
    }
    PaintHeaderFooter(painter, layout, back);
    painter.save();
    painter.translate(0, layout.BoardTop());
    TDiagramPainter(board).Paint(painter, background);
    painter.restore();
}

}  // namespace vorlix
