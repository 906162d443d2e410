#include <gtest/gtest.h>

#include <QFontInfo>
#include <QPainter>
#include <limits>

#include "BoardTestUtil.h"
#include "board/Fonts.h"
#include "board/PieceImages.h"

namespace vorlix {
namespace {

using test::PixelColor;

TEST(BoardBorders, RingsHaveTopLeftAndBottomRightColours) {
    TDiagramBoard board;
    board.SetCoordenateOrientation(0);
    board.Border().Clear();
    board.Border().Add({3, clRed, clBlue});
    board.Render();
    const int last = board.Width() - 1;
    for (int ring = 0; ring < 3; ++ring) {
        EXPECT_EQ(PixelColor(board, last - ring, ring), clBlue) << ring;  // top right
        EXPECT_EQ(PixelColor(board, ring, last - ring), clBlue) << ring;  // bottom left
        EXPECT_EQ(PixelColor(board, ring, ring), clRed) << ring;
        EXPECT_EQ(PixelColor(board, last - ring, last - ring), clBlue) << ring;
    }
}

TEST(BoardBorders, LastBorderIsOutermost) {
    TDiagramBoard board;
    board.SetCoordenateOrientation(0);
    board.Border().Clear();
    board.Border().Add({1, clBlack, clBlack});
    board.Border().Add({4, clWhite, clWhite});
    board.SetLightSquares(0x00FF00);
    board.Render();
    for (int x = 0; x < 4; ++x) EXPECT_EQ(PixelColor(board, x, 100), clWhite);
    EXPECT_EQ(PixelColor(board, 4, 100), clBlack);
    EXPECT_EQ(test::BoundsOf(board, 0, 7).topLeft(), QPoint(5, 5));
    EXPECT_THROW(board.Border().Get(2), std::out_of_range);
}

TEST(BoardBorders, AbsurdWidthsDoNotBreakRendering) {
    TDiagramBoard board;
    board.Border().Clear();
    board.Border().Add({-7, clRed, clRed});
    for (int i = 0; i < 5; ++i) board.Border().Add({2'000'000'000, clRed, clBlue});
    board.Render();
    EXPECT_FALSE(board.DiagramBitmap().isNull());
    EXPECT_LT(board.Width(), 4000);
    // The list's total is the B the geometry uses, never an overflowed sum.
    const int b = board.Border().TotalWidth();
    EXPECT_EQ(b, TBorderArray::kMaxTotalWidth);
    EXPECT_EQ(board.Width(), 2 * b + 8 * 36 + 36);
}

TEST(BoardSquares, MergedHighlightIsAndedWithTheBackground) {
    TDiagramBoard board;
    test::MakeBare(board);
    board.HighlightSquare(clRed, true, false, {0, 0});  // a1 is dark (silver)
    board.HighlightSquare(clRed, true, false, {1, 0});  // b1 is light (white)
    board.HighlightSquare(0x00FF00, false, false, {2, 0});
    board.Render();
    const QRect a1 = test::BoundsOf(board, 0, 0), b1 = test::BoundsOf(board, 1, 0), c1 = test::BoundsOf(board, 2, 0);
    EXPECT_EQ(PixelColor(board, a1.left() + 1, a1.top() + 1), 0x0000C0u);
    EXPECT_EQ(PixelColor(board, b1.left() + 1, b1.top() + 1), clRed);
    EXPECT_EQ(PixelColor(board, c1.left() + 1, c1.top() + 1), 0x00FF00u);
}

TEST(BoardSquares, AquaSquareColourTakesTheShadingColour) {
    TDiagramBoard board;
    test::MakeBare(board);
    board.SetLightSquares(clAqua);
    board.SetLightShading(shHorizontal);
    board.SetLightShadingColor(clRed);
    board.ClearBoard();
    board.Render();
    const QRect b1 = test::BoundsOf(board, 1, 0);
    EXPECT_EQ(PixelColor(board, b1.left() + 1, b1.top()), clRed);
    board.SetLightShading(shNone);
    board.Render();
    EXPECT_EQ(PixelColor(board, b1.left() + 1, b1.top()), clAqua);
}

// A 72 x 72 picture in four 36 x 36 quadrants: red, green / blue, black.
QImage Quadrants() {
    QImage image(72, 72, QImage::Format_RGB32);
    const QRgb colours[4] = {0xFFFF0000, 0xFF00FF00, 0xFF0000FF, 0xFF000000};
    for (int y = 0; y < 72; ++y)
        for (int x = 0; x < 72; ++x) image.setPixel(x, y, colours[(y / 36) * 2 + x / 36]);
    return image;
}

TEST(BoardSquares, SquareBitmapIsCroppedOrFittedAndFollowsEveryChange) {
    TDiagramBoard board;
    test::MakeBare(board);
    board.ClearBoard();
    board.SetLightSquareBitmap(Quadrants());
    board.Render();
    const QRect b1 = test::BoundsOf(board, 1, 0), d1 = test::BoundsOf(board, 3, 0);
    // Without auto-fit every light square shows the same top-left 36 x 36 part.
    EXPECT_EQ(PixelColor(board, b1.left(), b1.top()), clRed);
    EXPECT_EQ(PixelColor(board, b1.right(), b1.bottom()), clRed);
    EXPECT_EQ(board.DiagramBitmap().copy(b1), board.DiagramBitmap().copy(d1));
    const QRect a1 = test::BoundsOf(board, 0, 0);
    EXPECT_EQ(PixelColor(board, a1.left(), a1.top()), clSilver);  // dark squares keep their colour

    board.SetLightSquareAutoFit(true);
    board.Render();
    EXPECT_EQ(PixelColor(board, b1.left(), b1.top()), clRed);
    EXPECT_EQ(PixelColor(board, b1.right(), b1.top()), 0x00FF00u);
    EXPECT_EQ(PixelColor(board, b1.left(), b1.bottom()), clBlue);
    EXPECT_EQ(PixelColor(board, b1.right(), b1.bottom()), clBlack);

    board.SetSquareSize(48);  // the fitted picture follows the new size
    board.Render();
    const QRect big = test::BoundsOf(board, 1, 0);
    EXPECT_EQ(PixelColor(board, big.right(), big.bottom()), clBlack);
    EXPECT_EQ(PixelColor(board, big.left() + 23, big.top() + 23), clRed);

    board.SetLightSquareBitmap(QImage());
    board.SetLightSquares(0x00FFFF);
    board.Render();
    EXPECT_EQ(PixelColor(board, big.right(), big.bottom()), 0x00FFFFu);
}

TEST(BoardSquares, SelectionDrawsTwoBlackFrames) {
    TDiagramBoard board;
    test::MakeBare(board);
    board.SetLightSquares(clWhite);
    board.ClearBoard();
    board.ToggleSelection({1, 0});
    board.Render();
    const QRect b1 = test::BoundsOf(board, 1, 0);
    EXPECT_EQ(PixelColor(board, b1.left(), b1.top() + 10), clBlack);
    EXPECT_EQ(PixelColor(board, b1.left() + 1, b1.top() + 10), clBlack);
    EXPECT_EQ(PixelColor(board, b1.left() + 2, b1.top() + 10), clWhite);
    EXPECT_EQ(PixelColor(board, b1.right() - 1, b1.bottom() - 1), clBlack);
}

// Empty dark squares carry the whole pattern; around a piece every line pixel
// keeps one pixel of clearance from the piece.
TEST(BoardShading, DiagonalLinesStopShortOfThePiece) {
    TDiagramBoard board;
    test::MakeBare(board);
    board.ClearBoard();
    board.SetPiece(3, 0, pcWQueen);  // d1 is light; use c1 (dark)
    board.SetPiece(2, 0, pcWQueen);
    board.SetDarkShading(shDiagonalLR);
    board.SetDarkShadingColor(clBlue);
    board.Render();

    const QRect a1 = test::BoundsOf(board, 0, 0);
    for (int y = 0; y < 36; ++y)
        for (int x = 0; x < 36; ++x) {
            const bool onLine = (x - y) % 4 == 0;
            EXPECT_EQ(PixelColor(board, a1.left() + x, a1.top() + y), onLine ? clBlue : clSilver) << x << "," << y;
        }

    const QRect c1 = test::BoundsOf(board, 2, 0);
    auto isBackground = [&](int x, int y) {
        const TColor c = PixelColor(board, c1.left() + x, c1.top() + y);
        return c == clSilver || c == clBlue;
    };
    int linePixels = 0, pieceSeen = 0;
    for (int y = 0; y < 36; ++y)
        for (int x = 0; x < 36; ++x) {
            if (!isBackground(x, y)) ++pieceSeen;
            if (PixelColor(board, c1.left() + x, c1.top() + y) != clBlue) continue;
            ++linePixels;
            for (int dy = -1; dy <= 1; ++dy)
                for (int dx = -1; dx <= 1; ++dx) {
                    const int nx = x + dx, ny = y + dy;
                    if (nx < 0 || ny < 0 || nx >= 36 || ny >= 36) continue;
                    EXPECT_TRUE(isBackground(nx, ny)) << "line pixel " << x << "," << y << " touches the piece";
                }
        }
    EXPECT_GT(pieceSeen, 50);
    EXPECT_GT(linePixels, 40);
}

TEST(BoardShading, LinesRestartAfterAnObstacle) {
    QImage picture(12, 12, QImage::Format_RGB32);
    picture.fill(kMagentaRgb);
    picture.setPixel(6, 2, 0xFF000000);
    AddShadingLines(picture, shHorizontal);
    EXPECT_EQ(picture.pixel(4, 2), kAquaRgb);
    EXPECT_EQ(picture.pixel(5, 2), kMagentaRgb);
    EXPECT_EQ(picture.pixel(7, 2), kMagentaRgb);
    EXPECT_EQ(picture.pixel(8, 2), kAquaRgb);
    EXPECT_EQ(picture.pixel(5, 6), kAquaRgb);
}

TEST(BoardPieces, EveryStyleAndMarkHasArtwork) {
    TDiagramBoard board;
    for (TPieceStyle style : {psRirozReg, psRoviravo, psRoruvoz}) {
        board.SetPieceStyle(style);
        for (int code = 1; code <= kMaxSquareCode; ++code) EXPECT_FALSE(board.PieceImage(code).isNull()) << code;
        EXPECT_NE(board.PieceImage(pcWKing).pixel(18, 18), 0u) << int(style);
    }
    EXPECT_NE(LoadArtwork("RIROZ"), LoadArtwork("ROVIRAVO"));
    EXPECT_NE(LoadArtwork("ROVIRAVO"), LoadArtwork("RORUVOZ"));
}

TEST(BoardPieces, GlyphLandsInAThirtyTwoPixelBitmapAtAnySquareSize) {
    TDiagramBoard board;
    const QImage artwork = LoadArtwork("RIROZ");
    ASSERT_FALSE(artwork.isNull());
    for (int size : {32, 36, 48}) {
        board.SetSquareSize(size);
        QImage glyph(32, 32, QImage::Format_RGB32);
        glyph.fill(0xFF123456);
        board.DrawPieceGlyph(pcBKnight, glyph);
        for (int y = 0; y < 32; ++y)
            for (int x = 0; x < 32; ++x) {
                const QRgb art = artwork.pixel(3 * 32 + x, 32 + y);
                EXPECT_EQ(glyph.pixel(x, y), art == kMagentaRgb ? 0xFF123456 : art) << size << ":" << x << "," << y;
            }
    }
}

TEST(BoardRendering, RedrawSquareMatchesAFullRendering) {
    TDiagramBoard board;
    board.Render();
    QRect redrawn;
    board.OnSquareRedrawn = [&](TDiagramBoard&, QRect r) { redrawn = r; };
    board.SetPiece(4, 3, pcWKnight);
    board.HighlightSquare(clRed, true, false, {4, 3});
    board.RedrawSquare({4, 3});
    const QImage partial = board.DiagramBitmap().copy();
    board.Render();
    EXPECT_EQ(partial, board.DiagramBitmap());
    EXPECT_EQ(redrawn, test::BoundsOf(board, 4, 3));

    QImage onCanvas(board.Width(), board.Height(), QImage::Format_RGB32);
    onCanvas.fill(0);
    QPainter painter(&onCanvas);
    board.DrawSquare(painter, {4, 3});
    painter.end();
    EXPECT_EQ(onCanvas.copy(redrawn), board.DiagramBitmap().copy(redrawn));
}

TEST(BoardRendering, LabelsStayInsideTheirCells) {
    TDiagramBoard board;
    board.SetCoordenateOrientation(kAllCoords);
    board.SetCoordenateBackColor(0x00FF00);
    TCFont big;
    big.Size = 72;
    big.Color = clRed;
    board.SetFont(big);
    board.Border().Clear();
    board.Render();
    // Nothing of the huge labels reaches the squares.
    for (int file = 0; file < 8; ++file)
        for (int rank = 0; rank < 8; ++rank) {
            const QRect r = test::BoundsOf(board, file, rank);
            const TColor background = board.Square(file, rank).IsLight ? clWhite : clSilver;
            EXPECT_EQ(PixelColor(board, r.left(), r.top()), background);
        }
    // The corner of the west band is outside every cell and keeps the back colour.
    EXPECT_EQ(PixelColor(board, 0, 0), 0x00FF00u);
}

// Cell i of a band as an image (north band: columns; west band: rows).
QImage NorthCell(const TDiagramBoard& board, int i) {
    const int s = board.SquareSize(), b = board.Border().TotalWidth();
    return board.DiagramBitmap().copy(b + s + i * s, 0, s, s);
}
QImage WestCell(const TDiagramBoard& board, int i) {
    const int s = board.SquareSize(), b = board.Border().TotalWidth();
    return board.DiagramBitmap().copy(0, b + s + i * s, s, s);
}

TEST(BoardRendering, LabelsFollowTheViewAndTheCapitalsFlag) {
    TDiagramBoard whiteUnder, blackUnder;
    for (TDiagramBoard* board : {&whiteUnder, &blackUnder}) board->SetCoordenateOrientation(North | West);
    blackUnder.SetView(vwBlackUnder);
    whiteUnder.Render();
    blackUnder.Render();
    for (int i = 0; i < 8; ++i) {
        // Black under reads "h" to "a" along the top and "1" to "8" down the side.
        EXPECT_EQ(NorthCell(blackUnder, i), NorthCell(whiteUnder, 7 - i)) << i;
        EXPECT_EQ(WestCell(blackUnder, i), WestCell(whiteUnder, 7 - i)) << i;
    }
    EXPECT_NE(NorthCell(whiteUnder, 0), NorthCell(whiteUnder, 7));
    EXPECT_NE(WestCell(whiteUnder, 0), WestCell(whiteUnder, 7));

    const QImage small = NorthCell(whiteUnder, 0);
    whiteUnder.SetCoordenateInCapitals(true);
    whiteUnder.Render();
    EXPECT_NE(NorthCell(whiteUnder, 0), small);
    EXPECT_EQ(WestCell(whiteUnder, 3), WestCell(blackUnder, 4));  // digits are not capitalised
}

TEST(BoardFonts, PointsAreAt96DpiAndTheOldSansFaceIsInstalled) {
    const QFont font = MakeFont(TCFont{});
    EXPECT_EQ(font.pixelSize(), 16);
    EXPECT_TRUE(font.bold());
    EXPECT_TRUE(QFontInfo(font).family().startsWith(ResolveFontFamily("MS Sans Serif")))
        << QFontInfo(font).family().toStdString();
    EXPECT_EQ(PointsToPixels(9), 12);
    // Raw sizes from files stay usable, whatever their sign or magnitude.
    EXPECT_EQ(PointsToPixels(-12), 16);
    EXPECT_EQ(PointsToPixels(std::numeric_limits<int32_t>::min()), kMaxFontPixels);
    EXPECT_EQ(PointsToPixels(std::numeric_limits<int32_t>::max()), kMaxFontPixels);
}

TEST(BoardRendering, DrawDiagramOnPlacesTheRenderingAtTheOffset) {
    TDiagramBoard board;
    QImage target(400, 400, QImage::Format_RGB32);
    target.fill(0xFF0000FF);
    board.DrawDiagramOn(target, 10, 20);
    EXPECT_EQ(target.copy(10, 20, 328, 328), board.DiagramBitmap());
    EXPECT_EQ(target.pixel(5, 5), 0xFF0000FFu);
}

// A board renders its coordinates, borders and grid again only when they
// change; every rendering must still equal a fresh board's with the same state.
TEST(BoardRendering, KeptFrameFollowsEveryChangeOfTheFrame) {
    auto styled = [](TDiagramBoard& board) {
        board.SetStartPosition();
        board.SetCoordenateOrientation(kAllCoords);
        board.SetGridLineWidth(2);
        board.SetGridLineColor(clRed);
        board.Border().Clear();
        board.Border().Add({2, clBlue, clRed});
    };
    const std::vector<std::function<void(TDiagramBoard&)>> changes = {
        [](TDiagramBoard& b) { b.SetCoordenateBackColor(0x00FFFF00); },
        [](TDiagramBoard& b) { b.SetCoordenateInCapitals(true); },
        [](TDiagramBoard& b) { b.SetView(vwBlackUnder); },
        [](TDiagramBoard& b) { b.SetGridLineColor(clBlue); },
        [](TDiagramBoard& b) {
            b.Border().Add({1, clWhite, clBlack});
        },
        [](TDiagramBoard& b) {
            TCFont font;
            font.Color = clRed;
            font.Size = 9;
            b.SetFont(font);
        },
        [](TDiagramBoard& b) { b.SetCoordenateOrientation(West | South); },
        [](TDiagramBoard& b) {
            b.SetMarks({{{12, 28, TMarkColor::Red}, {6, 47, TMarkColor::Blue}}, {}});
        },
        [](TDiagramBoard& b) { b.ClearMarks(); },  // the arrows leave nothing behind on the grid
        [](TDiagramBoard& b) { b.SetPiece(4, 3, pcWQueen); },
    };
    TDiagramBoard kept;
    styled(kept);
    kept.Render();
    for (std::size_t i = 0; i < changes.size(); ++i) {
        TDiagramBoard fresh;
        styled(fresh);
        for (std::size_t k = 0; k <= i; ++k) changes[k](fresh);
        changes[i](kept);
        kept.Render();
        fresh.Render();
        ASSERT_EQ(kept.DiagramBitmap().size(), fresh.DiagramBitmap().size()) << i;
        EXPECT_EQ(kept.DiagramBitmap(), fresh.DiagramBitmap()) << i;
    }
}

}  // namespace
}  // namespace vorlix
