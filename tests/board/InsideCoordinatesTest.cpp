#include <gtest/gtest.h>

#include <QImage>
#include <functional>

#include "board/DiagramBoard.h"
#include "board/DiagramPainter.h"
#include "board/InsideCoordinates.h"

namespace vorlix {
namespace {

// The two roads a diagram is drawn on: the board's own bitmap and the vector
// painter behind SVG, PDF, PNG and printing (here onto pixels at scale 1).
struct TRoad {
    const char* Name;
    std::function<QImage(TDiagramBoard&)> Draw;
};

const TRoad kRoads[] = {
    {"bitmap",
     [](TDiagramBoard& board) {
         board.Render();
         return board.DiagramBitmap().convertToFormat(QImage::Format_RGB32);
     }},
    {"vector",
     [](TDiagramBoard& board) { return RenderDiagramForScreen(board, 1.0).convertToFormat(QImage::Format_RGB32); }},
};

struct TStyleCase {
    const char* Name;
    TCoordenateOrientation Sides;
    TView View;
    int SquareSize, Grid;
    TColor Light, Dark;
};

const TStyleCase kCases[] = {
    {"defaults", East | South, vwWhiteUnder, 36, 0, clWhite, clSilver},
    {"all sides, black under, grid", kAllCoords, vwBlackUnder, 48, 2, clWhite, clSilver},
    // Cream and dark green contrast enough: each label takes the other square's colour.
    {"dark board", West | North, vwWhiteUnder, 40, 0, 0x00C8F0F0, 0x00305020},
    // Two near colours: the labels fall back to black or white.
    {"pale board", West | South, vwWhiteUnder, 32, 1, 0x00E0E0E0, 0x00D0D0D0},
};

int SideCount(TCoordenateOrientation sides) {
    return bool(sides & North) + bool(sides & West) + bool(sides & East) + bool(sides & South);
}

// Whether the square lies on the edge of the picture its side names.
bool OnSide(const TDiagramBoard& board, const QRect& square, TCoordenateOrientation side) {
    const QRect all = board.SquareRect(0, 0).united(board.SquareRect(7, 7));
    switch (side) {
        case North: return square.top() == all.top();
        case South: return square.bottom() == all.bottom();
        case West: return square.left() == all.left();
        default: return square.right() == all.right();
    }
}

// Pixels in the box that read against the square at least as the label should.
int InkPixels(const QImage& image, const QRect& box, const QColor& square) {
    int ink = 0;
    for (int y = box.top(); y <= box.bottom(); ++y)
        for (int x = box.left(); x <= box.right(); ++x)
            if (ContrastRatio(QColor(image.pixel(x, y)), square) >= 3.0) ++ink;
    return ink;
}

TEST(InsideCoordinates, LabelsSitInTheEdgeSquaresReadablyAndTheDiagramKeepsItsSize) {
    for (const TRoad& road : kRoads) {
        for (const TStyleCase& c : kCases) {
            SCOPED_TRACE(std::string(road.Name) + ": " + c.Name);
            TDiagramBoard board;
            board.ClearBoard();
            board.SetSquareSize(c.SquareSize);
            board.SetGridLineWidth(c.Grid);
            board.SetView(c.View);
            board.SetLightSquares(c.Light);
            board.SetDarkSquares(c.Dark);
            board.SetCoordenateOrientation(0);
            const QImage bare = road.Draw(board);

            board.SetCoordenateOrientation(c.Sides);
            board.SetCoordenateInside(true);
            const QImage inside = road.Draw(board);
            EXPECT_EQ(inside.size(), bare.size());
            EXPECT_EQ(board.DiagramSize(), bare.size());

            const std::vector<TInsideLabel> labels = InsideCoordinateLabels(board);
            ASSERT_EQ(int(labels.size()), 8 * SideCount(c.Sides));
            int sideHits[16] = {};
            for (const TInsideLabel& label : labels) {
                const QRect square = board.SquareRect(label.File, label.Rank);
                EXPECT_TRUE(square.contains(label.Box)) << label.Text.toStdString();
                const bool digit = label.Text[0].isDigit();
                const QString expected = digit ? QString::number(label.Rank + 1) : QString(QChar('a' + label.File));
                EXPECT_EQ(label.Text, expected);
                int onSides = 0;
                for (TCoordenateOrientation side : {North, West, East, South})
                    if ((c.Sides & side) && OnSide(board, square, side) && digit == (side == West || side == East)) {
                        ++onSides;
                        ++sideHits[side];
                    }
                EXPECT_GE(onSides, 1) << label.Text.toStdString() << " is not on a chosen edge";
                EXPECT_GE(ContrastRatio(label.Color, label.SquareColor), 3.0) << label.Text.toStdString();
                // The label is drawn, and where it is drawn it stands out from its square.
                EXPECT_GT(InkPixels(inside, label.Box, label.SquareColor), 2) << label.Text.toStdString();
                EXPECT_EQ(InkPixels(bare, label.Box, label.SquareColor), 0) << label.Text.toStdString();
            }
            for (TCoordenateOrientation side : {North, West, East, South})
                if (c.Sides & side) EXPECT_EQ(sideHits[side], 8) << "side " << int(side);
        }
    }
}

TEST(InsideCoordinates, BandsComeBackWhenTheLabelsGoOutAgain) {
    TDiagramBoard board;
    const QSize withBands = board.DiagramSize();
    board.SetCoordenateInside(true);
    EXPECT_EQ(board.CoordenateBandSides(), 0);
    EXPECT_EQ(board.CoordenateOrientation(), East | South);
    EXPECT_EQ(board.DiagramSize(), QSize(292, 292));
    board.SetCoordenateInside(false);
    EXPECT_EQ(board.DiagramSize(), withBands);
    EXPECT_TRUE(InsideCoordinateLabels(board).empty());
    // A redrawn square keeps its label.
    board.SetCoordenateInside(true);
    board.Render();
    const QImage before = board.DiagramBitmap().copy();
    const int rook = board.Square(7, 0).Piece;
    board.SetPiece(7, 0, 0);
    board.SetPiece(7, 0, rook);
    board.RedrawSquare(QPoint(7, 0));
    EXPECT_EQ(board.DiagramBitmap(), before);
}

}  // namespace
}  // namespace vorlix
