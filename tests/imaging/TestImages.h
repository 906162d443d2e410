#pragma once
// Synthetic 24-bit and palette pictures for the image writer tests.
#include <QImage>
#include <cstdint>
#include <random>
#include <set>
#include <vector>

#include "imaging/IndexedImage.h"

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

// A palette image of one colour with `colors` distinct palette entries.
inline TIndexedImage Blank(int width, int height, int colors) {
    TIndexedImage image;
    image.Width = width;
    image.Height = height;
    image.Pixels.assign(static_cast<std::size_t>(width) * height, 0);
    for (int i = 0; i < colors; ++i) image.Palette.push_back(qRgb(i, 255 - i, (i * 37) & 255));
    return image;
}

// Runs of random length and colour, some of them single pixels: both the run
// lookup and the hashed lookup of an LZW string table get work, and large
// images fill a code table several times.
inline TIndexedImage RandomRuns(int width, int height, int colors, int longestRun, unsigned seed) {
    TIndexedImage image = Blank(width, height, colors);
    std::mt19937 random(seed);
    for (std::size_t i = 0; i < image.Pixels.size();) {
        const std::uint8_t color = static_cast<std::uint8_t>(random() % colors);
        const std::size_t run = 1 + random() % longestRun;
        for (std::size_t k = 0; k < run && i < image.Pixels.size(); ++k) image.Pixels[i++] = color;
    }
    return image;
}

}  // namespace vorlix::testimages
