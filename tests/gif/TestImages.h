#pragma once
// Synthetic 24-bit pictures for the image writer tests.
#include <QImage>
#include <cstdint>
#include <set>
#include <vector>

namespace vorlix::testimages {

// Hue across, brightness down: every pixel a different colour, smooth everywhere.
inline QImage Gradient(int width, int height) {
    QImage image(width, height, QImage::Format_RGB32);
    for (int y = 0; y < height; ++y)
        for (int x = 0; x < width; ++x)
            image.setPixel(x, y, QColor::fromHsv(x * 359 / width, 200, 55 + y * 200 / height).rgb());
    return image;
}

// Vertical stripes of the given colours, each stripe `width / colors` wide.
inline QImage Stripes(int width, int height, const std::vector<QRgb>& colors) {
    QImage image(width, height, QImage::Format_RGB32);
    for (int y = 0; y < height; ++y)
        for (int x = 0; x < width; ++x) image.setPixel(x, y, colors[x * colors.size() / width]);
    return image;
}

// The distinct colours of an image.
inline std::set<QRgb> ColorsOf(const QImage& image) {
    std::set<QRgb> colors;
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x) colors.insert(image.pixel(x, y));
    return colors;
}

inline QImage Decode(const std::vector<std::uint8_t>& bytes) {
    return QImage::fromData(bytes.data(), static_cast<int>(bytes.size()));
}

}  // namespace vorlix::testimages
