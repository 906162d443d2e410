#include <gtest/gtest.h>

#include <QPainter>
#include <QXmlStreamReader>
#include <functional>
#include <map>

#include "export/ScalableExport.h"
#include "export/SvgCanvas.h"
#include "tests/export/RsvgRaster.h"

using namespace vorlix;

namespace {

struct TSvgCounts {
    std::map<QString, int> Elements;
    QStringList Texts;
    bool Parsed = false;
};

TSvgCounts Parse(const QByteArray& svg) {
    TSvgCounts counts;
    QXmlStreamReader xml(svg);
    while (!xml.atEnd()) {
        const auto token = xml.readNext();
        if (token == QXmlStreamReader::StartElement) {
            ++counts.Elements[xml.name().toString()];
            if (xml.name() == QLatin1String("text")) counts.Texts << xml.readElementText();
        }
    }
    counts.Parsed = !xml.hasError();
    return counts;
}

QByteArray Drawn(QSize size, const std::function<void(QPainter&)>& paint) {
    TSvgCanvas canvas(size, size * 2, "T & <T>", "D");
    QPainter painter(&canvas);
    paint(painter);
    painter.end();
    return canvas.Document();
}

}  // namespace

TEST(SvgCanvas, PiecesAndPicturesUsedAgainAreWrittenOnce) {
    TDiagram diagram;
    diagram.Board.SetStartPosition();
    TScalableOptions options;
    options.Format = TImageFormat::Svg;
    QByteArray svg;
    std::string error;
    ASSERT_TRUE(EncodeScalableImage(diagram, options, svg, error)) << error;
    const TSvgCounts counts = Parse(svg);
    ASSERT_TRUE(counts.Parsed);
    // 32 pieces of 12 kinds, each a white silhouette and black ink.
    EXPECT_EQ(counts.Elements.at("use"), 64);
    EXPECT_LE(svg.count("<path id="), 24);
    EXPECT_EQ(counts.Elements.at("text"), 16);  // the coordinates

    QImage tile(8, 8, QImage::Format_RGB32);
    tile.fill(Qt::red);
    const QByteArray pictures = Drawn({40, 20}, [&](QPainter& p) {
        p.drawImage(QRectF(0, 0, 20, 20), tile);
        p.drawImage(QRectF(20, 0, 20, 20), tile.copy());
    });
    EXPECT_EQ(pictures.count("<image "), 1);
    EXPECT_EQ(pictures.count("<use "), 2);
    const QImage shown = RasterisedByRsvg(pictures);
    if (shown.isNull()) GTEST_SKIP() << "rsvg-convert not installed";
    EXPECT_EQ(shown.size(), QSize(80, 40));
    EXPECT_EQ(shown.pixel(70, 30), qRgb(255, 0, 0));
}

TEST(SvgCanvas, ClipsTextAndStrokesAsThePainterDoes) {
    const QByteArray svg = Drawn({100, 50}, [](QPainter& p) {
        p.fillRect(QRect(0, 0, 100, 50), Qt::white);
        p.save();
        p.setClipRect(QRect(0, 0, 50, 50));
        p.setPen(QPen(Qt::black, 4));
        p.drawLine(QPointF(10, 25), QPointF(90, 25));  // only its left half shows
        p.restore();
        p.setPen(Qt::blue);
        p.drawText(QPointF(5, 45), "a < b & c");
        p.fillRect(QRectF(60, 0, 10, 10), QColor(0, 128, 0, 128));
    });
    const TSvgCounts counts = Parse(svg);
    ASSERT_TRUE(counts.Parsed) << svg.toStdString();
    EXPECT_EQ(counts.Texts, QStringList{"a < b & c"});
    EXPECT_TRUE(svg.contains("<title>T &amp; &lt;T&gt;</title>"));
    EXPECT_TRUE(svg.contains("width=\"200\" height=\"100\" viewBox=\"0 0 100 50\""));

    // Characters XML does not allow are left out of text, title and description.
    TSvgCanvas hostile({10, 10}, {10, 10}, QString("id\x01\x1f") + QChar(0xFFFE), QString("a") + QChar(0xD800) + "b");
    {
        QPainter p(&hostile);
        p.drawText(QPointF(1, 9), QString("x\x02yz") + QChar(0xFFFF) + QString::fromUtf8("\xF0\x9F\x98\x80"));
    }
    const QByteArray clean = hostile.Document();
    const TSvgCounts cleanCounts = Parse(clean);
    ASSERT_TRUE(cleanCounts.Parsed) << clean.toStdString();
    EXPECT_EQ(cleanCounts.Texts, QStringList{QString("xyz") + QString::fromUtf8("\xF0\x9F\x98\x80")});
    EXPECT_TRUE(clean.contains("<title>id</title>"));
    const QImage shown = RasterisedByRsvg(svg);
    if (shown.isNull()) GTEST_SKIP() << "rsvg-convert not installed";
    EXPECT_EQ(shown.pixel(40, 50), qRgb(0, 0, 0));
    EXPECT_EQ(shown.pixel(140, 50), qRgb(255, 255, 255));  // clipped away
    EXPECT_NEAR(qGreen(shown.pixel(130, 10)), 191, 2);     // half-transparent green on white
}
