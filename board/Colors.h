#pragma once
// Colours are kept as Windows colour values (0x00BBGGRR, system colours with the
// high byte 0x80) in every model, file and setting; they become Qt colours only here.
#include <QColor>
#include <QRgb>
#include <cstdint>

namespace vorlix {

using TColor = uint32_t;

constexpr TColor clBlack = 0x000000;
constexpr TColor clWhite = 0xFFFFFF;
constexpr TColor clSilver = 0xC0C0C0;
constexpr TColor clRed = 0x0000FF;
constexpr TColor clBlue = 0xFF0000;
constexpr TColor clAqua = 0xFFFF00;
constexpr TColor clFuchsia = 0xFF00FF;
constexpr TColor clBtnFace = 0x8000000F;

// Resolves system colours through the classic Windows scheme so renderings do
// not depend on the desktop theme.
TColor ResolveSystemColor(TColor color);

// Opaque Qt pixel value (0xFFRRGGBB) of a Windows colour.
QRgb ColorToRgb(TColor color);
inline QColor ColorToQColor(TColor color) { return QColor(ColorToRgb(color)); }
// Windows colour of a Qt pixel value; alpha is dropped.
TColor RgbToColor(QRgb rgb);

}  // namespace vorlix
