#include "imaging/ExactPalette.h"

#include "imaging/ExactReduction.h"

namespace vorlix {

std::optional<QImage> ExactIndexedImage(const QImage& image) {
    // Other formats may carry transparency, which a palette image would lose.
    if (image.format() != QImage::Format_RGB32) return std::nullopt;
    const std::optional<TIndexedImage> reduced = ReduceExactly(image, 256);
    if (!reduced) return std::nullopt;
    QImage indexed = ToQImage(*reduced);
    if (indexed.isNull()) return std::nullopt;
    indexed.setDotsPerMeterX(image.dotsPerMeterX());
    indexed.setDotsPerMeterY(image.dotsPerMeterY());
    return indexed;
}

}  // namespace vorlix
