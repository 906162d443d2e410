#include "imaging/ImageScaling.h"

#include <cmath>

namespace vorlix {
namespace {

constexpr float kFactors[kImageScaleCount] = {0.4f, 0.6f, 0.8f, 0.9f, 1.0f, 1.25f, 1.5f, 2.0f};
constexpr int kPercents[kImageScaleCount] = {40, 60, 80, 90, 100, 125, 150, 200};

}  // namespace

float ImageScaleFactor(int index) { return index >= 0 && index < kImageScaleCount ? kFactors[index] : 1.0f; }

std::optional<int> ImageScaleIndexOfPercent(int percent) {
    for (int i = 0; i < kImageScaleCount; ++i)
        if (kPercents[i] == percent) return i;
    return std::nullopt;
}

long long ScaleCeil(long double x) { return static_cast<long long>(x > 0 ? std::ceil(x) : std::floor(x)); }

int ScaledLength(int length, float factor) {
    return static_cast<int>(ScaleCeil(static_cast<long double>(length) * static_cast<long double>(factor)));
}

QSize ScaledSize(QSize size, float factor) {
    return {ScaledLength(size.width(), factor), ScaledLength(size.height(), factor)};
}

QImage ScaleImageSmoothly(const QImage& image, QSize size) {
    if (image.isNull() || size.isEmpty()) return {};
    // Qt's smooth scaling averages every source pixel a target pixel covers
    // when shrinking and interpolates bilinearly when growing.
    return image.scaled(size, Qt::IgnoreAspectRatio, Qt::SmoothTransformation).convertToFormat(image.format());
}

void StretchBitmap(QPainter& canvas, const QRect& target, const QImage& source) {
    canvas.save();
    canvas.setRenderHint(QPainter::SmoothPixmapTransform, false);
    canvas.drawImage(target, source);
    canvas.restore();
}

}  // namespace vorlix
