#pragma once
// Writes an image as a complete, uncompressed BMP file in memory.
#include <QImage>
#include <cstdint>
#include <vector>

namespace vorlix {

// 24 bits per pixel from any image; 1, 4 or 8 bits from an indexed image whose
// colour table fits that depth (std::invalid_argument otherwise). Rows are
// stored bottom-up with a 40-byte information header.
std::vector<uint8_t> EncodeBmp(const QImage& image, int bitsPerPixel = 24);

}  // namespace vorlix
