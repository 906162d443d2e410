#include <gtest/gtest.h>

#include <QBuffer>
#include <QImageReader>

#include "imaging/AnimatedGif.h"
#include "tests/imaging/TestImages.h"

using namespace vorlix;
using namespace vorlix::testimages;

namespace {

std::vector<QImage> DecodeFrames(const std::vector<std::uint8_t>& bytes, int* delay = nullptr) {
    QByteArray data(reinterpret_cast<const char*>(bytes.data()), qsizetype(bytes.size()));
    QBuffer buffer(&data);
    QImageReader reader(&buffer, "gif");
    std::vector<QImage> frames;
    for (QImage frame; reader.read(&frame);) {
        if (delay) *delay = reader.nextImageDelay();
        frames.push_back(frame.convertToFormat(QImage::Format_RGB32));
    }
    return frames;
}

// Few colours, a different square moved in each frame.
std::vector<QImage> BoardLikeFrames(int count) {
    std::vector<QImage> frames;
    for (int i = 0; i < count; ++i) {
        QImage frame = Stripes(64, 48, {0xFFFFFFFF, 0xFFC0C0C0, 0xFF000000});
        for (int y = 10; y < 20; ++y)
            for (int x = 4 * i; x < 4 * i + 10; ++x) frame.setPixel(x, y, 0xFFD02020);
        frames.push_back(frame);
    }
    return frames;
}

}  // namespace

TEST(AnimatedGif, FewColoursShareOnePaletteAndEveryFrameDecodesExactly) {
    const std::vector<QImage> frames = BoardLikeFrames(4);
    std::vector<std::uint8_t> bytes;
    std::string error;
    TAnimationStats stats;
    ASSERT_TRUE(EncodeAnimatedGif(frames, 250, bytes, error, &stats)) << error;
    EXPECT_TRUE(stats.SharedPalette);
    int delay = 0;
    const std::vector<QImage> decoded = DecodeFrames(bytes, &delay);
    ASSERT_EQ(decoded.size(), frames.size());
    for (size_t i = 0; i < frames.size(); ++i) EXPECT_EQ(decoded[i], frames[i]) << "frame " << i;
    EXPECT_EQ(delay, 250);
}

TEST(AnimatedGif, RepeatedFramesStillCountAndSmallChangesStaySmall) {
    std::vector<QImage> frames = BoardLikeFrames(1);
    frames.push_back(frames[0]);
    std::vector<std::uint8_t> one, two;
    std::string error;
    ASSERT_TRUE(EncodeAnimatedGif({frames[0]}, 100, one, error));
    ASSERT_TRUE(EncodeAnimatedGif(frames, 100, two, error));
    EXPECT_EQ(DecodeFrames(two).size(), 2u);
    EXPECT_LT(two.size(), one.size() + 40);  // the unchanged frame is a single pixel
}

TEST(AnimatedGif, ManyColoursGetAPaletteOfTheirOwnPerFrame) {
    const std::vector<QImage> frames = {Gradient(80, 60), Gradient(80, 60).mirrored(true, false)};
    std::vector<std::uint8_t> bytes;
    std::string error;
    TAnimationStats stats;
    ASSERT_TRUE(EncodeAnimatedGif(frames, 100, bytes, error, &stats)) << error;
    EXPECT_FALSE(stats.SharedPalette);
    const std::vector<QImage> decoded = DecodeFrames(bytes);
    ASSERT_EQ(decoded.size(), 2u);
    EXPECT_EQ(decoded[1].size(), QSize(80, 60));
    const QRgb a = decoded[1].pixel(0, 0), b = frames[1].pixel(0, 0);
    EXPECT_NEAR(qRed(a), qRed(b), 40);
    EXPECT_NEAR(qGreen(a), qGreen(b), 40);
}

TEST(AnimatedGif, RefusesNoFramesAndFramesOfDifferentSizes) {
    std::vector<std::uint8_t> bytes;
    std::string error;
    EXPECT_FALSE(EncodeAnimatedGif({}, 100, bytes, error));
    EXPECT_FALSE(error.empty());
    error.clear();
    EXPECT_FALSE(EncodeAnimatedGif({Gradient(10, 10), Gradient(11, 10)}, 100, bytes, error));
    EXPECT_FALSE(error.empty());
    EXPECT_TRUE(bytes.empty());
}
