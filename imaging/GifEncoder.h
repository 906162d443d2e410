#pragma once
// Writes a palette image as a single-frame GIF stream into memory.
#include <cstdint>
#include <string>
#include <vector>

#include "imaging/IndexedImage.h"

namespace vorlix {

constexpr int kNoTransparency = -1;

// How the pixel data is coded: dictionary LZW (what files are saved with), or
// codes for runs of one colour only, which every decoder reads as well but
// which gives larger files, most of all for the dot patterns of two colours.
enum class TGifCoding { RunLength, Lzw };

// transparentIndex >= 0 adds a graphic control extension making that colour
// transparent. Returns false with a message in error when the image cannot be
// a GIF (empty, larger than 65535 pixels a side, no palette, a pixel beyond
// the colour table).
bool EncodeGif(const TIndexedImage& image, int transparentIndex, TGifCoding coding, std::vector<std::uint8_t>& out,
               std::string& error);

}  // namespace vorlix
