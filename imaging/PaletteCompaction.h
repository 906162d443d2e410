#pragma once
// Drops the palette entries that no pixel uses, keeping the others in order.
#include "imaging/IndexedImage.h"

namespace vorlix {

void DropUnusedColors(TIndexedImage& image);

}  // namespace vorlix
