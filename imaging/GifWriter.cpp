#include "imaging/GifWriter.h"

#include "imaging/ColorHistogram.h"
#include "imaging/ColorMapping.h"
#include "imaging/ExactReduction.h"
#include "imaging/GifEncoder.h"
#include "imaging/OctreeQuantizer.h"
#include "imaging/PaletteCompaction.h"

namespace vorlix {
namespace {

TIndexedImage Quantize(const QImage& image, int maxColors) {
    const QImage rgb32 = AsRgb32(image);
    if (std::optional<TIndexedImage> exact = ReduceExactly(rgb32, maxColors)) return std::move(*exact);
    TIndexedImage dithered = DitherToPalette(rgb32, BuildOctreePalette(CountColors(rgb32), maxColors));
    DropUnusedColors(dithered);
    return dithered;
}

int TransparentIndex(const TIndexedImage& image, const std::optional<QPoint>& at) {
    if (!at || at->x() < 0 || at->y() < 0 || at->x() >= image.Width || at->y() >= image.Height) return kNoTransparency;
    return image.At(at->x(), at->y());
}

}  // namespace

TIndexedImage ReduceColors(const QImage& image, TGifColors colors) {
    switch (colors) {
        case TGifColors::Monochrome: break;
        case TGifColors::Colors16: return Quantize(image, 16);
        case TGifColors::Colors256: return Quantize(image, 256);
    }
    TIndexedImage reduced = MapToMonochrome(image);
    DropUnusedColors(reduced);
    return reduced;
}

bool EncodeGifImage(const QImage& image, const TGifOptions& options, std::vector<std::uint8_t>& out,
                    std::string& error) {
    if (image.isNull() || image.width() > 65535 || image.height() > 65535) {
        error = "The image is too large or empty for a GIF file.";
        return false;
    }
    const TIndexedImage reduced = ReduceColors(image, options.Colors);
    return EncodeGif(reduced, TransparentIndex(reduced, options.TransparentAt), options.Coding, out, error);
}

}  // namespace vorlix
