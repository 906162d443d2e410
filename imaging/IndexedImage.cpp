#include "imaging/IndexedImage.h"

#include <algorithm>

namespace vorlix {

QImage AsRgb32(const QImage& image) {
    if (image.format() == QImage::Format_RGB32) return image;
    return image.convertToFormat(QImage::Format_RGB32);
}

QImage ToQImage(const TIndexedImage& image) {
    QImage out(image.Width, image.Height, QImage::Format_Indexed8);
    if (out.isNull()) return out;
    out.setColorTable(QList<QRgb>(image.Palette.begin(), image.Palette.end()));
    for (int y = 0; y < image.Height; ++y) std::copy(image.Row(y), image.Row(y) + image.Width, out.scanLine(y));
    return out;
}

}  // namespace vorlix
