#include <gtest/gtest.h>

#include <QBuffer>
#include <QImageWriter>
#include <functional>
#include <string>

#include "TestImages.h"
#include "imaging/PngWriter.h"

using namespace vorlix;
using namespace vorlix::testimages;

namespace {

// Colour type and bit depth from the header (bytes 24 and 25 of the file).
std::pair<int, int> TypeAndDepth(const QByteArray& png) { return {png.at(25), png.at(24)}; }

QByteArray QtPng(const QImage& image) {
    QByteArray out;
    QBuffer buffer(&out);
    buffer.open(QIODevice::WriteOnly);
    QImageWriter(&buffer, "png").write(image);
    return out;
}

TIndexedImage WithPalette(TIndexedImage image, std::vector<QRgb> palette) {
    image.Palette = std::move(palette);
    return image;
}

QImage Translucent(int width, int height) {
    QImage image(width, height, QImage::Format_ARGB32_Premultiplied);
    for (int y = 0; y < height; ++y)
        for (int x = 0; x < width; ++x)
            image.setPixel(x, y, qPremultiply(qRgba(x * 7 & 255, y * 5 & 255, (x ^ y) & 255, (x + y) * 9 & 255)));
    return image;
}

// The grey levels first..first+count-1, rising or falling.
std::vector<QRgb> Greys(int first, int count, int step) {
    std::vector<QRgb> greys;
    for (int i = 0; i < count; ++i) greys.push_back(qRgb(first + step * i, first + step * i, first + step * i));
    return greys;
}

}  // namespace

// Every kind of image decodes to its own pixels, with the colour type and bit
// depth the general-purpose writer chooses for the same image, and its density.
TEST(PngWriter, EveryKindOfImageDecodesToItsPixels) {
    struct TCase {
        std::string Name;
        std::function<TIndexedImage()> Indexed;  // a palette image, or else
        std::function<QImage()> Image;           // a 24/32-bit one
        int ColorType;
    };
    const std::vector<TCase> cases = {
        {"palette, odd width", [] { return RandomRuns(37, 11, 200, 9, 1); }, nullptr, 3},
        {"palette, 256 colours, large", [] { return RandomRuns(1001, 700, 256, 40, 2); }, nullptr, 3},
        {"palette, one pixel", [] { return Blank(1, 1, 1); }, nullptr, 3},
        {"palette with transparency",
         [] {
             return WithPalette(RandomRuns(19, 7, 3, 4, 3),
                                {qRgba(0, 0, 0, 0), qRgb(9, 80, 7), qRgba(200, 30, 1, 128)});
         },
         nullptr, 3},
        {"the grey ramp from black", [] { return WithPalette(RandomRuns(45, 9, 60, 6, 4), Greys(0, 60, 1)); }, nullptr,
         0},
        {"other greys", [] { return WithPalette(RandomRuns(45, 9, 60, 6, 4), Greys(255, 60, -1)); }, nullptr, 0},
        {"24-bit, odd width", nullptr, [] { return Gradient(33, 17); }, 2},
        {"24-bit, large", nullptr, [] { return Gradient(900, 400); }, 2},
        {"24-bit, one pixel", nullptr, [] { return Gradient(1, 1); }, 2},
        {"32-bit with alpha", nullptr, [] { return Translucent(51, 23); }, 6},
    };
    for (const TCase& c : cases) {
        SCOPED_TRACE(c.Name);
        QByteArray ours;
        QImage source;
        if (c.Indexed) {
            const TIndexedImage indexed = c.Indexed();
            ASSERT_TRUE(EncodePng(indexed, 11811, ours));
            source = ToQImage(indexed);
        } else {
            source = c.Image();
            ASSERT_TRUE(EncodePng(source, 11811, ours));
        }
        const QImage decoded = QImage::fromData(ours, "png");
        ASSERT_FALSE(decoded.isNull());
        EXPECT_EQ(decoded.convertToFormat(QImage::Format_ARGB32), source.convertToFormat(QImage::Format_ARGB32));
        EXPECT_EQ(decoded.dotsPerMeterX(), 11811);
        EXPECT_EQ(TypeAndDepth(ours), std::make_pair(c.ColorType, 8));
        // Other greys are grey levels for us, where Qt writes their palette.
        if (std::string(c.Name) != "other greys") EXPECT_EQ(TypeAndDepth(ours), TypeAndDepth(QtPng(source)));
    }
}

// Each filter and deflate setting gives a valid file of the same pixels; the
// filters that look at the row above and to the left meet the image's edges.
TEST(PngWriter, EverySettingDecodesToTheSamePixels) {
    const QImage image = Translucent(29, 13);
    const TIndexedImage indexed = RandomRuns(31, 12, 90, 5, 7);
    for (TPngFilter filter : {TPngFilter::None, TPngFilter::Sub, TPngFilter::Up, TPngFilter::Paeth}) {
        for (int strategy : {0, 3}) {
            SCOPED_TRACE(int(filter) * 10 + strategy);
            const TPngDeflate settings{filter, 6, strategy};
            QByteArray png;
            ASSERT_TRUE(EncodePng(image, 0, settings, png));
            EXPECT_EQ(QImage::fromData(png, "png").convertToFormat(QImage::Format_ARGB32),
                      image.convertToFormat(QImage::Format_ARGB32));
            ASSERT_TRUE(EncodePng(indexed, 0, settings, png));
            EXPECT_EQ(QImage::fromData(png, "png").convertToFormat(QImage::Format_RGB32),
                      ToQImage(indexed).convertToFormat(QImage::Format_RGB32));
        }
    }
}

TEST(PngWriter, NothingToWriteIsRefused) {
    QByteArray png = "old";
    EXPECT_FALSE(EncodePng(QImage(), 0, png));
    EXPECT_TRUE(png.isEmpty());
    EXPECT_FALSE(EncodePng(TIndexedImage{}, 0, png));
    EXPECT_FALSE(EncodePng(Blank(4, 4, 0), 0, png));
}
