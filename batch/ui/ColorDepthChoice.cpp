#include "batch/ui/ColorDepthChoice.h"

namespace vorlix {

const std::array<QString, 4> kColorDepthTexts = {"2 Colors (Monochrome)", "16 Colors (4 bit)", "256 Colors (8 bit)",
                                                 "True Color (24 bit)"};

TColorDepthList ColorDepthsForFilter(int filterIndex, int colorIndex) {
    TColorDepthList list;
    switch (filterIndex) {
        case fiGIF:
            list.Entries = {kColorDepthTexts[0], kColorDepthTexts[1], kColorDepthTexts[2]};
            list.ColorIndex = colorIndex == 3 ? 0 : colorIndex;
            list.TransparentEnabled = true;
            break;
        case fiJPEG:
            list.Entries = {kColorDepthTexts[3]};
            list.ColorIndex = 0;
            break;
        case fiPNG:
        case fiSVG:
        case fiPDF:
            list.Entries = {kColorDepthTexts[3]};
            list.ColorIndex = colorIndex;
            list.ColorsEnabled = false;
            list.TransparentEnabled = filterIndex == fiPNG;
            list.ShownRow = 0;
            return list;
        default:
            list.Entries = {kColorDepthTexts.begin(), kColorDepthTexts.end()};
            list.ColorIndex = colorIndex;
            break;
    }
    list.ShownRow = (list.ColorIndex >= 0 && list.ColorIndex < list.Entries.size()) ? list.ColorIndex : 0;
    return list;
}

QString ExtensionOfImageFilter(int filterIndex) {
    switch (filterIndex) {
        case fiJPEG: return QStringLiteral(".JPG");
        case fiBMP: return QStringLiteral(".BMP");
        case fiPNG: return QStringLiteral(".PNG");
        case fiSVG: return QStringLiteral(".SVG");
        case fiPDF: return QStringLiteral(".PDF");
        default: return QStringLiteral(".GIF");
    }
}

TImageFormat ImageFormatOfFilter(int filterIndex) {
    return filterIndex >= fiGIF && filterIndex <= fiPDF ? TImageFormat(filterIndex - fiGIF) : TImageFormat::Gif;
}

}  // namespace vorlix
