// The run-length coded GIF frame: Qt's and giflib's decoders must read back
// exactly the indices written, and every code must stand for a run of one
// colour (checked by decoding the codes here as any GIF decoder does).
#include <gif_lib.h>
#include <gtest/gtest.h>

#include <QBuffer>
#include <QImageReader>
#include <cstring>
#include <map>
#include <random>

#include "imaging/GifEncoder.h"
#include "imaging/GifWriter.h"
#include "tests/imaging/GifDecoding.h"
#include "tests/imaging/TestImages.h"

using namespace vorlix;
using namespace vorlix::testimages;

namespace {

// Runs of every length from 1 to 300, each in the next colour, twice over.
TIndexedImage GrowingRuns(int width, int colors) {
    std::vector<std::uint8_t> pixels;
    for (int pass = 0; pass < 2; ++pass)
        for (int length = 1; length <= 300; ++length)
            pixels.insert(pixels.end(), length, static_cast<std::uint8_t>((length + pass) % colors));
    TIndexedImage image = Blank(width, static_cast<int>((pixels.size() + width - 1) / width), colors);
    std::copy(pixels.begin(), pixels.end(), image.Pixels.begin());
    return image;
}

std::vector<std::uint8_t> Encode(const TIndexedImage& image, int transparentIndex) {
    std::vector<std::uint8_t> out;
    std::string error;
    EXPECT_TRUE(EncodeGif(image, transparentIndex, TGifCoding::RunLength, out, error)) << error;
    return out;
}

// The frame's data after the header, the global colour table, the optional
// graphic control extension and the image descriptor of our streams.
std::size_t ImageDataOffset(const std::vector<std::uint8_t>& gif) {
    std::size_t at = 13 + 3 * (std::size_t{2} << (gif[10] & 7));
    if (gif[at] == 0x21) at += 8;
    EXPECT_EQ(gif[at], 0x2C);
    return at + 10;
}

struct TCodeStreamFacts {
    std::vector<std::uint8_t> Pixels;
    bool OnlyRuns = true;
    bool EndedProperly = false;
};

// A plain GIF decoder of the frame's codes that also notes whether any code
// stood for a string of more than one colour.
TCodeStreamFacts DecodeCodes(const std::vector<std::uint8_t>& gif) {
    std::size_t at = ImageDataOffset(gif);
    const int root = gif[at++];
    std::vector<std::uint8_t> data;
    while (gif[at] != 0) {
        data.insert(data.end(), gif.begin() + at + 1, gif.begin() + at + 1 + gif[at]);
        at += 1 + gif[at];
    }
    TCodeStreamFacts facts;
    const unsigned clear = 1u << root, end = clear + 1;
    std::vector<std::vector<std::uint8_t>> table;
    int width = root + 1;
    std::size_t bit = 0;
    int previous = -1;
    auto reset = [&] {
        table.assign(clear + 2, {});
        for (unsigned c = 0; c < clear; ++c) table[c] = {static_cast<std::uint8_t>(c)};
        width = root + 1;
        previous = -1;
    };
    reset();
    while (bit + width <= data.size() * 8) {
        unsigned code = 0;
        for (int k = 0; k < width; ++k, ++bit) code |= ((data[bit / 8] >> (bit % 8)) & 1u) << k;
        if (code == clear) {
            reset();
            continue;
        }
        if (code == end) {
            facts.EndedProperly = true;
            break;
        }
        std::vector<std::uint8_t> string;
        if (code < table.size()) {
            string = table[code];
        } else {
            EXPECT_EQ(code, table.size());
            EXPECT_GE(previous, 0);
            if (code != table.size() || previous < 0) return facts;
            string = table[previous];
            string.push_back(string.front());
        }
        if (previous >= 0 && table.size() < 4096) {
            std::vector<std::uint8_t> entry = table[previous];
            entry.push_back(string.front());
            table.push_back(entry);
            if (table.size() == (1u << width) && width < 12) ++width;
        }
        for (std::uint8_t p : string) facts.OnlyRuns &= p == string.front();
        facts.Pixels.insert(facts.Pixels.end(), string.begin(), string.end());
        previous = static_cast<int>(code);
    }
    return facts;
}

// Indices as Qt reads them: Qt may return colours, which the distinct
// palette maps back; a transparent pixel stands for the transparent index.
std::vector<std::uint8_t> QtIndices(const std::vector<std::uint8_t>& gif, const TIndexedImage& image,
                                    int transparentIndex) {
    QByteArray bytes(reinterpret_cast<const char*>(gif.data()), static_cast<qsizetype>(gif.size()));
    QBuffer buffer(&bytes);
    QImageReader reader(&buffer, "gif");
    const QImage decoded = reader.read();
    EXPECT_FALSE(decoded.isNull()) << reader.errorString().toStdString();
    if (decoded.size() != QSize(image.Width, image.Height)) return {};
    std::map<QRgb, std::uint8_t> indexOf;
    for (std::size_t i = 0; i < image.Palette.size(); ++i)
        indexOf[image.Palette[i] | 0xFF000000u] = static_cast<std::uint8_t>(i);
    std::vector<std::uint8_t> indices;
    for (int y = 0; y < decoded.height(); ++y)
        for (int x = 0; x < decoded.width(); ++x) {
            const QRgb pixel = decoded.pixel(x, y);
            indices.push_back(qAlpha(pixel) == 0 ? static_cast<std::uint8_t>(transparentIndex) : indexOf.at(pixel));
        }
    return indices;
}

void ExpectDecodersReadBack(const TIndexedImage& image, int transparentIndex, const std::string& name) {
    const auto gif = Encode(image, transparentIndex);
    ASSERT_FALSE(gif.empty()) << name;
    const TCodeStreamFacts facts = DecodeCodes(gif);
    EXPECT_TRUE(facts.OnlyRuns) << name;
    EXPECT_TRUE(facts.EndedProperly) << name;
    EXPECT_TRUE(facts.Pixels == image.Pixels) << name;
    EXPECT_TRUE(QtIndices(gif, image, transparentIndex) == image.Pixels) << name;
    int giflibTransparent = -2;
    EXPECT_TRUE(GiflibIndices(gif, giflibTransparent) == image.Pixels) << name;
    EXPECT_EQ(giflibTransparent, transparentIndex) << name;
}

}  // namespace

TEST(RunLengthGif, DecodersReadBackEveryIndex) {
    for (int colors : {2, 16, 256}) {
        const std::string depth = std::to_string(colors) + " colours, ";
        TIndexedImage single = Blank(1, 1, colors);
        single.Pixels[0] = static_cast<std::uint8_t>(colors - 1);
        ExpectDecodersReadBack(single, kNoTransparency, depth + "one pixel");
        ExpectDecodersReadBack(GrowingRuns(301, colors), kNoTransparency, depth + "runs of 1 to 300");
        ExpectDecodersReadBack(GrowingRuns(7, colors), kNoTransparency, depth + "runs across narrow rows");
        ExpectDecodersReadBack(RandomRuns(333, 251, colors, 1, 1), kNoTransparency, depth + "noise");
        ExpectDecodersReadBack(RandomRuns(1000, 707, colors, 90, 2), kNoTransparency, depth + "mixed runs");
        ExpectDecodersReadBack(RandomRuns(1, 999, colors, 3, 3), colors - 1, depth + "one column, transparent");
    }
}

// Runs of 4.5 million pixels take codes of ever longer runs, so the table
// fills within a run, again and again, and is cleared there.
TEST(RunLengthGif, ClearsTheTableWithinALongRun) {
    TIndexedImage flat = Blank(3001, 2999, 256);
    std::fill(flat.Pixels.begin() + flat.Pixels.size() / 2, flat.Pixels.end(), 255);
    ExpectDecodersReadBack(flat, 0, "two long runs");
}

// Codes of long runs come back for later runs of the same colour, so a
// board-like picture of squares takes far fewer codes than pixels.
TEST(RunLengthGif, ReusesTheCodesOfEarlierRuns) {
    TIndexedImage board = Blank(328, 328, 256);
    for (int y = 0; y < board.Height; ++y)
        for (int x = 0; x < board.Width; ++x)
            board.Pixels[static_cast<std::size_t>(y) * board.Width + x] =
                static_cast<std::uint8_t>((x / 41 + y / 41) % 2 ? 200 : 7);
    const auto gif = Encode(board, kNoTransparency);
    EXPECT_LT(gif.size(), board.Pixels.size() / 20);
    ExpectDecodersReadBack(board, 200, "board");
}

// Saved pictures are LZW coded, which on a dot pattern matches strings of
// two colours; run-length coding is there when asked for.
TEST(RunLengthGif, IsTheWritersCodingOfPictures) {
    QImage dots(99, 61, QImage::Format_RGB32);
    for (int y = 0; y < dots.height(); ++y)
        for (int x = 0; x < dots.width(); ++x) dots.setPixel(x, y, (x + y) % 2 ? qRgb(0, 0, 0) : qRgb(250, 240, 20));
    for (TGifColors colors : {TGifColors::Monochrome, TGifColors::Colors16, TGifColors::Colors256}) {
        std::vector<std::uint8_t> runs, lzw;
        std::string error;
        ASSERT_TRUE(EncodeGifImage(dots, {colors, QPoint(0, 0), TGifCoding::RunLength}, runs, error)) << error;
        ASSERT_TRUE(EncodeGifImage(dots, {colors, QPoint(0, 0)}, lzw, error)) << error;
        const TCodeStreamFacts fromRuns = DecodeCodes(runs), fromLzw = DecodeCodes(lzw);
        EXPECT_TRUE(fromRuns.OnlyRuns);
        EXPECT_FALSE(fromLzw.OnlyRuns);
        EXPECT_EQ(fromRuns.Pixels, fromLzw.Pixels);
        EXPECT_EQ(fromRuns.Pixels.size(), 99u * 61u);
        EXPECT_LT(lzw.size(), runs.size());
    }
}
