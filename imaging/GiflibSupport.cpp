#include "imaging/GiflibSupport.h"

namespace vorlix {

int AppendToVector(GifFileType* gif, const GifByteType* data, int length) {
    auto* out = static_cast<std::vector<std::uint8_t>*>(gif->UserData);
    out->insert(out->end(), data, data + length);
    return length;
}

TColorMap MakeColorMap(const std::vector<QRgb>& palette) {
    int size = 2;
    while (static_cast<std::size_t>(size) < palette.size()) size *= 2;
    std::vector<GifColorType> colors(static_cast<std::size_t>(size), GifColorType{0, 0, 0});
    for (std::size_t i = 0; i < palette.size(); ++i)
        colors[i] =
            GifColorType{static_cast<GifByteType>(qRed(palette[i])), static_cast<GifByteType>(qGreen(palette[i])),
                         static_cast<GifByteType>(qBlue(palette[i]))};
    return TColorMap(GifMakeMapObject(size, colors.data()));
}

}  // namespace vorlix
