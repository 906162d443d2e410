#include <gtest/gtest.h>

#include <QBuffer>
#include <QImageWriter>

#include "imaging/ExactPalette.h"

using namespace vorlix;

namespace {

// A 64 x 40 image of `colours` distinct colours in runs of two pixels.
QImage Striped(int colours) {
    QImage image(64, 40, QImage::Format_RGB32);
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x) {
            const int n = (y * image.width() + x) / 2 % colours;
            image.setPixel(x, y, qRgb(n & 0xFF, (n * 7) & 0xFF, n >> 8));
        }
    return image;
}

}  // namespace

TEST(ExactPalette, UpTo256ColoursGiveAPaletteImageOfTheSamePixels) {
    for (int colours : {1, 2, 200, 256}) {
        QImage image = Striped(colours);
        image.setDotsPerMeterX(11811);
        const auto indexed = ExactIndexedImage(image);
        ASSERT_TRUE(indexed) << colours;
        EXPECT_EQ(indexed->format(), QImage::Format_Indexed8);
        EXPECT_EQ(indexed->colorCount(), colours);
        EXPECT_EQ(indexed->dotsPerMeterX(), 11811);
        EXPECT_EQ(indexed->convertToFormat(QImage::Format_RGB32), image) << colours;

        // and so does the PNG written from it
        QByteArray png;
        QBuffer buffer(&png);
        buffer.open(QIODevice::WriteOnly);
        ASSERT_TRUE(QImageWriter(&buffer, "png").write(*indexed));
        if (colours > 2) {
            EXPECT_EQ(png.at(25), 3) << colours;  // colour type: palette
        }
        EXPECT_EQ(QImage::fromData(png, "png").convertToFormat(QImage::Format_RGB32), image) << colours;
    }
}

TEST(ExactPalette, MoreColoursOrOtherFormatsAreLeftAlone) {
    EXPECT_FALSE(ExactIndexedImage(Striped(257)));
    EXPECT_FALSE(ExactIndexedImage(Striped(2).convertToFormat(QImage::Format_ARGB32)));
    EXPECT_FALSE(ExactIndexedImage(QImage()));
}
