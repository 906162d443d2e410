#pragma once
// Chooses a palette of at most MaxColors colours for an image with an octree:
// every distinct colour becomes a leaf, then the least populated branches of
// the deepest level are folded into their parents until few enough leaves remain.
#include <QColor>
#include <vector>

#include "imaging/ColorHistogram.h"

namespace vorlix {

std::vector<QRgb> BuildOctreePalette(const std::vector<TColorCount>& colors, int maxColors);

}  // namespace vorlix
