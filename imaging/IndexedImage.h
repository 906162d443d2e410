#pragma once
// A palette image: one byte per pixel indexing a colour table of at most 256 entries.
#include <QImage>
#include <cstdint>
#include <vector>

namespace vorlix {

struct TIndexedImage {
    int Width = 0;
    int Height = 0;
    std::vector<std::uint8_t> Pixels;  // row by row, Width bytes per row, no padding
    std::vector<QRgb> Palette;

    const std::uint8_t* Row(int y) const { return Pixels.data() + static_cast<std::size_t>(y) * Width; }
    std::uint8_t* Row(int y) { return Pixels.data() + static_cast<std::size_t>(y) * Width; }
    std::uint8_t At(int x, int y) const { return Row(y)[x]; }
};

// The image as 32-bit xRGB, shared without a copy when it already is; the
// colour reducers read its raw scanlines.
QImage AsRgb32(const QImage& image);

// The same pixels as a QImage::Format_Indexed8 with the palette as colour table.
QImage ToQImage(const TIndexedImage& image);

}  // namespace vorlix
