#include <gtest/gtest.h>

#include <random>
#include <set>

#include "imaging/ColorHistogram.h"
#include "imaging/ColorMapping.h"
#include "imaging/NearestColor.h"
#include "imaging/OctreeQuantizer.h"
#include "imaging/PaletteCompaction.h"
#include "tests/imaging/TestImages.h"

using namespace vorlix;
using namespace vorlix::testimages;

namespace {

int Distance(QRgb a, QRgb b) {
    const int dr = qRed(a) - qRed(b), dg = qGreen(a) - qGreen(b), db = qBlue(a) - qBlue(b);
    return dr * dr + dg * dg + db * db;
}

}  // namespace

TEST(NearestColor, AgreesWithAFullSearch) {
    std::mt19937 random(7);
    std::vector<QRgb> palette;
    for (int i = 0; i < 200; ++i) palette.push_back(qRgb(random() % 256, random() % 256, random() % 256));
    TNearestColor nearest(palette);
    for (int i = 0; i < 20000; ++i) {
        const QRgb c = qRgb(random() % 256, random() % 256, random() % 256);
        int best = 0;
        for (std::size_t p = 1; p < palette.size(); ++p)
            if (Distance(palette[p], c) < Distance(palette[best], c)) best = static_cast<int>(p);
        // Ties may pick either entry, but never a farther one.
        ASSERT_EQ(Distance(palette[nearest.IndexOf(qRed(c), qGreen(c), qBlue(c))], c), Distance(palette[best], c));
    }
}

TEST(Histogram, CountsEveryPixelOnce) {
    const QImage image = Stripes(90, 10, {qRgb(1, 2, 3), qRgb(200, 0, 0), qRgb(1, 2, 3)});
    const auto counts = CountColors(image);
    ASSERT_EQ(counts.size(), 2u);
    std::uint32_t total = 0;
    for (const auto& c : counts) total += c.Count;
    EXPECT_EQ(total, 900u);
}

TEST(Octree, KeepsFewColoursExactly) {
    const std::vector<QRgb> colors = {qRgb(0, 0, 0), qRgb(255, 255, 255), qRgb(240, 217, 181), qRgb(181, 136, 99),
                                      qRgb(241, 217, 181)};
    const auto palette = BuildOctreePalette(CountColors(Stripes(100, 4, colors)), 16);
    EXPECT_EQ(std::set<QRgb>(palette.begin(), palette.end()), std::set<QRgb>(colors.begin(), colors.end()));
}

TEST(Octree, ReducesToAtMostTheLimitAndKeepsADominantColour) {
    QImage image = Gradient(256, 128);
    // A large flat area among thousands of nearby colours, like a square among shading.
    const QRgb square = qRgb(240, 217, 181);
    for (int y = 0; y < 128; ++y)
        for (int x = 0; x < 100; ++x) image.setPixel(x, y, square);
    for (int colors : {16, 256}) {
        const auto palette = BuildOctreePalette(CountColors(image), colors);
        EXPECT_LE(palette.size(), static_cast<std::size_t>(colors));
        EXPECT_GE(palette.size(), static_cast<std::size_t>(colors / 2));
        EXPECT_NE(std::find(palette.begin(), palette.end(), square), palette.end()) << colors;
    }
}

TEST(Dithering, ExactPaletteColoursGiveNoNoise) {
    const std::vector<QRgb> colors = {qRgb(10, 20, 30), qRgb(240, 217, 181), qRgb(181, 136, 99)};
    const QImage image = Stripes(99, 20, colors);
    const TIndexedImage out = DitherToPalette(image, colors);
    for (int y = 0; y < 20; ++y)
        for (int x = 0; x < 99; ++x) ASSERT_EQ(out.Palette[out.At(x, y)], image.pixel(x, y)) << x << "," << y;
}

// A smooth ramp reduced to a few colours must keep its local average brightness
// (no bands): every 8 x 8 block averages close to the source.
TEST(Dithering, KeepsLocalAveragesOfASmoothRamp) {
    QImage ramp(256, 64, QImage::Format_RGB32);
    for (int y = 0; y < 64; ++y)
        for (int x = 0; x < 256; ++x) ramp.setPixel(x, y, qRgb(x, x, x));
    const std::vector<QRgb> palette = {qRgb(0, 0, 0), qRgb(85, 85, 85), qRgb(170, 170, 170), qRgb(255, 255, 255)};
    const TIndexedImage dithered = DitherToPalette(ramp, palette);
    const TIndexedImage plain = MapToPalette(ramp, palette);
    auto worstBlockError = [&](const TIndexedImage& image) {
        int worst = 0;
        for (int by = 8; by < 56; by += 8)
            for (int bx = 0; bx < 256; bx += 8) {
                int sum = 0, want = 0;
                for (int y = by; y < by + 8; ++y)
                    for (int x = bx; x < bx + 8; ++x) {
                        sum += qRed(image.Palette[image.At(x, y)]);
                        want += x;
                    }
                worst = std::max(worst, std::abs(sum - want) / 64);
            }
        return worst;
    };
    EXPECT_LE(worstBlockError(dithered), 6);
    EXPECT_GE(worstBlockError(plain), 20);  // what banding looks like
}

TEST(Monochrome, KeepsBlackAndWhiteAndTurnsGreysIntoDotDensities) {
    const QImage image =
        Stripes(40, 40, {qRgb(0, 0, 0), qRgb(255, 255, 255), qRgb(192, 192, 192), qRgb(128, 128, 128)});
    const TIndexedImage out = MapToMonochrome(image);
    ASSERT_EQ(out.Palette, (std::vector<QRgb>{qRgb(0, 0, 0), qRgb(255, 255, 255)}));
    auto whiteShare = [&](int left) {
        int white = 0;
        for (int y = 0; y < 40; ++y)
            for (int x = left + 1; x < left + 9; ++x) white += out.At(x, y);
        return white / 320.0;
    };
    EXPECT_EQ(whiteShare(0), 0.0);
    EXPECT_EQ(whiteShare(10), 1.0);
    EXPECT_NEAR(whiteShare(20), 192 / 255.0, 0.08);  // a silver square stays visibly darker than white
    EXPECT_NEAR(whiteShare(30), 128 / 255.0, 0.08);
}

// The two-colour road is the general diffusion to {black, white}, pixel for
// pixel: near the threshold (r + g + b about 382), with colours whose
// channels clamp, on tiny and odd-sized pictures, on flat fields and on
// pictures of greys only (which take a road of their own).
TEST(Monochrome, IsTheDiffusionToBlackAndWhitePixelForPixel) {
    std::mt19937 random(5);
    QImage noise(131, 77, QImage::Format_RGB32);
    for (int y = 0; y < noise.height(); ++y)
        for (int x = 0; x < noise.width(); ++x) noise.setPixel(x, y, random() & 0xFFFFFF);
    QImage greyNoise(97, 61, QImage::Format_RGB32);
    for (int y = 0; y < greyNoise.height(); ++y)
        for (int x = 0; x < greyNoise.width(); ++x) {
            const int grey = x < 10 ? 120 + static_cast<int>(random() % 16) : static_cast<int>(random() % 256);
            greyNoise.setPixel(x, y, qRgb(grey, grey, grey));
        }
    QImage nearThreshold(64, 50, QImage::Format_RGB32);
    for (int y = 0; y < nearThreshold.height(); ++y)
        for (int x = 0; x < nearThreshold.width(); ++x)
            nearThreshold.setPixel(x, y, qRgb(127 + x % 3, 128 - y % 2, 127 + (x + y) % 2));
    const struct {
        const char* Name;
        QImage Image;
    } cases[] = {
        {"one pixel", Stripes(1, 1, {qRgb(200, 10, 250)})},
        {"one column", Gradient(1, 90)},
        {"one row", Gradient(90, 1)},
        {"gradient", Gradient(201, 150)},
        {"squares", Stripes(328, 41, {qRgb(255, 255, 255), qRgb(192, 192, 192), qRgb(0, 0, 0), qRgb(240, 217, 181)})},
        {"noise", noise},
        {"greys", Stripes(328, 41, {qRgb(255, 255, 255), qRgb(192, 192, 192), qRgb(0, 0, 0), qRgb(128, 128, 128)})},
        {"grey noise", greyNoise},
        {"one grey pixel", Stripes(1, 1, {qRgb(128, 128, 128)})},
        {"near the threshold", nearThreshold},
    };
    for (const auto& c : cases) {
        const TIndexedImage fast = MapToMonochrome(c.Image);
        const TIndexedImage general = DitherToPalette(c.Image, {qRgb(0, 0, 0), qRgb(255, 255, 255)});
        EXPECT_EQ(fast.Palette, general.Palette) << c.Name;
        EXPECT_TRUE(fast.Pixels == general.Pixels) << c.Name;
    }
}

TEST(PaletteCompaction, DropsUnusedEntriesAndRemapsPixels) {
    TIndexedImage image;
    image.Width = 3;
    image.Height = 1;
    image.Palette = {qRgb(1, 1, 1), qRgb(2, 2, 2), qRgb(3, 3, 3), qRgb(4, 4, 4)};
    image.Pixels = {3, 1, 3};
    DropUnusedColors(image);
    ASSERT_EQ(image.Palette, (std::vector<QRgb>{qRgb(2, 2, 2), qRgb(4, 4, 4)}));
    EXPECT_EQ(image.Pixels, (std::vector<std::uint8_t>{1, 0, 1}));
}

TEST(ColorMapping, ConvertsOtherImageFormatsFirst) {
    QImage rgb888 = Stripes(30, 3, {qRgb(255, 0, 0), qRgb(0, 0, 255)}).convertToFormat(QImage::Format_RGB888);
    const TIndexedImage out = MapToPalette(rgb888, {qRgb(0, 0, 250), qRgb(250, 0, 0)});
    EXPECT_EQ(out.At(0, 0), 1);
    EXPECT_EQ(out.At(29, 2), 0);
    EXPECT_EQ(ColorsOf(ToQImage(out)).size(), 2u);
}
