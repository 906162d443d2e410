#pragma once
// The image formats the program writes and the options each one takes. GIF,
// JPEG and BMP are the diagram bitmap at the image scale table's size; PNG,
// SVG and PDF are drawn at any size through the vector road.
#include <QString>
#include <optional>

namespace vorlix {

// In the order of the image save dialog's filters (filter index - 1).
enum class TImageFormat { Gif = 0, Jpeg = 1, Bmp = 2, Png = 3, Svg = 4, Pdf = 5 };

// Colour index of the save dialog: GIF 2/16/256 colours, BMP 1/4/8/24 bits per pixel.
enum : int { ciMonochrome = 0, ci16Colors = 1, ci256Colors = 2, ciTrueColor = 3 };

// The format a file name asks for by its extension, in any letter case
// (.gif, .jpg or .jpeg, .bmp, .png, .svg, .pdf); none for any other.
std::optional<TImageFormat> ImageFormatOfFileName(const QString& fileName);

// PNG, SVG and PDF: drawn at any size, without a colour depth.
constexpr bool IsScalableFormat(TImageFormat format) {
    return format == TImageFormat::Png || format == TImageFormat::Svg || format == TImageFormat::Pdf;
}

// What an image file is written with; each option applies to some formats only.
struct TImageOptions {
    TImageFormat Format = TImageFormat::Gif;
    int ColorIndex = ci256Colors;  // GIF and BMP
    bool Transparent = false;      // GIF: the corner's colour; PNG: the margins stay clear
    int Quality = 81;              // JPEG, 1..100
    int ScaleIndex = 4;            // image scale table (4 = 100 %); the size of every format
    // PNG, SVG and PDF: any size against 100 %, in place of the table's.
    std::optional<double> Scale;
    bool SvgTextAsPaths = false;  // SVG: text as glyph outlines
};

}  // namespace vorlix
