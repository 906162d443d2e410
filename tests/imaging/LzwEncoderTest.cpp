// Our LZW GIF stream against giflib's encoder: the same palette image must
// decode to the same pixels, whatever the mix of runs, noise and table
// clears, in no more bytes (our table is cleared one code later, when full).
#include <gif_lib.h>
#include <gtest/gtest.h>

#include <cmath>
#include <random>

#include "imaging/ColorHistogram.h"
#include "imaging/ColorMapping.h"
#include "imaging/ExactReduction.h"
#include "imaging/GifEncoder.h"
#include "imaging/GifWriter.h"
#include "imaging/GiflibSupport.h"
#include "imaging/OctreeQuantizer.h"
#include "imaging/PaletteCompaction.h"
#include "tests/imaging/GifDecoding.h"
#include "tests/imaging/TestImages.h"

using namespace vorlix;
using namespace vorlix::testimages;

namespace {

// The frame as giflib writes it through its own encoder.
std::vector<std::uint8_t> GiflibBytes(const TIndexedImage& image, int transparentIndex) {
    std::vector<std::uint8_t> out;
    int code = 0;
    GifFileType* gif = EGifOpen(&out, AppendToVector, &code);
    EXPECT_NE(gif, nullptr);
    const auto map = MakeColorMap(image.Palette);
    EGifSetGifVersion(gif, transparentIndex >= 0);
    EXPECT_EQ(EGifPutScreenDesc(gif, image.Width, image.Height, 8, 0, map.get()), GIF_OK);
    if (transparentIndex >= 0) {
        GraphicsControlBlock control{};
        control.DisposalMode = DISPOSAL_UNSPECIFIED;
        control.TransparentColor = transparentIndex;
        GifByteType block[4];
        const size_t length = EGifGCBToExtension(&control, block);
        EXPECT_EQ(EGifPutExtension(gif, GRAPHICS_EXT_FUNC_CODE, static_cast<int>(length), block), GIF_OK);
    }
    EXPECT_EQ(EGifPutImageDesc(gif, 0, 0, image.Width, image.Height, false, nullptr), GIF_OK);
    std::vector<GifPixelType> row(image.Width);
    for (int y = 0; y < image.Height; ++y) {
        std::copy(image.Row(y), image.Row(y) + image.Width, row.begin());
        EXPECT_EQ(EGifPutLine(gif, row.data(), image.Width), GIF_OK);
    }
    EXPECT_EQ(EGifCloseFile(gif, &code), GIF_OK);
    return out;
}

std::vector<std::uint8_t> OurBytes(const TIndexedImage& image, int transparentIndex) {
    std::vector<std::uint8_t> out;
    std::string error;
    EXPECT_TRUE(EncodeGif(image, transparentIndex, TGifCoding::Lzw, out, error)) << error;
    return out;
}

// Both decoders read back every index and the transparent one. A frame that
// never fills the table gives giflib's very bytes; one that does differs
// where the table is cleared, by a few bytes either way.
void ExpectLikeGiflib(const TIndexedImage& image, int transparent, bool fillsTable, const std::string& name) {
    const auto ours = OurBytes(image, transparent);
    const auto theirs = GiflibBytes(image, transparent);
    int giflibTransparent = -2;
    EXPECT_TRUE(GiflibIndices(ours, giflibTransparent) == image.Pixels) << name;
    EXPECT_EQ(giflibTransparent, transparent) << name;
    if (fillsTable) {
        EXPECT_NE(ours, theirs) << name;
        EXPECT_LT(std::abs(static_cast<double>(ours.size()) - theirs.size()), theirs.size() / 200.0) << name;
    } else
        EXPECT_EQ(ours, theirs) << name;
    const QImage decoded = Decode(ours).convertToFormat(QImage::Format_ARGB32);
    ASSERT_EQ(decoded.size(), QSize(image.Width, image.Height)) << name;
    bool same = true;
    for (int y = 0; y < image.Height; ++y)
        for (int x = 0; x < image.Width; ++x) {
            const int index = image.At(x, y);
            const QRgb want = index == transparent ? 0u : image.Palette[index] | 0xFF000000u;
            const QRgb got = decoded.pixel(x, y);
            same = same && (qAlpha(got) == 0 ? want == 0u : got == want);
        }
    EXPECT_TRUE(same) << name;
}

}  // namespace

TEST(LzwEncoder, DecodesToThePixelsInNoMoreBytesThanGiflib) {
    const struct {
        const char* Name;
        TIndexedImage Image;
        int Transparent;
        bool FillsTable;
    } cases[] = {
        {"one pixel, two colours", Blank(1, 1, 2), kNoTransparency, false},
        {"one flat colour", Blank(400, 300, 2), 0, false},
        {"noise, 256 colours", RandomRuns(333, 251, 256, 1, 1), kNoTransparency, true},
        {"noise, 3 colours", RandomRuns(97, 41, 3, 1, 2), 2, false},
        {"short runs, 16 colours", RandomRuns(328, 328, 16, 6, 3), kNoTransparency, true},
        {"long runs, 200 colours", RandomRuns(328, 352, 200, 60, 4), 17, true},
        {"mixed runs, 5 colours", RandomRuns(1000, 700, 5, 30, 5), kNoTransparency, true},
    };
    for (const auto& c : cases) ExpectLikeGiflib(c.Image, c.Transparent, c.FillsTable, c.Name);
}

TEST(LzwEncoder, ReducedPicturesDecodeLikeGiflibs) {
    for (TGifColors colors : {TGifColors::Monochrome, TGifColors::Colors16, TGifColors::Colors256}) {
        const TIndexedImage reduced = ReduceColors(Gradient(201, 150), colors);
        ExpectLikeGiflib(reduced, 1, colors != TGifColors::Monochrome, "gradient");
    }
}

TEST(LzwEncoder, RefusesAPixelBeyondTheColourTable) {
    TIndexedImage image = Blank(4, 4, 3);  // the table is padded to 4 entries
    image.Pixels[5] = 3;
    std::vector<std::uint8_t> bytes;
    std::string error;
    EXPECT_TRUE(EncodeGif(image, kNoTransparency, TGifCoding::Lzw, bytes, error));
    image.Pixels[5] = 4;
    EXPECT_FALSE(EncodeGif(image, kNoTransparency, TGifCoding::Lzw, bytes, error));
    EXPECT_FALSE(error.empty());
    EXPECT_TRUE(bytes.empty());
}

// A picture with few enough colours for an entry each reduces exactly, to
// what dithering to the octree palette gives; one colour more and it does not.
TEST(ExactColours, ReduceLikeDitheringWhenEveryColourFitsThePalette) {
    QImage image = Stripes(130, 40, {qRgb(240, 217, 181), qRgb(181, 136, 99), qRgb(0, 0, 0), qRgb(255, 255, 255)});
    for (int y = 10; y < 20; y += 2)
        for (int x = 3; x < 120; x += 7) image.setPixel(x, y, qRgb(x, 255 - x, y));
    const std::set<QRgb> colours = ColorsOf(image);
    for (int most : {256, static_cast<int>(colours.size())}) {
        const auto exact = ReduceExactly(image, most);
        ASSERT_TRUE(exact.has_value()) << most;
        TIndexedImage dithered = DitherToPalette(image, BuildOctreePalette(CountColors(image), most));
        EXPECT_EQ(exact->Pixels, dithered.Pixels) << most;
        DropUnusedColors(dithered);
        EXPECT_EQ(exact->Palette, dithered.Palette) << most;
    }
    EXPECT_EQ(ReduceColors(image, TGifColors::Colors256).Pixels, ReduceExactly(image, 256)->Pixels);
    EXPECT_FALSE(ReduceExactly(image, static_cast<int>(colours.size()) - 1).has_value());
    EXPECT_FALSE(ReduceExactly(Gradient(64, 64), 256).has_value());

    // Colours all over the cube come in the octree's order.
    std::mt19937 random(11);
    QImage scattered(50, 5, QImage::Format_RGB32);
    for (int y = 0; y < scattered.height(); ++y)
        for (int x = 0; x < scattered.width(); ++x) scattered.setPixel(x, y, random() & 0xFFFFFF);
    const auto reduced = ReduceExactly(scattered, 256);
    ASSERT_TRUE(reduced.has_value());
    EXPECT_EQ(reduced->Palette, BuildOctreePalette(CountColors(scattered), 256));
}
