#pragma once
// PNG file bytes written directly with zlib: one fixed row filter and one
// deflate setting per kind of image instead of trying every filter on every
// row, which is where a general-purpose writer spends most of its time.
#include <QByteArray>
#include <QImage>

#include "imaging/IndexedImage.h"

namespace vorlix {

// The row filters, by their number in the file.
enum class TPngFilter { None = 0, Sub = 1, Up = 2, Paeth = 4 };

// How the filtered rows are deflated: zlib's level and strategy.
struct TPngDeflate {
    TPngFilter Filter = TPngFilter::None;
    int Level = 6;
    int Strategy = 0;  // Z_DEFAULT_STRATEGY
};

// The settings used for palette (and grey) images and for 24/32-bit images,
// chosen by measurement on real diagrams (bench_vector_export).
TPngDeflate DefaultPaletteDeflate();
TPngDeflate DefaultTrueColorDeflate();

// An 8-bit palette PNG of exactly the image's colours (with their alpha
// where it is not opaque); when the palette is the grey ramp from black
// (entry i is grey level i), an 8-bit greyscale PNG instead. dotsPerMeter > 0 adds the
// physical pixel size. False for an empty image or palette.
bool EncodePng(const TIndexedImage& image, int dotsPerMeter, QByteArray& out);
bool EncodePng(const TIndexedImage& image, int dotsPerMeter, const TPngDeflate& deflate, QByteArray& out);

// 24-bit RGB from an image without an alpha channel, 32-bit RGBA (not
// premultiplied) from one with it.
bool EncodePng(const QImage& image, int dotsPerMeter, QByteArray& out);
bool EncodePng(const QImage& image, int dotsPerMeter, const TPngDeflate& deflate, QByteArray& out);

}  // namespace vorlix
