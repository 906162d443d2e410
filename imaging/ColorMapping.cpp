#include "imaging/ColorMapping.h"

#include <algorithm>
#include <cstdint>

#include "imaging/NearestColor.h"

namespace vorlix {
namespace {

TIndexedImage EmptyIndexed(const QImage& image, const std::vector<QRgb>& palette) {
    TIndexedImage out;
    out.Width = image.width();
    out.Height = image.height();
    out.Pixels.assign(static_cast<std::size_t>(out.Width) * out.Height, 0);
    out.Palette = palette;
    return out;
}

const QRgb* RgbRow(const QImage& rgb32, int y) { return reinterpret_cast<const QRgb*>(rgb32.constScanLine(y)); }

inline int Clamp255(int v) { return v < 0 ? 0 : (v > 255 ? 255 : v); }

// Error of one colour channel triple, in sixteenths of a level.
struct TError {
    int R = 0, G = 0, B = 0;
};

// One row of diffusion: the current row's errors and the next row's, with
// one spare cell on each side so that the edges need no tests.
class TErrorRows {
public:
    explicit TErrorRows(int width) : Current(width + 2), Next(width + 2) {}
    TError& Here(int x) { return Current[x + 1]; }
    TError& Below(int x) { return Next[x + 1]; }
    void Advance() {
        Current.swap(Next);
        std::fill(Next.begin(), Next.end(), TError{});
    }

private:
    std::vector<TError> Current, Next;
};

void Spread(TError& cell, int weight, int er, int eg, int eb) {
    cell.R += er * weight;
    cell.G += eg * weight;
    cell.B += eb * weight;
}

}  // namespace

TIndexedImage MapToPalette(const QImage& image, const std::vector<QRgb>& palette) {
    const QImage src = AsRgb32(image);
    TIndexedImage out = EmptyIndexed(src, palette);
    TNearestColor nearest(palette);
    for (int y = 0; y < out.Height; ++y) {
        const QRgb* in = RgbRow(src, y);
        std::uint8_t* dst = out.Row(y);
        QRgb last = ~in[0];
        std::uint8_t lastIndex = 0;
        for (int x = 0; x < out.Width; ++x) {
            if (in[x] != last) {
                last = in[x];
                lastIndex = static_cast<std::uint8_t>(nearest.IndexOf(qRed(last), qGreen(last), qBlue(last)));
            }
            dst[x] = lastIndex;
        }
    }
    return out;
}

TIndexedImage MapToMonochrome(const QImage& image) {
    // A threshold would turn the grey squares of a diagram white; diffusing
    // the error keeps every shade visible as a density of black dots.
    return DitherToPalette(image, {qRgb(0, 0, 0), qRgb(255, 255, 255)});
}

TIndexedImage DitherToPalette(const QImage& image, const std::vector<QRgb>& palette) {
    const QImage src = AsRgb32(image);
    TIndexedImage out = EmptyIndexed(src, palette);
    if (palette.empty() || out.Width == 0) return out;
    TNearestColor nearest(palette);
    std::vector<int> palR(palette.size()), palG(palette.size()), palB(palette.size());
    for (std::size_t i = 0; i < palette.size(); ++i) {
        palR[i] = qRed(palette[i]);
        palG[i] = qGreen(palette[i]);
        palB[i] = qBlue(palette[i]);
    }
    TErrorRows errors(out.Width);
    for (int y = 0; y < out.Height; ++y) {
        const QRgb* in = RgbRow(src, y);
        std::uint8_t* dst = out.Row(y);
        // Alternate the direction row by row so the error does not drift one way.
        const bool leftToRight = (y % 2) == 0;
        const int step = leftToRight ? 1 : -1;
        int x = leftToRight ? 0 : out.Width - 1;
        // The last pixel that matched its palette colour exactly with no error
        // to carry: the runs of flat colour in a diagram then cost one compare.
        QRgb exactColor = ~in[x];
        int exactIndex = 0;
        for (int n = 0; n < out.Width; ++n, x += step) {
            const TError& e = errors.Here(x);
            if (in[x] == exactColor && (e.R | e.G | e.B) == 0) {
                dst[x] = static_cast<std::uint8_t>(exactIndex);
                continue;
            }
            const int r = Clamp255(qRed(in[x]) + ((e.R + 8) >> 4));
            const int g = Clamp255(qGreen(in[x]) + ((e.G + 8) >> 4));
            const int b = Clamp255(qBlue(in[x]) + ((e.B + 8) >> 4));
            const int index = nearest.IndexOf(r, g, b);
            dst[x] = static_cast<std::uint8_t>(index);
            const int er = r - palR[index], eg = g - palG[index], eb = b - palB[index];
            if ((er | eg | eb) == 0) {
                if ((e.R | e.G | e.B) == 0) {
                    exactColor = in[x];
                    exactIndex = index;
                }
                continue;
            }
            Spread(errors.Here(x + step), 7, er, eg, eb);
            Spread(errors.Below(x - step), 3, er, eg, eb);
            Spread(errors.Below(x), 5, er, eg, eb);
            Spread(errors.Below(x + step), 1, er, eg, eb);
        }
        errors.Advance();
    }
    return out;
}

}  // namespace vorlix
