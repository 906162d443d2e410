#pragma once
// Turns a 24-bit image into a palette image: plain nearest-colour matching
// and Floyd-Steinberg error diffusion (also to black and white).
#include <QImage>
#include <vector>

#include "imaging/IndexedImage.h"

namespace vorlix {

// Every pixel takes its nearest palette colour; no dithering.
TIndexedImage MapToPalette(const QImage& image, const std::vector<QRgb>& palette);

// Palette {black, white}, with the error diffusion of DitherToPalette: black
// and white stay as they are, greys become a matching density of black dots.
TIndexedImage MapToMonochrome(const QImage& image);

// Nearest palette colour with Floyd-Steinberg error diffusion, in serpentine order.
TIndexedImage DitherToPalette(const QImage& image, const std::vector<QRgb>& palette);

}  // namespace vorlix
