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
// System colours (resolved through ResolveSystemColor).
constexpr TColor clAppWorkSpace = 0x8000000C;
constexpr TColor clHighlight = 0x8000000D;
constexpr TColor clHighlightText = 0x8000000E;
constexpr TColor clBtnFace = 0x8000000F;
constexpr TColor clBtnShadow = 0x80000010;
constexpr TColor clBtnHighlight = 0x80000014;
constexpr TColor cl3DDkShadow = 0x80000015;
constexpr TColor cl3DLight = 0x80000016;

// Resolves system colours through the classic Windows scheme so renderings do
// not depend on the desktop theme.
TColor ResolveSystemColor(TColor color);

// Opaque Qt pixel value (0xFFRRGGBB) of a Windows colour.
QRgb ColorToRgb(TColor color);
inline QColor ColorToQColor(TColor color) { return QColor(ColorToRgb(color)); }
// Windows colour of a Qt pixel value; alpha is dropped.
TColor RgbToColor(QRgb rgb);

}  // namespace vorlix
