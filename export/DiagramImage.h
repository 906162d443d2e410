#pragma once
// The one picture of the diagram that every output uses: the board's diagram
// with the header line above it and the footer line below it, at the image scale.
#include <QImage>

#include "board/Diagram.h"
#include "export/ImageExport.h"
#include "imaging/ImageScaling.h"

namespace vorlix {

// Renders the board (clearing its selection first, so no selection mark
// reaches the picture) and composes header and footer around it; scaleIndex
// 0..7 resizes by the image scale table (4 = 100 %). The image is
// QImage::Format_RGB32. The caller plays the camera sound if it wants one.
QImage RenderDiagramImage(TDiagram& diagram, int scaleIndex = kNoScaleIndex);
// The same, composed on canvas, which a caller that makes one diagram after
// another keeps: it is painted again when it has the size and the image
// returned before is no longer held, and replaced otherwise.
QImage RenderDiagramImage(TDiagram& diagram, int scaleIndex, QImage& canvas);

// The transparent-corner rule of a GIF made from this diagram.
TTransparencyRule TransparencyRuleOf(const TDiagram& diagram);

}  // namespace vorlix
