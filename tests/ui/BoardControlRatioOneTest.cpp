#include <gtest/gtest.h>

#include <QApplication>
#include <QTest>

#include "board/DiagramBoard.h"
#include "board/ui/BoardControl.h"
#include "board/ui/PieceButtonIcon.h"

namespace vorlix {
namespace {

// At a device pixel ratio of 1 the control and the piece buttons show the bitmap road itself.
TEST(BoardControlAtRatioOne, ShowsTheBoardsBitmapPixelForPixel) {
    TDiagramBoard board;
    TBoardControl control(board);
    control.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&control));
    QApplication::processEvents();
    ASSERT_EQ(control.devicePixelRatioF(), 1.0);
    EXPECT_EQ(control.ShownDiagram().cacheKey(), board.DiagramBitmap().cacheKey());
    EXPECT_EQ(control.grab().toImage().convertToFormat(QImage::Format_RGB32),
              board.DiagramBitmap().convertToFormat(QImage::Format_RGB32));
}

TEST(BoardControlAtRatioOne, PieceButtonsShowTheBitmapPiece) {
    TDiagramBoard board;
    QImage glyph(kPieceButtonIconSide, kPieceButtonIconSide, QImage::Format_ARGB32);
    glyph.fill(Qt::transparent);
    board.DrawPieceGlyph(9, glyph);
    const QSize side(kPieceButtonIconSide, kPieceButtonIconSide);
    const QImage shown = PieceButtonIcon(board, 9, 1.0).pixmap(side, 1.0).toImage();
    ASSERT_EQ(shown.size(), side);
    const QImage a = shown.convertToFormat(QImage::Format_ARGB32), b = glyph;
    int opaque = 0;
    for (int y = 0; y < side.height(); ++y)
        for (int x = 0; x < side.width(); ++x)
            if (qAlpha(b.pixel(x, y)) == 255) {
                ++opaque;
                ASSERT_EQ(a.pixel(x, y), b.pixel(x, y)) << x << "," << y;
            }
    EXPECT_GT(opaque, 100);
}

}  // namespace
}  // namespace vorlix
