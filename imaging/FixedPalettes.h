#pragma once
// The fixed palettes of 4- and 8-bit bitmaps.
#include <QColor>
#include <vector>

namespace vorlix {

// The standard 16-colour palette (index 13 magenta).
const std::vector<QRgb>& Standard16Palette();

// The 256-colour halftone palette: the 20 static system colours around a
// 6 x 6 x 6 colour cube and 20 extra grey levels.
const std::vector<QRgb>& Halftone256Palette();

}  // namespace vorlix
