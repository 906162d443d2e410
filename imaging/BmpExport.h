#pragma once
// A diagram image as an uncompressed Windows BMP of 1, 4, 8 or 24 bits per pixel.
#include <QImage>
#include <cstdint>
#include <string>
#include <vector>

namespace vorlix {

// 1 bit: black and white by nearest colour; 4 bits: the standard 16 colours;
// 8 bits: the halftone palette; 24 bits: the colours as they are. Colours are
// matched plainly, without dithering.
bool EncodeBmpAtDepth(const QImage& image, int bitsPerPixel, std::vector<std::uint8_t>& out, std::string& error);

}  // namespace vorlix
