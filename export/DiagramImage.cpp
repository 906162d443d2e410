#include "export/DiagramImage.h"

#include <QPainter>

#include "board/Colors.h"
#include "export/DiagramLayout.h"

namespace vorlix {
namespace {

QImage Scaled(const QImage& image, int scaleIndex) {
    if (scaleIndex == kNoScaleIndex || scaleIndex < 0 || scaleIndex >= kImageScaleCount) return image;
    // A null result is an allocation that failed: never the unscaled image in its place.
    return ScaleImageSmoothly(image, ScaledSize(image.size(), ImageScaleFactor(scaleIndex)));
}

}  // namespace

QImage RenderDiagramImage(TDiagram& diagram, int scaleIndex) {
    QImage canvas;
    return RenderDiagramImage(diagram, scaleIndex, canvas);
}

QImage RenderDiagramImage(TDiagram& diagram, int scaleIndex, QImage& canvas) {
    TDiagramBoard& board = diagram.Board;
    const TDiagramLayout layout = LayOutDiagram(diagram);
    if (!layout.Head.Enabled && !layout.Foot.Enabled) {
        // The image is the board's own bitmap: share it rather than copy it.
        board.UnselectAll();
        board.Render();
        return Scaled(board.DiagramBitmap(), scaleIndex);
    }
    // Painted again when it has the size and nobody holds it any more: a run
    // then does not map, fault in and unmap fresh memory for each diagram.
    if (canvas.size() != layout.Image() || canvas.format() != kDiagramFormat || !canvas.isDetached())
        canvas = QImage(layout.Image(), kDiagramFormat);
    if (canvas.isNull()) return {};
    QImage& image = canvas;
    const QColor back = ColorToQColor(board.CoordenateBackColor());
    image.fill(back);
    {
        QPainter painter(&image);
        PaintHeaderFooter(painter, layout, back);
    }
    board.UnselectAll();
    board.DrawDiagramOn(image, 0, layout.BoardTop());
    return Scaled(image, scaleIndex);
}

TTransparencyRule TransparencyRuleOf(const TDiagram& diagram) {
    const TDiagramBoard& board = diagram.Board;
    const TCoordenateOrientation sides = board.CoordenateBandSides();
    TTransparencyRule rule;
    rule.HeaderEnabled = diagram.Header.Enabled;
    rule.FooterEnabled = diagram.Footer.Enabled;
    rule.North = sides & North;
    rule.West = sides & West;
    rule.East = sides & East;
    rule.South = sides & South;
    rule.BackColor = ColorToRgb(board.CoordenateBackColor());
    return rule;
}

}  // namespace vorlix
