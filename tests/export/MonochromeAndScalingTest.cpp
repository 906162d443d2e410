// What a user sees in two-colour and scaled images of a diagram.
#include <gtest/gtest.h>

#include <algorithm>

#include "app/ClipboardFormats.h"
#include "board/Diagram.h"
#include "export/DiagramImage.h"
#include "export/ImageExport.h"
#include "imaging/ImageScaling.h"
#include "tests/imaging/TestImages.h"

using namespace vorlix;
using namespace vorlix::testimages;

namespace {

// Share of dark pixels inside a square, away from its edges.
double DarkShare(const QImage& image, const QRect& square) {
    const QRect inside = square.adjusted(3, 3, -3, -3);
    int dark = 0;
    for (int y = inside.top(); y <= inside.bottom(); ++y)
        for (int x = inside.left(); x <= inside.right(); ++x) dark += qGray(image.pixel(x, y)) < 128;
    return double(dark) / (inside.width() * inside.height());
}

QRect SquareRect(const TDiagramBoard& board, int file, int rank) {
    const TRect32& r = board.Square(file, rank).Bounds;
    return QRect(QPoint(r.Left, r.Top), QPoint(r.Right - 1, r.Bottom - 1));
}

class MonochromeImage : public testing::Test {
protected:
    void SetUp() override {
        Board.SetStartPosition();
        Diagram = RenderDiagramImage(Source, kNoScaleIndex);
    }
    // e4 is light, d4 dark; both empty.
    void ExpectSquaresDiffer(const QImage& reduced) {
        ASSERT_EQ(reduced.size(), Diagram.size());
        const double light = DarkShare(reduced, SquareRect(Board, 4, 3));
        const double dark = DarkShare(reduced, SquareRect(Board, 3, 3));
        EXPECT_LT(light, 0.02);
        EXPECT_GT(dark, 0.15);  // silver squares keep a visible share of black
    }
    TDiagram Source;
    TDiagramBoard& Board = Source.Board;
    QImage Diagram;
};

}  // namespace

TEST_F(MonochromeImage, GifAndBmpKeepDarkSquaresDark) {
    for (TImageFormat format : {TImageFormat::Gif, TImageFormat::Bmp}) {
        std::vector<std::uint8_t> bytes;
        std::string error;
        ASSERT_TRUE(EncodeDiagramImage(Diagram, {format, ciMonochrome}, bytes, error)) << error;
        ExpectSquaresDiffer(Decode(bytes));
    }
}

TEST_F(MonochromeImage, ClipboardBitmapKeepsDarkSquaresDark) {
    TClipboardBitmap bitmap;
    std::string error;
    ASSERT_TRUE(MakeClipboardBitmap(Diagram, cfMonochromeBitmap, bitmap, error)) << error;
    ExpectSquaresDiffer(bitmap.Image);
}

TEST(SmoothScaling, ThinLinesSurviveShrinkingAndGrowingHasNoBlocks) {
    // Black lines one pixel wide every fifth column: sampling every 2.5 pixels loses some.
    QImage lines(100, 20, QImage::Format_RGB32);
    lines.fill(Qt::white);
    for (int x = 2; x < 100; x += 5)
        for (int y = 0; y < 20; ++y) lines.setPixel(x, y, qRgb(0, 0, 0));
    const QImage small = ScaleImageSmoothly(lines, {40, 8});
    ASSERT_EQ(small.size(), QSize(40, 8));
    EXPECT_EQ(small.format(), lines.format());
    for (int x = 2; x < 100; x += 5) {
        // The line falls into one or two target columns; at least one of them shows it.
        const int first = x * 40 / 100, last = (x * 40 + 39) / 100;
        EXPECT_LT(std::min(qGray(small.pixel(first, 4)), qGray(small.pixel(last, 4))), 215) << "line at " << x;
    }

    QImage edge(10, 10, QImage::Format_RGB32);
    edge.fill(Qt::white);
    for (int y = 0; y < 10; ++y)
        for (int x = 0; x < 5; ++x) edge.setPixel(x, y, qRgb(0, 0, 0));
    const QImage large = ScaleImageSmoothly(edge, {20, 20});
    int between = 0;
    for (int x = 0; x < 20; ++x) between += qGray(large.pixel(x, 10)) > 20 && qGray(large.pixel(x, 10)) < 235;
    EXPECT_GE(between, 1);  // the edge is blended, not doubled pixels
}

TEST(SmoothScaling, TheDiagramImageKeepsTheSizeRules) {
    TDiagram diagram;
    diagram.Board.SetStartPosition();
    const QImage full = RenderDiagramImage(diagram, kNoScaleIndex);
    const QImage small = RenderDiagramImage(diagram, 0);
    EXPECT_EQ(small.size(), ScaledSize(full.size(), ImageScaleFactor(0)));
    EXPECT_EQ(small.format(), full.format());
    // The coordinate margin stays its own colour after averaging.
    EXPECT_EQ(small.pixel(small.width() - 1, 0) & 0xFFFFFF, full.pixel(full.width() - 1, 0) & 0xFFFFFF);
}
