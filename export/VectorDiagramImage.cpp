#include "export/VectorDiagramImage.h"

#include <QPainter>

#include "board/Colors.h"
#include "board/DiagramPainter.h"
#include "export/DiagramLayout.h"

namespace vorlix {

QSize DiagramImageSize(const TDiagramBoard& board, const THeaderFooterInfo& header, const THeaderFooterInfo& footer) {
    return LayOutDiagram(board, header, footer).Image();
}

void PaintDiagramImage(QPainter& painter, const TDiagramBoard& board, const THeaderFooterInfo& header,
                       const THeaderFooterInfo& footer, bool background) {
    const TDiagramLayout layout = LayOutDiagram(board, header, footer);
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
