#pragma once
// The print scale table and where a printed diagram and its preview go.
#include <QRect>
#include <QSize>
#include <QString>
#include <optional>

namespace vorlix {

constexpr int kPrintScaleCount = 12;

// The factor of print scale index 0..11 (100 % to 600 %); 1 outside the table.
float PrintScaleFactor(int index);
// "100 %" .. "600 %".
QString PrintScaleCaption(int index);
std::optional<int> PrintScaleIndexOfPercent(int percent);
// The first index whose factor equals the factor, if any.
std::optional<int> PrintScaleIndexOfFactor(float factor);

// The diagram on the page: 10 printer pixels from the top left, at the factor.
QRect PrintRect(QSize image, float factor);

// The preview shows the page at a fifth of its printer pixels, with a 10-pixel margin.
QSize PreviewPictureSize(QSize page);
QSize PreviewBitmapSize(QSize page);
// Where the diagram is drawn on the preview bitmap.
QRect PreviewDiagramRect(QSize image, float factor);

}  // namespace vorlix
