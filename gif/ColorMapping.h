#pragma once
// Turns a 24-bit image into a palette image: plain nearest-colour matching,
// the black-and-white threshold, and Floyd-Steinberg error diffusion.
#include <QImage>
#include <vector>

#include "gif/IndexedImage.h"

namespace vorlix {

// Every pixel takes its nearest palette colour; no dithering.
TIndexedImage MapToPalette(const QImage& image, const std::vector<QRgb>& palette);

// Palette {black, white}; a pixel is white when it is nearer to white than to black.
TIndexedImage MapToMonochrome(const QImage& image);

// Nearest palette colour with Floyd-Steinberg error diffusion, in serpentine order.
TIndexedImage DitherToPalette(const QImage& image, const std::vector<QRgb>& palette);

}  // namespace vorlix
