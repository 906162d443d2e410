#include <gtest/gtest.h>

#include <QBuffer>
#include <QFile>
#include <QPainter>
#include <QProcess>
#include <QRegularExpression>
#include <QStandardPaths>
#include <QSvgRenderer>
#include <QTemporaryDir>
#include <QXmlStreamReader>
#include <cmath>

#include "board/PieceImages.h"
#include "board/VectorPieces.h"
#include "export/DiagramImage.h"
#include "export/ScalableExport.h"
#include "tests/export/RsvgRaster.h"

using namespace vorlix;

namespace {

int Channel(QRgb c, int i) { return i == 0 ? qRed(c) : i == 1 ? qGreen(c) : qBlue(c); }
int ColourDistance(QRgb a, QRgb b) {
    int d = 0;
    for (int i = 0; i < 3; ++i) d = std::max(d, std::abs(Channel(a, i) - Channel(b, i)));
    return d;
}

// Mean of the largest channel difference per pixel, 0..255.
double MeanDifference(const QImage& a, const QImage& b) {
    const QImage x = a.convertToFormat(QImage::Format_RGB32), y = b.convertToFormat(QImage::Format_RGB32);
    double sum = 0;
    for (int r = 0; r < x.height(); ++r)
        for (int c = 0; c < x.width(); ++c) sum += ColourDistance(x.pixel(c, r), y.pixel(c, r));
    return sum / (x.width() * x.height());
}

QByteArray Encode(TDiagram& diagram, TScalableOptions options) {
    QByteArray bytes;
    std::string error;
    EXPECT_TRUE(EncodeScalableImage(diagram, options, bytes, error)) << error;
    return bytes;
}

THeaderFooterInfo Header(const std::string& text) {
    THeaderFooterInfo info;
    info.Enabled = true;
    info.Text = text;
    return info;
}

class ScalableExport : public testing::Test {
protected:
    void SetUp() override { Board.SetStartPosition(); }
    TDiagram Diagram;
    TDiagramBoard& Board = Diagram.Board;
};

}  // namespace

TEST(VectorPieces, EveryStyleHasAllTwelvePiecesAndTheMarks) {
    for (TPieceStyle style : {psRirozReg, psRoviravo, psRoruvoz}) {
        const TVectorPieces& set = TVectorPieces::Of(style);
        EXPECT_TRUE(set.IsComplete()) << int(style);
        for (int code = 1; code <= kMaxSquareCode; ++code) {
            const QRectF box = set.Picture(code).Silhouette.boundingRect();
            // Inside the 32-unit cell, standing on its last line like the bitmap pieces.
            EXPECT_GE(box.left(), 0) << code;
            EXPECT_LE(box.right(), 32) << code;
            EXPECT_GT(box.height(), 10) << code;
        }
        EXPECT_TRUE(set.Picture(0).IsEmpty());
        EXPECT_TRUE(set.Picture(17).IsEmpty());
    }
}

TEST(VectorPieces, PathDataParsesTheConvertersCommandsAndRejectsOthers) {
    const QPainterPath path = ParsePathData("M0 0H10V10L0 10ZM2 2Q5 0 8 2C8 5 8 5 2 8Z");
    EXPECT_EQ(path.boundingRect(), QRectF(0, 0, 10, 10));
    EXPECT_TRUE(ParsePathData("M0 0 A 1 1 0 0 0 5 5").isEmpty());
    EXPECT_TRUE(ParsePathData("M0 0L").isEmpty());
    EXPECT_TRUE(ParsePathData("").isEmpty());
}

TEST(VectorPieces, OuterContoursCloseTheOpenings) {
    QPainterPath ring;  // a square frame with an island inside its hole
    ring.addRect(0, 0, 10, 10);
    ring.addRect(2, 2, 6, 6);
    ring.addRect(4, 4, 2, 2);
    const QPainterPath outer = OuterContours(ring);
    EXPECT_TRUE(outer.contains(QPointF(3, 3)));
    EXPECT_TRUE(outer.contains(QPointF(5, 5)));
    EXPECT_FALSE(outer.contains(QPointF(11, 5)));
}

// The outline sets come from the bitmap sets' glyphs: at 100 % the two
// renderings differ only along piece edges.
TEST_F(ScalableExport, VectorAndBitmapRenderingsDifferOnlyAlongPieceEdges) {
    for (TPieceStyle style : {psRirozReg, psRoviravo, psRoruvoz}) {
        Board.SetPieceStyle(style);
        const QImage bitmap = RenderDiagramImage(Diagram);
        const QImage vector = RenderScaledDiagramImage(Diagram, 1.0, false).convertToFormat(QImage::Format_RGB32);
        ASSERT_EQ(bitmap.size(), vector.size());
        int piecePixels = 0, differing = 0, farFromEdge = 0;
        for (int file = 0; file < 8; ++file) {
            for (int rank = 0; rank < 8; ++rank) {
                const QRect r = Board.SquareRect(file, rank);
                const QImage& picture = Board.PieceImage(Board.SquareCode(QPoint(file, rank)));
                for (int y = r.top(); y <= r.bottom(); ++y) {
                    for (int x = r.left(); x <= r.right(); ++x) {
                        const bool ink = qAlpha(picture.pixel(x - r.left(), y - r.top())) != 0;
                        piecePixels += ink;
                        if (ColourDistance(bitmap.pixel(x, y), vector.pixel(x, y)) < 128) continue;
                        ++differing;
                        // An edge pixel has a neighbour of another colour in the bitmap rendering.
                        bool edge = false;
                        for (int dy = -1; dy <= 1 && !edge; ++dy)
                            for (int dx = -1; dx <= 1 && !edge; ++dx)
                                edge = bitmap.pixel(x + dx, y + dy) != bitmap.pixel(x, y);
                        farFromEdge += !edge;
                    }
                }
            }
        }
        // Measured: 5 %, 8 % and 30 % of the piece pixels differ (the last set
        // keeps fine inner lines that its bitmap fills in), and at most 2 % lie
        // off the bitmap's edges. Outside the squares the two roads agree closely.
        EXPECT_LT(MeanDifference(bitmap.copy(0, 0, 328, 2), vector.copy(0, 0, 328, 2)), 1.0);
        EXPECT_LT(differing, piecePixels / 3) << int(style);
        EXPECT_LT(farFromEdge, piecePixels / 40) << int(style);
    }
}

TEST_F(ScalableExport, PngAtFullSizeIsTheBitmapRenderingPixelForPixel) {
    Board.SetDarkShading(shDiagonalLR);
    Diagram.Header = Header("Round 3");
    const QImage png = QImage::fromData(Encode(Diagram, {}), "png");
    EXPECT_EQ(png.convertToFormat(QImage::Format_RGB32), RenderDiagramImage(Diagram));
}

TEST_F(ScalableExport, ScaledPngHasTheAskedSizeAndDensity) {
    TScalableOptions options;
    options.Scale = 1200.0 / 328;
    QImage png = QImage::fromData(Encode(Diagram, options), "png");
    EXPECT_EQ(png.size(), QSize(1200, 1200));
    options.Scale = 1;
    options.Dpi = 300;
    png = QImage::fromData(Encode(Diagram, options), "png");
    EXPECT_EQ(png.width(), int(std::ceil(328 * 300 / 96.0)));
    EXPECT_NEAR(png.dotsPerMeterX() * 0.0254, 300, 1);
}

TEST_F(ScalableExport, TransparentPngLeavesOnlyTheMarginsClear) {
    TScalableOptions options;
    options.Transparent = true;
    options.Scale = 2;
    const QImage png = QImage::fromData(Encode(Diagram, options), "png");
    ASSERT_TRUE(png.hasAlphaChannel());
    EXPECT_EQ(qAlpha(png.pixel(png.width() - 1, 0)), 0);  // east coordinate band
    EXPECT_EQ(qAlpha(png.pixel(100, 100)), 255);          // a square
    EXPECT_EQ(qAlpha(png.pixel(0, 0)), 255);              // the border
}

TEST_F(ScalableExport, SvgIsXmlThatRasterisesCloseToThePng) {
    TScalableOptions options;
    options.Format = TImageFormat::Svg;
    const QByteArray svg = Encode(Diagram, options);
    QXmlStreamReader xml(svg);
    while (!xml.atEnd()) xml.readNext();
    ASSERT_FALSE(xml.hasError()) << xml.errorString().toStdString();

    const QImage reference = RenderScaledDiagramImage(Diagram, 1.0, false);
    QSvgRenderer renderer(svg);
    ASSERT_TRUE(renderer.isValid());
    QImage drawn(reference.size(), QImage::Format_ARGB32_Premultiplied);
    drawn.fill(Qt::white);
    QPainter painter(&drawn);
    renderer.render(&painter);
    painter.end();
    EXPECT_LT(MeanDifference(drawn, reference), 6.0);

    // An independent reader agrees too.
    const QImage rasterised = RasterisedByRsvg(svg);
    if (rasterised.isNull()) GTEST_SKIP() << "rsvg-convert not installed";
    ASSERT_EQ(rasterised.size(), reference.size());
    EXPECT_LT(MeanDifference(rasterised, reference), 6.0);
}

TEST_F(ScalableExport, SvgOfAStyledDiagramRasterisesCloseToThePng) {
    Board.SetDarkShading(shDiagonalLR);  // its lines keep clear of the pieces
    TBoardMarks marks;
    marks.Arrows = {{12, 28, TMarkColor::Green}};
    marks.Squares = {{27, TMarkColor::Yellow}};
    Board.SetMarks(marks);
    Diagram.Header = Header("Ann & Bo <3>");
    TScalableOptions options;
    options.Format = TImageFormat::Svg;
    options.Scale = 2;
    const QImage rasterised = RasterisedByRsvg(Encode(Diagram, options));
    if (rasterised.isNull()) GTEST_SKIP() << "rsvg-convert not installed";
    const QImage reference = RenderScaledDiagramImage(Diagram, 2.0, false);
    ASSERT_EQ(rasterised.size(), reference.size());
    // Measured: 0.33 (mostly the text, which another rasteriser draws).
    EXPECT_LT(MeanDifference(rasterised, reference), 1.5);
}

TEST_F(ScalableExport, PdfHasOnePageOfTheDiagramsSize) {
    TScalableOptions options;
    options.Format = TImageFormat::Pdf;
    options.Scale = 2;
    Diagram.Header = Header("Page");
    const QByteArray pdf = Encode(Diagram, options);
    ASSERT_TRUE(pdf.startsWith("%PDF-"));
    const QSize size = RenderDiagramImage(Diagram).size();
    const auto match = QRegularExpression(R"(/MediaBox \[0 0 ([\d.]+) ([\d.]+)\])").match(QString::fromLatin1(pdf));
    ASSERT_TRUE(match.hasMatch());
    EXPECT_NEAR(match.captured(1).toDouble(), size.width() * 2 * 0.75, 0.5);
    EXPECT_NEAR(match.captured(2).toDouble(), size.height() * 2 * 0.75, 0.5);
    EXPECT_EQ(pdf.count("/Type /Page\n") + pdf.count("/Type /Page\r") + pdf.count("/Type /Page "), 1);
}

TEST_F(ScalableExport, RefusesSizesOutOfReachAndKeepsTheOldFile) {
    TScalableOptions options;
    options.Dpi = 9600;  // 100 times 328 pixels is beyond the largest raster side
    QByteArray bytes;
    std::string error;
    EXPECT_FALSE(EncodeScalableImage(Diagram, options, bytes, error));
    EXPECT_FALSE(error.empty());
    options.Dpi = 96;
    options.Scale = 0;
    EXPECT_FALSE(EncodeScalableImage(Diagram, options, bytes, error));

    QTemporaryDir dir;
    const QString file = dir.filePath("old.png");
    QFile old(file);
    ASSERT_TRUE(old.open(QIODevice::WriteOnly));
    old.write("old");
    old.close();
    TCollectingReporter reporter;
    EXPECT_FALSE(SaveScalableImage(Diagram, file, options, reporter));
    EXPECT_EQ(reporter.Messages.size(), 1u);
    QFile check(file);
    ASSERT_TRUE(check.open(QIODevice::ReadOnly));
    EXPECT_EQ(check.readAll(), QByteArray("old"));
}

TEST(ImageFormat, ComesFromTheExtensionInAnyCase) {
    const struct {
        const char* Name;
        std::optional<TImageFormat> Format;
    } cases[] = {{"a.PNG", TImageFormat::Png},
                 {"dir.pdf/a.Svg", TImageFormat::Svg},
                 {"a.pdf", TImageFormat::Pdf},
                 {"a.bmp", TImageFormat::Bmp},
                 {"A.GIF", TImageFormat::Gif},
                 {"a.jpg", TImageFormat::Jpeg},
                 {"a.JPEG", TImageFormat::Jpeg},
                 {"a.vxd", std::nullopt},
                 {"gif", std::nullopt},
                 {"a.gif.txt", std::nullopt},
                 {"", std::nullopt}};
    for (const auto& c : cases) EXPECT_EQ(ImageFormatOfFileName(c.Name), c.Format) << c.Name;
    for (TImageFormat f : {TImageFormat::Png, TImageFormat::Svg, TImageFormat::Pdf}) EXPECT_TRUE(IsScalableFormat(f));
    for (TImageFormat f : {TImageFormat::Gif, TImageFormat::Jpeg, TImageFormat::Bmp}) EXPECT_FALSE(IsScalableFormat(f));
}

// Arrows and coloured squares are board data that every output draws.
TEST_F(ScalableExport, MarksShowOnTheBitmapAndTheVectorRoads) {
    Board.ClearBoard();
    TBoardMarks marks;
    marks.Arrows = {{0 * 8 + 0, 0 * 8 + 7, TMarkColor::Blue}};  // a1-a8
    marks.Squares = {{4 * 8 + 3, TMarkColor::Red}};             // e4
    Board.SetMarks(marks);
    const QRect a4 = Board.SquareRect(0, 3), e4 = Board.SquareRect(4, 3);
    for (const QImage& image : {RenderDiagramImage(Diagram),
                                RenderScaledDiagramImage(Diagram, 1.0, false).convertToFormat(QImage::Format_RGB32)}) {
        const QRgb onArrow = image.pixel(a4.center()), onMark = image.pixel(e4.center());
        EXPECT_GT(qBlue(onArrow), qRed(onArrow) + 60);
        EXPECT_GT(qRed(onMark), qBlue(onMark) + 60);
        EXPECT_EQ(image.pixel(Board.SquareRect(7, 0).center()), image.pixel(Board.SquareRect(6, 1).center()));
    }
    // A single-square redraw keeps the arrow that crosses other squares.
    Board.Render();
    Board.SetPiece(0, 3, pcWQueen);
    Board.RedrawSquare({0, 3});
    const QRgb beside = Board.DiagramBitmap().pixel(a4.center() + QPoint(0, Board.SquareSize()));
    EXPECT_GT(qBlue(beside), qRed(beside) + 60);
}
