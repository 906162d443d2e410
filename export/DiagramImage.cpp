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

// The image a diagram with a header or footer is composed on. A run makes one
// after another of the same size: the last one is painted again once its
// caller has let it go, rather than each diagram mapping, faulting in and
// unmapping fresh memory. One still held elsewhere is never touched.
QImage& ComposingImage(QSize size) {
    thread_local QImage last;
    if (last.size() != size || last.format() != kDiagramFormat || !last.isDetached())
        last = QImage(size, kDiagramFormat);
    return last;
}

}  // namespace

QImage RenderDiagramImage(TDiagram& diagram, int scaleIndex) {
    TDiagramBoard& board = diagram.Board;
    const TDiagramLayout layout = LayOutDiagram(diagram);
    if (!layout.Head.Enabled && !layout.Foot.Enabled) {
        // The image is the board's own bitmap: share it rather than copy it.
        board.UnselectAll();
        board.Render();
        return Scaled(board.DiagramBitmap(), scaleIndex);
    }
    QImage& image = ComposingImage(layout.Image());
    if (image.isNull()) return {};
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
