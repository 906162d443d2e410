// The outline font that PDF pages and printed pictures draw pieces with must
// cover what filling the outlines covers, for every picture of every set.
#include <gtest/gtest.h>

#include <QImage>
#include <QPainter>
#include <QPicture>

#include "board/VectorPieces.h"

namespace vorlix {
namespace {

constexpr int kZoom = 8;  // pixels per cell unit: a glyph error of a quarter unit shows

// The picture of a code drawn at kZoom, with the painter's device given.
QImage Drawn(const TVectorPieces& set, int code, bool recorded) {
    QImage image(TVectorPieces::kCell * kZoom, TVectorPieces::kCell * kZoom, QImage::Format_RGB32);
    image.fill(Qt::gray);
    QPainter painter(&image);
    painter.scale(kZoom, kZoom);
    if (recorded) {  // a picture is a device that keeps the drawing: it gets glyphs
        QPicture picture;
        QPainter recorder(&picture);
        set.Draw(recorder, code, QPointF(0, 0));
        recorder.end();
        // A picture replays itself enlarged by the device's resolution over the screen's.
        painter.scale(qreal(picture.logicalDpiX()) / image.logicalDpiX(),
                      qreal(picture.logicalDpiY()) / image.logicalDpiY());
        painter.drawPicture(0, 0, picture);
    } else {
        set.Draw(painter, code, QPointF(0, 0));
    }
    return image;
}

// Pixels whose grey level differs by more than half the range: edges may differ by antialiasing only.
int Differing(const QImage& a, const QImage& b) {
    int n = 0;
    for (int y = 0; y < a.height(); ++y)
        for (int x = 0; x < a.width(); ++x)
            if (std::abs(qGray(a.pixel(x, y)) - qGray(b.pixel(x, y))) > 128) ++n;
    return n;
}

TEST(PieceFont, GlyphsCoverWhatTheOutlinesCoverInEverySet) {
    for (TPieceStyle style : {psRirozReg, psRoviravo, psRoruvoz}) {
        const TVectorPieces& set = TVectorPieces::Of(style);
        ASSERT_FALSE(set.FontFamily().isEmpty()) << int(style);
        for (int code = 1; code <= kMaxSquareCode; ++code) {
            const QImage outlines = Drawn(set, code, false), glyphs = Drawn(set, code, true);
            int inked = 0;  // black or white pixels: the picture is there
            for (int y = 0; y < outlines.height(); ++y)
                for (int x = 0; x < outlines.width(); ++x) inked += outlines.pixel(x, y) != QColor(Qt::gray).rgb();
            ASSERT_GT(inked, 2000) << "style " << int(style) << " code " << code;
            EXPECT_LE(Differing(outlines, glyphs), inked / 200) << "style " << int(style) << " code " << code;
        }
    }
}

}  // namespace
}  // namespace vorlix
