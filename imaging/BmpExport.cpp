#include "imaging/BmpExport.h"

#include "imaging/BmpWriter.h"
#include "imaging/ColorMapping.h"
#include "imaging/FixedPalettes.h"

namespace vorlix {
namespace {

QImage ReducedTo(const QImage& image, int bits) {
    switch (bits) {
        case 1: return ToQImage(MapToMonochrome(image));
        case 4: return ToQImage(MapToPalette(image, Standard16Palette()));
        case 8: return ToQImage(MapToPalette(image, Halftone256Palette()));
        default: return AsRgb32(image);
    }
}

}  // namespace

bool EncodeBmpAtDepth(const QImage& image, int bits, std::vector<std::uint8_t>& out, std::string& error) {
    out.clear();
    if (bits != 1 && bits != 4 && bits != 8 && bits != 24) {
        error = "A bitmap image has 1, 4, 8 or 24 bits per pixel.";
        return false;
    }
    const std::uint64_t stride = ((static_cast<std::uint64_t>(image.width()) * bits + 31) / 32) * 4;
    if (image.isNull() || stride * static_cast<std::uint64_t>(image.height()) > 0x7FFF0000u) {
        error = "The image is too large or empty for a bitmap file.";
        return false;
    }
    const QImage reduced = ReducedTo(image, bits);
    if (reduced.isNull()) {
        error = "Not enough memory to convert the image.";
        return false;
    }
    out = EncodeBmp(reduced, bits);
    return true;
}

}  // namespace vorlix
