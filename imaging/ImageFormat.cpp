#include "imaging/ImageFormat.h"

namespace vorlix {

std::optional<TImageFormat> ImageFormatOfFileName(const QString& fileName) {
    static const struct {
        const char* Extension;
        TImageFormat Format;
    } kExtensions[] = {{".gif", TImageFormat::Gif}, {".jpg", TImageFormat::Jpeg}, {".jpeg", TImageFormat::Jpeg},
                       {".bmp", TImageFormat::Bmp}, {".png", TImageFormat::Png},  {".svg", TImageFormat::Svg},
                       {".pdf", TImageFormat::Pdf}};
    for (const auto& e : kExtensions)
        if (fileName.endsWith(QLatin1String(e.Extension), Qt::CaseInsensitive)) return e.Format;
    return std::nullopt;
}

}  // namespace vorlix
