#pragma once
// The image scale table, the rounding rule of every scaled size, and the
// plain stretch-draw that scaled images and printouts are made with.
#include <QImage>
#include <QPainter>
#include <QRect>
#include <QSize>
#include <optional>

namespace vorlix {

constexpr int kImageScaleCount = 8;
constexpr int kNoScaleIndex = 4;  // 100 %

// The factor of scale index 0..7 (40, 60, 80, 90, 100, 125, 150, 200 %), as the
// 32-bit value the sizes are computed from; 1 outside the table.
float ImageScaleFactor(int index);
// The index of a percentage of the table, if it is one.
std::optional<int> ImageScaleIndexOfPercent(int percent);

// The smallest integer not less than x for x > 0, else the largest not greater.
long long ScaleCeil(long double x);
// ScaleCeil(size * factor), the product taken in extended precision.
int ScaledLength(int length, float factor);
QSize ScaledSize(QSize size, float factor);

// The image resized for saving and copying: area averaging when it shrinks,
// smooth interpolation when it grows, so thin lines and small text survive.
// Keeps the image's format.
QImage ScaleImageSmoothly(const QImage& image, QSize size);

// Draws all of source into target on the canvas, without smoothing.
void StretchBitmap(QPainter& canvas, const QRect& target, const QImage& source);

}  // namespace vorlix
