#include "board/Colors.h"

#include <iterator>

namespace vorlix {

namespace {
// The classic "Windows Standard" scheme, indexed by system colour number.
constexpr TColor kSystemColors[] = {
    0xC0C0C0,  // 0 scroll bar
    0x808000,  // 1 background (desktop)
    0x800000,  // 2 active caption
    0x808080,  // 3 inactive caption
    0xC0C0C0,  // 4 menu
    0xFFFFFF,  // 5 window
    0x000000,  // 6 window frame
    0x000000,  // 7 menu text
    0x000000,  // 8 window text
    0xFFFFFF,  // 9 caption text
    0xC0C0C0,  // 10 active border
    0xC0C0C0,  // 11 inactive border
    0x808080,  // 12 application workspace
    0x800000,  // 13 highlight
    0xFFFFFF,  // 14 highlight text
    0xC0C0C0,  // 15 button face
    0x808080,  // 16 button shadow
    0x808080,  // 17 grey text
    0x000000,  // 18 button text
    0xC0C0C0,  // 19 inactive caption text
    0xFFFFFF,  // 20 button highlight
    0x000000,  // 21 3D dark shadow
    0xDFDFDF,  // 22 3D light
    0x000000,  // 23 info text
    0xE1FFFF,  // 24 info background
};
}  // namespace

TColor ResolveSystemColor(TColor color) {
    if ((color & 0xFF000000u) == 0x80000000u) {
        const uint32_t index = color & 0x00FFFFFFu;
        return index < std::size(kSystemColors) ? kSystemColors[index] : clBlack;
    }
    return color & 0x00FFFFFFu;
}

QRgb ColorToRgb(TColor color) {
    const TColor c = ResolveSystemColor(color);
    return qRgb(c & 0xFF, (c >> 8) & 0xFF, (c >> 16) & 0xFF);
}

TColor RgbToColor(QRgb rgb) { return TColor(qRed(rgb)) | (TColor(qGreen(rgb)) << 8) | (TColor(qBlue(rgb)) << 16); }

}  // namespace vorlix
