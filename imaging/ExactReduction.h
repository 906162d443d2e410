#pragma once
// The palette image of a picture that has few enough colours for a palette
// entry each, as a diagram of flat colours usually has: no colour needs
// dithering, so one pass over runs of equal colour does the whole reduction.
#include <QImage>
#include <optional>

#include "imaging/IndexedImage.h"

namespace vorlix {

// The palette is the one the octree quantiser chooses for such a picture
// (every colour a leaf, in the tree's order), so the result equals dithering
// to it. Nothing when the
// picture has more than maxColors colours.
std::optional<TIndexedImage> ReduceExactly(const QImage& image, int maxColors);

}  // namespace vorlix
