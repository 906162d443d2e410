// The marks a position adds beyond its pieces (the mover mark, the last move,
// check and the glyph badge) on both roads a diagram is drawn on.
#include <gtest/gtest.h>

#include <QImage>
#include <cstdlib>
#include <functional>
#include <optional>

#include "board/DiagramBoard.h"
#include "board/DiagramPainter.h"
#include "board/PositionMarks.h"

namespace vorlix {
namespace {

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

constexpr int Sq(char file, char rank) { return (file - 'a') * 8 + (rank - '1'); }

bool Near(QRgb a, QRgb b, int tolerance = 12) {
    return std::abs(qRed(a) - qRed(b)) <= tolerance && std::abs(qGreen(a) - qGreen(b)) <= tolerance &&
           std::abs(qBlue(a) - qBlue(b)) <= tolerance;
}

struct TMoverCase {
    const char* Name;
    TSideToMove Side;
    TView View;
    TCoordenateOrientation Sides;
    bool MarkAtBottom;
    QRgb Fill;
};

const TMoverCase kMoverCases[] = {
    {"white, white under", TSideToMove::White, vwWhiteUnder, East | South, true, 0xFFFFFFFF},
    {"black, white under", TSideToMove::Black, vwWhiteUnder, East | South, false, 0xFF000000},
    {"black, black under", TSideToMove::Black, vwBlackUnder, kAllCoords, true, 0xFF000000},
    {"white, black under, no bands", TSideToMove::White, vwBlackUnder, 0, false, 0xFFFFFFFF},
};

TEST(PositionMarks, MoverMarkSitsBesideTheMoversCornerFilledForBlackOnBothRoads) {
    for (const TRoad& road : kRoads) {
        for (const TMoverCase& c : kMoverCases) {
            SCOPED_TRACE(std::string(road.Name) + ", " + c.Name);
            TDiagramBoard board;
            board.SetCoordenateOrientation(c.Sides);
            board.SetView(c.View);
            board.SetSideToMove(c.Side);
            const QImage off = road.Draw(board);
            board.SetShowSideToMove(true);
            const QImage on = road.Draw(board);
            const QRect mark = MoverMarkRect(board);
            ASSERT_FALSE(mark.isEmpty());
            // The column lies right of everything else, which stays as it was.
            EXPECT_EQ(on.width(), off.width() + MoverColumnWidth(board));
            EXPECT_EQ(on.copy(0, 0, off.width(), off.height()), off);
            EXPECT_GE(mark.left(), off.width());
            EXPECT_EQ(on.pixel(mark.center()), c.Fill);
            EXPECT_EQ(on.pixel(mark.topLeft()), 0xFF000000u) << "outlined in black";
            // Level with the board's lower or upper edge.
            const QRect squares = board.SquareRect(0, 0).united(board.SquareRect(7, 7));
            if (c.MarkAtBottom)
                EXPECT_EQ(mark.bottom(), squares.bottom() + board.BorderTotal());
            else
                EXPECT_EQ(mark.top(), squares.top() - board.BorderTotal());
        }
    }
}

TEST(PositionMarks, NothingChangesWhileTheSettingIsOffOrNoSideIsSet) {
    for (const TRoad& road : kRoads) {
        SCOPED_TRACE(road.Name);
        TDiagramBoard board;
        board.SetStartPosition();
        const QImage plain = road.Draw(board);
        board.SetSideToMove(TSideToMove::Black);
        EXPECT_EQ(road.Draw(board), plain);
        board.SetSideToMove(TSideToMove::None);
        board.SetShowSideToMove(true);
        EXPECT_EQ(road.Draw(board), plain);
        EXPECT_TRUE(MoverMarkRect(board).isEmpty());
    }
}

// What a still diagram of a game position shows, and where to look for it.
struct TStateCase {
    const char* Name;
    TMoveState State;
    std::function<bool(const TDiagramBoard&, const QImage&)> Shows;
    std::optional<QRgb> MarkColor = std::nullopt;  // a theme's colour for the last move and check
};

constexpr QRgb kThemeMarks = 0xFF2050C0;

QPoint Inside(const TDiagramBoard& board, int square, double x, double y) {
    const QRect r = board.SquareRect(square / 8, square % 8);
    return {r.left() + int(r.width() * x), r.top() + int(r.height() * y)};
}

const TStateCase kStateCases[] = {
    {"last move squares",
     {Sq('e', '2'), Sq('e', '4'), TLastMoveMark::Squares, -1, ""},
     [](const TDiagramBoard& b, const QImage& image) {
         return Near(image.pixel(Inside(b, Sq('e', '2'), 0.02, 0.5)), kLastMoveRingColor) &&
                Near(image.pixel(Inside(b, Sq('e', '4'), 0.5, 0.98)), kLastMoveRingColor);
     }},
    {"last move arrow",
     {Sq('e', '2'), Sq('e', '4'), TLastMoveMark::Arrow, -1, ""},
     [](const TDiagramBoard& b, const QImage& image) {
         const QRgb middle = image.pixel(Inside(b, Sq('e', '3'), 0.5, 0.5));
         return qRed(middle) > 180 && qBlue(middle) < 100 &&
                !Near(image.pixel(Inside(b, Sq('d', '3'), 0.5, 0.5)), middle);
     }},
    {"check",
     {-1, -1, TLastMoveMark::None, Sq('e', '8'), ""},
     [](const TDiagramBoard& b, const QImage& image) {
         const int width = std::max(2, b.SquareSize() / 14);
         const QRect r = b.SquareRect(4, 7);
         return Near(image.pixel(r.center().x(), r.top() + 1 + width / 2), kCheckRingColor, 40);
     }},
    {"last move squares in the theme's colour",
     {Sq('e', '2'), Sq('e', '4'), TLastMoveMark::Squares, -1, ""},
     [](const TDiagramBoard& b, const QImage& image) {
         return Near(image.pixel(Inside(b, Sq('e', '2'), 0.02, 0.5)), kThemeMarks) &&
                Near(image.pixel(Inside(b, Sq('e', '4'), 0.5, 0.98)), kThemeMarks);
     },
     kThemeMarks},
    {"check in the theme's colour",
     {-1, -1, TLastMoveMark::None, Sq('e', '8'), ""},
     [](const TDiagramBoard& b, const QImage& image) {
         const int width = std::max(2, b.SquareSize() / 14);
         const QRect r = b.SquareRect(4, 7);
         return Near(image.pixel(r.center().x(), r.top() + 1 + width / 2), kThemeMarks, 40);
     },
     kThemeMarks},
    {"glyph badge",
     {Sq('g', '8'), Sq('f', '6'), TLastMoveMark::None, -1, "??"},
     [](const TDiagramBoard& b, const QImage& image) {
         return Near(image.pixel(Inside(b, Sq('f', '6'), 0.79, 0.06)), GlyphBadgeColor("??").rgb(), 40) &&
                Near(image.pixel(Inside(b, Sq('f', '6'), 0.1, 0.9)), image.pixel(Inside(b, Sq('h', '6'), 0.1, 0.9)));
     }},
};

TEST(PositionMarks, GameStateMarksOnBothRoadsAndGoneWithTheNextPosition) {
    for (const TRoad& road : kRoads) {
        for (const TStateCase& c : kStateCases) {
            SCOPED_TRACE(std::string(road.Name) + ", " + c.Name);
            TDiagramBoard board;
            board.SetPiece(4, 0, 1);
            board.SetPiece(4, 7, 7);
            if (c.MarkColor) board.SetMoveMarkColor(RgbToColor(*c.MarkColor));
            const QImage plain = road.Draw(board);
            board.SetMoveState(c.State);
            const QImage shown = road.Draw(board);
            EXPECT_TRUE(c.Shows(board, shown));
            EXPECT_FALSE(c.Shows(board, plain));
            board.SetPiece(4, 0, 1);  // any write of a square: the state belonged to the position before
            EXPECT_TRUE(board.MoveState().Empty());
            EXPECT_EQ(road.Draw(board), plain);
        }
    }
}

}  // namespace
}  // namespace vorlix
