// Exported SVG says what it shows: a <title> with the caption and a <desc>
// with the placement and the pieces in words; text names fallback fonts, and
// with text as outlines the image needs no font at all: a reader with no
// fonts draws it like our PNG.
#include <gtest/gtest.h>

#include <QProcessEnvironment>
#include <QTemporaryDir>
#include <QXmlStreamReader>

#include "export/ScalableExport.h"
#include "tests/export/RsvgRaster.h"

using namespace vorlix;

namespace {

struct TSvgText {
    QString Title, Desc;
    int TextElements = 0;
    QStringList FontFamilies;
    bool WellFormed = false;
};

TSvgText ReadSvg(const QByteArray& svg) {
    TSvgText read;
    QXmlStreamReader xml(svg);
    while (!xml.atEnd()) {
        if (xml.readNext() != QXmlStreamReader::StartElement) continue;
        if (xml.name() == u"title") {
            read.Title = xml.readElementText();
        } else if (xml.name() == u"desc") {
            read.Desc = xml.readElementText();
        } else if (xml.name() == u"text") {
            ++read.TextElements;
            read.FontFamilies << xml.attributes().value("font-family").toString();
        }
    }
    read.WellFormed = !xml.hasError();
    return read;
}

QByteArray Svg(TDiagram& diagram, bool paths, double scale = 1) {
    TScalableOptions options;
    options.Format = TImageFormat::Svg;
    options.TextAsPaths = paths;
    options.Scale = scale;
    QByteArray bytes;
    std::string error;
    EXPECT_TRUE(EncodeScalableImage(diagram, options, bytes, error)) << error;
    return bytes;
}

THeaderFooterInfo Line(const std::string& text) {
    THeaderFooterInfo info;
    info.Enabled = true;
    info.Text = text;
    return info;
}

}  // namespace

TEST(AccessibleSvg, TitleIsTheCaptionAndDescTheFenAndThePiecesInWords) {
    TDiagram diagram;
    diagram.Board.ClearBoard();
    diagram.Board.SetPiece(6, 0, pcWKing);
    diagram.Board.SetPiece(5, 0, pcWRook);
    diagram.Board.SetPiece(0, 0, pcWRook);
    diagram.Board.SetPiece(7, 1, pcWPawn);
    diagram.Board.SetPiece(6, 7, pcBKing);
    const QString words = "White: King g1, Rooks a1, f1, Pawn h2; Black: King g8";
    const struct {
        const char* Why;
        THeaderFooterInfo Header, Footer;
        QString Title;
    } kCases[] = {
        {"the header is the caption", Line("Ann & Bo <1-0>"), Line("footer"), "Ann & Bo <1-0>"},
        {"without a header, the footer", THeaderFooterInfo{}, Line(" White to move "), "White to move"},
        {"a blank header counts as none", Line("   "), THeaderFooterInfo{}, "Chess diagram"},
    };
    for (const auto& c : kCases) {
        diagram.Header = c.Header;
        diagram.Footer = c.Footer;
        for (const bool paths : {false, true}) {
            const TSvgText svg = ReadSvg(Svg(diagram, paths));
            ASSERT_TRUE(svg.WellFormed) << c.Why;
            EXPECT_EQ(svg.Title, c.Title) << c.Why;
            EXPECT_EQ(svg.Desc, "6k1/8/8/8/8/8/7P/R4RK1\n" + words) << c.Why;
        }
    }
    diagram.Board.ClearBoard();
    EXPECT_TRUE(ReadSvg(Svg(diagram, false)).Desc.endsWith("White: none; Black: none"));
}

TEST(AccessibleSvg, TextNamesFallbacksOrBecomesOutlinesThatNeedNoFont) {
    TDiagram diagram;
    diagram.Board.SetStartPosition();
    diagram.Header = Line("Morphy - Duke, Paris 1858");
    diagram.Footer = Line("White to move");
    const TSvgText asText = ReadSvg(Svg(diagram, false, 2));
    ASSERT_GT(asText.TextElements, 2);  // the coordinates, header and footer
    for (const QString& families : asText.FontFamilies)
        EXPECT_TRUE(families.endsWith("sans-serif")) << families.toStdString();

    const QByteArray paths = Svg(diagram, true, 2);
    const TSvgText asPaths = ReadSvg(paths);
    ASSERT_TRUE(asPaths.WellFormed);
    EXPECT_EQ(asPaths.TextElements, 0);
    EXPECT_FALSE(paths.contains("<text"));

    // rsvg-convert on a font configuration that finds no font at all.
    QTemporaryDir dir;
    const QString config = dir.filePath("fonts.conf");
    QFile file(config);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write("<?xml version=\"1.0\"?>\n<fontconfig><cachedir>" + dir.path().toUtf8() + "</cachedir></fontconfig>\n");
    file.close();
    QProcessEnvironment fontless = QProcessEnvironment::systemEnvironment();
    fontless.insert("FONTCONFIG_FILE", config);
    const QImage drawn = RasterisedByRsvg(paths, fontless);
    if (drawn.isNull()) GTEST_SKIP() << "rsvg-convert not installed";
    const QImage png = RenderScaledDiagramImage(diagram, 2, false).convertToFormat(QImage::Format_RGB32);
    ASSERT_EQ(drawn.size(), png.size());
    qint64 differing = 0;
    for (int y = 0; y < png.height(); ++y)
        for (int x = 0; x < png.width(); ++x) {
            const QRgb a = drawn.pixel(x, y), b = png.pixel(x, y);
            const int d =
                std::max({std::abs(qRed(a) - qRed(b)), std::abs(qGreen(a) - qGreen(b)), std::abs(qBlue(a) - qBlue(b))});
            differing += d > 64;
        }
    // Measured: 12 of 501,184 pixels; the same SVG with <text> differs in 2 % here.
    EXPECT_LT(differing * 100, qint64(png.width()) * png.height()) << differing << " pixels differ";
}
