#pragma once
// What the GIF writers share around giflib: output into memory and colour maps.
#include <gif_lib.h>

#include <QRgb>
#include <cstdint>
#include <memory>
#include <vector>

namespace vorlix {

// giflib output function; UserData is a std::vector<std::uint8_t>.
int AppendToVector(GifFileType* gif, const GifByteType* data, int length);

struct TColorMapDeleter {
    void operator()(ColorMapObject* map) const { GifFreeMapObject(map); }
};
using TColorMap = std::unique_ptr<ColorMapObject, TColorMapDeleter>;

// A colour map of the palette padded to a power of two entries, at least two.
TColorMap MakeColorMap(const std::vector<QRgb>& palette);

}  // namespace vorlix
