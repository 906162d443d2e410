#pragma once
#include <QImage>

namespace vorlix {

// Pixels that differ from their right or lower neighbour: a picture scaled up
// by repeating pixels has none at odd places.
inline int EdgesAtOddPlaces(const QImage& image) {
    const QImage rgb = image.convertToFormat(QImage::Format_RGB32);
    int edges = 0;
    for (int y = 1; y + 1 < rgb.height(); y += 2)
        for (int x = 1; x + 1 < rgb.width(); x += 2)
            if (rgb.pixel(x, y) != rgb.pixel(x + 1, y) || rgb.pixel(x, y) != rgb.pixel(x, y + 1)) ++edges;
    return edges;
}

}  // namespace vorlix
