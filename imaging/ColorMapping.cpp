#include "imaging/ColorMapping.h"

#include <algorithm>
#include <cstdint>
#include <cstring>

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

// Whether every pixel has equal red, green and blue.
bool AllGrey(const QImage& rgb32) {
    const int width = rgb32.width(), height = rgb32.height();
    for (int y = 0; y < height; ++y) {
        const QRgb* row = RgbRow(rgb32, y);
        // Two pixels a word: red against green and green against blue of each.
        std::uint64_t differ = 0;
        int x = 0;
        for (; x + 2 <= width; x += 2) {
            std::uint64_t two;
            std::memcpy(&two, row + x, 8);
            differ |= (two ^ (two >> 8)) & 0x0000FFFF0000FFFFull;
        }
        if (x < width) differ |= (row[x] ^ (row[x] >> 8)) & 0xFFFF;
        if (differ != 0) return false;
    }
    return true;
}

// MapToMonochrome of a picture of greys only (diagrams of the usual
// styles): the three channels' errors start equal and stay equal, so one is
// diffused for all three, and white is nearer exactly when the grey is at
// least 128 (3 x 127.5 is the threshold of r + g + b).
void DitherGreysToBlackAndWhite(const QImage& src, TIndexedImage& out) {
    const int width = out.Width;
    std::vector<int> above(static_cast<std::size_t>(width) + 2), below(above.size());
    for (int y = 0; y < out.Height; ++y) {
        const QRgb* in = RgbRow(src, y);
        std::uint8_t* dst = out.Row(y);
        const int step = (y % 2) == 0 ? 1 : -1;
        int x = step > 0 ? 0 : width - 1;
        const int* fromAbove = above.data() + 1;
        int* toBelow = below.data() + 1;
        int carry = 0, behind = 0, under = 0;
        for (int n = 0; n < width; ++n, x += step) {
            const int grey = Clamp255(qBlue(in[x]) + ((fromAbove[x] + carry + 8) >> 4));
            const bool white = grey >= 128;
            dst[x] = white;
            const int err = white ? grey - 255 : grey;
            toBelow[x - step] = behind + 3 * err;
            behind = under + 5 * err;
            under = err;
            carry = 7 * err;
        }
        toBelow[x - step] = behind;
        above.swap(below);
    }
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
    // the error keeps every shade visible as a density of black dots. This is
    // DitherToPalette with {black, white}, pixel for pixel, without the
    // search: white is nearer exactly when r + g + b > 382.5, so there are no
    // ties, and the error is the colour itself or its distance to 255.
    const QImage src = AsRgb32(image);
    TIndexedImage out = EmptyIndexed(src, {qRgb(0, 0, 0), qRgb(255, 255, 255)});
    const int width = out.Width;
    if (width == 0) return out;
    if (AllGrey(src)) {
        DitherGreysToBlackAndWhite(src, out);
        return out;
    }
    // The errors from the row above, by pixel, with a spare cell at each end.
    // Within a row the error carried to the next pixel (7/16) and the three
    // cells below that the last pixels still add to stay in registers, so a
    // pixel waits for no store of the one before.
    std::vector<TError> above(static_cast<std::size_t>(width) + 2), below(above.size());
    for (int y = 0; y < out.Height; ++y) {
        const QRgb* in = RgbRow(src, y);
        std::uint8_t* dst = out.Row(y);
        const bool leftToRight = (y % 2) == 0;
        const int step = leftToRight ? 1 : -1;
        int x = leftToRight ? 0 : width - 1;
        QRgb exactColor = ~in[x];
        std::uint8_t exactIndex = 0;
        const TError* fromAbove = above.data() + 1;
        TError* toBelow = below.data() + 1;
        TError carry, behind, under;  // to x; below x - step and below x (not yet written)
        for (int n = 0; n < width; ++n, x += step) {
            const TError e{fromAbove[x].R + carry.R, fromAbove[x].G + carry.G, fromAbove[x].B + carry.B};
            const QRgb color = in[x];
            const bool noError = (e.R | e.G | e.B) == 0;
            TError err;
            if (color == exactColor && noError) {
                dst[x] = exactIndex;
            } else {
                const int r = Clamp255(qRed(color) + ((e.R + 8) >> 4));
                const int g = Clamp255(qGreen(color) + ((e.G + 8) >> 4));
                const int b = Clamp255(qBlue(color) + ((e.B + 8) >> 4));
                const bool white = r + g + b > 382;
                dst[x] = white;
                const int level = white ? 255 : 0;
                err = {r - level, g - level, b - level};
                if ((err.R | err.G | err.B) == 0 && noError) {
                    exactColor = color;
                    exactIndex = white;
                }
            }
            // Below x - step is complete now: 1/16 from x - 2 step, 5/16 from x - step, 3/16 from x.
            toBelow[x - step] = {behind.R + 3 * err.R, behind.G + 3 * err.G, behind.B + 3 * err.B};
            behind = {under.R + 5 * err.R, under.G + 5 * err.G, under.B + 5 * err.B};
            under = err;
            carry = {7 * err.R, 7 * err.G, 7 * err.B};
        }
        toBelow[x - step] = behind;  // below the row's last pixel; `under` falls off the edge
        above.swap(below);
    }
    return out;
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
