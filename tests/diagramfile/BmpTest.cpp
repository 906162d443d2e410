#include <gtest/gtest.h>

#include "DiagramTestSupport.h"
#include "imaging/BmpReader.h"
#include "imaging/BmpWriter.h"

using namespace vorlix;
using namespace vorlix::test;

namespace {

void ExpectSamePixels(const QImage& a, const QImage& b) {
    ASSERT_EQ(a.size(), b.size());
    for (int y = 0; y < a.height(); ++y)
        for (int x = 0; x < a.width(); ++x)
            ASSERT_EQ(a.pixel(x, y) | 0xFF000000u, b.pixel(x, y) | 0xFF000000u) << x << "," << y;
}

void PutU32(std::vector<uint8_t>& b, size_t at, uint32_t v) {
    for (int i = 0; i < 4; ++i) b[at + i] = uint8_t(v >> (8 * i));
}

}  // namespace

TEST(Bmp, RoundTripsEveryDepthWithOddWidths) {
    for (int width : {1, 3, 7, 9, 33}) {
        for (int bits : {1, 4, 8}) {
            const QImage picture = IndexedPicture(width, 5, 1 << bits);
            std::vector<uint8_t> bmp = EncodeBmp(picture, bits);
            bmp.push_back(0x55);  // bytes after the BMP are not part of it
            const TBmpImage read = ReadBmp(bmp.data(), bmp.size());
            EXPECT_EQ(read.ByteCount, bmp.size() - 1) << bits;
            ExpectSamePixels(read.Image, picture);
        }
        const QImage rgb = RgbPicture(width, 4);
        const std::vector<uint8_t> bmp = EncodeBmp(rgb);
        const TBmpImage read = ReadBmp(bmp.data(), bmp.size());
        EXPECT_EQ(read.ByteCount, bmp.size());
        ExpectSamePixels(read.Image, rgb);
    }
}

TEST(Bmp, ReadsTopDownRowsAndCoreHeaders) {
    const QImage rgb = RgbPicture(5, 3);
    std::vector<uint8_t> bmp = EncodeBmp(rgb);
    // Flip the rows by hand and mark the image top-down.
    const size_t stride = 16, start = 54;
    std::vector<uint8_t> flipped(bmp.begin(), bmp.begin() + start);
    for (int r = 2; r >= 0; --r)
        flipped.insert(flipped.end(), bmp.begin() + start + r * stride, bmp.begin() + start + (r + 1) * stride);
    PutU32(flipped, 22, uint32_t(-3));
    ExpectSamePixels(ReadBmp(flipped.data(), flipped.size()).Image, rgb);

    // A 2-colour picture with the 12-byte header and three-byte table entries.
    std::vector<uint8_t> core = {'B', 'M', 0, 0, 0, 0, 0, 0, 0, 0,   32,  0,   0,    0, 12, 0, 0,    0, 2, 0,
                                 2,   0,   1, 0, 1, 0, 0, 0, 0, 255, 255, 255, 0x40, 0, 0,  0, 0x80, 0, 0, 0};
    const TBmpImage read = ReadBmp(core.data(), core.size());
    EXPECT_EQ(read.ByteCount, core.size());
    EXPECT_EQ(read.Image.pixel(1, 1), qRgb(255, 255, 255));  // bottom row first: 0x40 -> pixel 1
    EXPECT_EQ(read.Image.pixel(0, 1), qRgb(0, 0, 0));
    EXPECT_EQ(read.Image.pixel(0, 0), qRgb(255, 255, 255));
}

TEST(Bmp, PixelOffsetBeyondTheTableSkipsTheGap) {
    std::vector<uint8_t> bmp = EncodeBmp(RgbPicture(2, 2));
    bmp.insert(bmp.begin() + 54, {9, 9, 9, 9});
    PutU32(bmp, 10, 58);
    const TBmpImage read = ReadBmp(bmp.data(), bmp.size());
    EXPECT_EQ(read.ByteCount, bmp.size());
    ExpectSamePixels(read.Image, RgbPicture(2, 2));
}

TEST(Bmp, RejectsLyingOrAbsurdHeaders) {
    const std::vector<uint8_t> good = EncodeBmp(IndexedPicture(6, 4, 16), 4);
    auto rejects = [&](size_t at, uint32_t value) {
        std::vector<uint8_t> bad = good;
        PutU32(bad, at, value);
        EXPECT_THROW(ReadBmp(bad.data(), bad.size()), EBmpError) << at << "=" << value;
    };
    rejects(18, 0);             // width 0
    rejects(18, uint32_t(-6));  // negative width
    rejects(18, 100000);        // wider than any square picture
    rejects(22, 0x80000000u);   // most negative height
    rejects(18, 6000);          // more pixels than the buffer holds
    rejects(14, 8);             // unknown header size
    rejects(14, 0xFFFFFFF0u);
    rejects(30, 1);            // run-length compression
    rejects(46, 257);          // colour table larger than any depth
    rejects(46, 200);          // table claims more bytes than are there
    rejects(10, 0xFFFFFF00u);  // pixel offset past the end
    std::vector<uint8_t> badBits = good;
    badBits[28] = 2;  // no such depth
    EXPECT_THROW(ReadBmp(badBits.data(), badBits.size()), EBmpError);
    for (size_t n = 0; n < good.size(); ++n) EXPECT_THROW(ReadBmp(good.data(), n), EBmpError) << "prefix " << n;
}

namespace {

// A 2 x 1 BMP of the given depth and compression, with extra header bytes
// (masks and more) and the two pixels' raw row.
std::vector<uint8_t> MaskedBmp(uint16_t bits, uint32_t compression, std::vector<uint8_t> afterHeader,
                               std::vector<uint8_t> row, uint32_t headerSize = 40) {
    std::vector<uint8_t> b(14 + 40, 0);
    b[0] = 'B';
    b[1] = 'M';
    PutU32(b, 14, headerSize);
    PutU32(b, 18, 2);
    PutU32(b, 22, 1);
    b[26] = 1;
    b[28] = uint8_t(bits);
    PutU32(b, 30, compression);
    b.insert(b.end(), afterHeader.begin(), afterHeader.end());
    PutU32(b, 10, uint32_t(b.size()));
    while (row.size() % 4) row.push_back(0);
    b.insert(b.end(), row.begin(), row.end());
    return b;
}

std::vector<uint8_t> Masks(uint32_t r, uint32_t g, uint32_t b) {
    std::vector<uint8_t> m(12);
    PutU32(m, 0, r);
    PutU32(m, 4, g);
    PutU32(m, 8, b);
    return m;
}

}  // namespace

TEST(Bmp, ReadsSixteenAndThirtyTwoBitPixelsWithAndWithoutMasks) {
    struct Case {
        std::vector<uint8_t> Bmp;
        QRgb First, Second;
    };
    std::vector<uint8_t> v4masks = Masks(0xF800, 0x07E0, 0x001F);
    v4masks.resize(108 - 40, 0);  // a longer header holds the masks itself
    const std::vector<Case> cases = {
        {MaskedBmp(16, 0, {}, {0x00, 0x7C, 0x1F, 0x00}), qRgb(255, 0, 0), qRgb(0, 0, 255)},
        {MaskedBmp(16, 3, Masks(0xF800, 0x07E0, 0x001F), {0xE0, 0x07, 0xFF, 0xFF}), qRgb(0, 255, 0),
         qRgb(255, 255, 255)},
        {MaskedBmp(16, 3, v4masks, {0x00, 0xF8, 0x10, 0x00}, 108), qRgb(255, 0, 0), qRgb(0, 0, 132)},
        {MaskedBmp(32, 0, {}, {1, 2, 3, 0, 4, 5, 6, 0}), qRgb(3, 2, 1), qRgb(6, 5, 4)},
        {MaskedBmp(32, 3, Masks(0xFF, 0xFF00, 0xFF0000), {1, 2, 3, 0, 4, 5, 6, 0}), qRgb(1, 2, 3), qRgb(4, 5, 6)},
    };
    for (size_t i = 0; i < cases.size(); ++i) {
        const std::vector<uint8_t>& bmp = cases[i].Bmp;
        const TBmpImage read = ReadBmp(bmp.data(), bmp.size());
        EXPECT_EQ(read.ByteCount, bmp.size()) << i;
        EXPECT_EQ(read.Image.pixel(0, 0), cases[i].First) << i;
        EXPECT_EQ(read.Image.pixel(1, 0), cases[i].Second) << i;
        for (size_t n = 0; n < bmp.size(); ++n) EXPECT_THROW(ReadBmp(bmp.data(), n), EBmpError) << i;
    }
    // Masks only go with 16 and 32 bits.
    const std::vector<uint8_t> masked24 = MaskedBmp(24, 3, Masks(0xFF, 0xFF00, 0xFF0000), {1, 2, 3, 4, 5, 6});
    EXPECT_THROW(ReadBmp(masked24.data(), masked24.size()), EBmpError);
}
