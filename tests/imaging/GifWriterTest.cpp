#include <gtest/gtest.h>

#include <set>

#include "imaging/ColorMapping.h"
#include "imaging/GifEncoder.h"
#include "imaging/GifWriter.h"
#include "tests/imaging/TestImages.h"

using namespace vorlix;
using namespace vorlix::testimages;

namespace {

std::vector<std::uint8_t> Gif(const QImage& image, TGifColors colors, std::optional<QPoint> transparentAt = {}) {
    std::vector<std::uint8_t> bytes;
    std::string error;
    EXPECT_TRUE(EncodeGifImage(image, {colors, transparentAt}, bytes, error)) << error;
    return bytes;
}

// The size of the global colour table, from the logical screen descriptor.
int ColorTableSize(const std::vector<std::uint8_t>& bytes) {
    if (bytes.size() < 13 || !(bytes[10] & 0x80)) return 0;
    return 2 << (bytes[10] & 7);
}

std::size_t DistinctColors(const QImage& image) {
    std::set<QRgb> colors;
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x) colors.insert(image.pixel(x, y));
    return colors.size();
}

bool HasGraphicControlExtension(const std::vector<std::uint8_t>& bytes) {
    for (std::size_t i = 0; i + 1 < bytes.size(); ++i)
        if (bytes[i] == 0x21 && bytes[i + 1] == 0xF9) return true;
    return false;
}

// How far, on average over 8 x 8 blocks, the reduced image's local colour is
// from the source's (largest channel difference): what the eye sees of a
// dithered area. Bands show up as large block errors.
double MeanBlockError(const QImage& source, const QImage& reduced) {
    double total = 0;
    int blocks = 0;
    for (int by = 0; by + 8 <= source.height(); by += 8)
        for (int bx = 0; bx + 8 <= source.width(); bx += 8, ++blocks) {
            int difference[3] = {};
            for (int y = by; y < by + 8; ++y)
                for (int x = bx; x < bx + 8; ++x) {
                    const QRgb s = source.pixel(x, y), r = reduced.pixel(x, y);
                    difference[0] += qRed(s) - qRed(r);
                    difference[1] += qGreen(s) - qGreen(r);
                    difference[2] += qBlue(s) - qBlue(r);
                }
            int worst = 0;
            for (int d : difference) worst = std::max(worst, std::abs(d));
            total += worst / 64.0;
        }
    return total / blocks;
}

}  // namespace

// Smooth shading reduced to 16 or 256 colours keeps its local colour:
// dithering hides the palette's steps, where plain mapping to the same palette
// shows bands.
TEST(GifWriter, SmoothShadingKeepsItsLocalColourWithoutBands) {
    QImage greys(256, 64, QImage::Format_RGB32), plane(256, 128, QImage::Format_RGB32);
    for (int y = 0; y < 64; ++y)
        for (int x = 0; x < 256; ++x) greys.setPixel(x, y, qRgb(x, x, x));
    for (int y = 0; y < 128; ++y)
        for (int x = 0; x < 256; ++x) plane.setPixel(x, y, qRgb(x, 2 * y, 160));
    const struct {
        const QImage& Source;
        TGifColors Colors;
    } cases[] = {{greys, TGifColors::Colors16}, {plane, TGifColors::Colors256}};
    for (const auto& c : cases) {
        const QImage decoded = Decode(Gif(c.Source, c.Colors));
        ASSERT_EQ(decoded.size(), c.Source.size());
        const TIndexedImage reduced = ReduceColors(c.Source, c.Colors);
        const QImage banded = ToQImage(MapToPalette(c.Source, reduced.Palette));
        const double dithered = MeanBlockError(c.Source, decoded), plain = MeanBlockError(c.Source, banded);
        EXPECT_LE(dithered, 1.5) << static_cast<int>(c.Colors);
        EXPECT_LT(dithered * 3, plain) << static_cast<int>(c.Colors);
    }
}

// Qt's reader decodes every depth to exactly the pixels our reduction chose.
TEST(GifWriter, DecodesToTheReducedPixelsAtEveryDepth) {
    const QImage source = Gradient(137, 61);  // odd sizes on purpose
    const struct {
        TGifColors Colors;
        int MaxPalette;
    } cases[] = {{TGifColors::Monochrome, 2}, {TGifColors::Colors16, 16}, {TGifColors::Colors256, 256}};
    for (const auto& c : cases) {
        const TIndexedImage reduced = ReduceColors(source, c.Colors);
        ASSERT_LE(reduced.Palette.size(), static_cast<std::size_t>(c.MaxPalette));
        const auto bytes = Gif(source, c.Colors);
        const QImage decoded = Decode(bytes);
        ASSERT_FALSE(decoded.isNull());
        EXPECT_EQ(decoded.size(), source.size());
        EXPECT_EQ(ColorTableSize(bytes), c.MaxPalette);  // the gradient needs them all
        EXPECT_EQ(DistinctColors(decoded), reduced.Palette.size());
        EXPECT_FALSE(decoded.hasAlphaChannel());
        for (int y = 0; y < source.height(); ++y)
            for (int x = 0; x < source.width(); ++x)
                ASSERT_EQ(decoded.pixel(x, y), reduced.Palette[reduced.At(x, y)]) << x << "," << y;
    }
}

TEST(GifWriter, WritesOnlyTheColoursInUse) {
    const QImage twoColours = Stripes(64, 8, {qRgb(10, 200, 30), qRgb(240, 217, 181)});
    for (TGifColors colors : {TGifColors::Colors16, TGifColors::Colors256}) {
        const auto bytes = Gif(twoColours, colors);
        const QImage decoded = Decode(bytes);
        EXPECT_EQ(ColorTableSize(bytes), 2);
        EXPECT_EQ(decoded.pixel(0, 0), qRgb(10, 200, 30));
        EXPECT_EQ(decoded.pixel(63, 7), qRgb(240, 217, 181));
    }
    const QImage white = Stripes(8, 8, {qRgb(255, 255, 255)});
    const auto bytes = Gif(white, TGifColors::Monochrome);
    const QImage decoded = Decode(bytes);
    EXPECT_EQ(ColorTableSize(bytes), 2);  // a GIF table holds at least two entries
    EXPECT_EQ(decoded.pixel(3, 3), qRgb(255, 255, 255));
}

TEST(GifWriter, MakesTheCornerColourTransparent) {
    const QImage image = Stripes(60, 20, {qRgb(255, 255, 255), qRgb(0, 0, 0), qRgb(255, 255, 255)});
    const auto bytes = Gif(image, TGifColors::Colors16, QPoint(59, 19));
    EXPECT_EQ(std::string(bytes.begin(), bytes.begin() + 6), "GIF89a");
    EXPECT_TRUE(HasGraphicControlExtension(bytes));
    const QImage decoded = Decode(bytes).convertToFormat(QImage::Format_ARGB32);
    EXPECT_EQ(qAlpha(decoded.pixel(59, 19)), 0);
    EXPECT_EQ(qAlpha(decoded.pixel(0, 0)), 0);  // the same colour elsewhere too
    EXPECT_EQ(qAlpha(decoded.pixel(30, 10)), 255);
}

TEST(GifWriter, AddsNoTransparencyWithoutAValidCorner) {
    const QImage image = Stripes(10, 10, {qRgb(255, 0, 0), qRgb(0, 0, 0)});
    for (std::optional<QPoint> at :
         {std::optional<QPoint>(), std::optional<QPoint>(QPoint(10, 0)), std::optional<QPoint>(QPoint(-1, 3))}) {
        const auto bytes = Gif(image, TGifColors::Colors256, at);
        EXPECT_FALSE(HasGraphicControlExtension(bytes));
        EXPECT_FALSE(Decode(bytes).hasAlphaChannel());
    }
}

TEST(GifWriter, RefusesImagesAGifCannotHold) {
    std::vector<std::uint8_t> bytes;
    std::string error;
    EXPECT_FALSE(EncodeGifImage(QImage(), {}, bytes, error));
    EXPECT_FALSE(error.empty());
    TIndexedImage noPalette;
    noPalette.Width = noPalette.Height = 2;
    noPalette.Pixels.assign(4, 0);
    error.clear();
    EXPECT_FALSE(EncodeGif(noPalette, kNoTransparency, TGifCoding::RunLength, bytes, error));
    EXPECT_FALSE(error.empty());
    EXPECT_TRUE(bytes.empty());
}
