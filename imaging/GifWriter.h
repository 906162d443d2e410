#pragma once
// The GIF image writer: reduces a 24-bit image to 2, 16 or 256 colours and
// encodes it as a single-frame GIF, optionally with one transparent colour.
#include <QImage>
#include <QPoint>
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "imaging/GifEncoder.h"
#include "imaging/IndexedImage.h"

namespace vorlix {

enum class TGifColors { Monochrome, Colors16, Colors256 };

struct TGifOptions {
    TGifColors Colors = TGifColors::Colors256;
    // The colour of the reduced image's pixel at this point becomes transparent.
    std::optional<QPoint> TransparentAt;
    TGifCoding Coding = TGifCoding::Lzw;
};

// Monochrome: nearest of black and white; 16 and 256: octree palette with
// Floyd-Steinberg dithering. Unused palette entries are dropped.
TIndexedImage ReduceColors(const QImage& image, TGifColors colors);

bool EncodeGifImage(const QImage& image, const TGifOptions& options, std::vector<std::uint8_t>& out,
                    std::string& error);

}  // namespace vorlix
