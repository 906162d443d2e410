#include "board/PositionMarks.h"

#include <QPainter>
#include <QPainterPath>
#include <algorithm>

#include "board/DiagramBoard.h"
#include "board/Fonts.h"
#include "board/MarkPainter.h"
#include "rules/ChessPosition.h"
#include "rules/MoveRules.h"

namespace vorlix {

namespace {

// The mark is about a third of a square, with a little air on either side.
int MoverMarkSide(int squareSize) { return std::max(6, (squareSize + 1) / 3); }
int MoverGap(int squareSize) { return std::max(3, squareSize / 8); }

QRectF SquareRectF(const TDiagramBoard& board, int square) { return QRectF(board.SquareRect(square / 8, square % 8)); }

// A ring just inside a square's edge: the piece in the middle stays uncovered.
void PaintSquareRing(QPainter& painter, const QRectF& square, qreal width, const QColor& color) {
    QPainterPath ring;
    ring.setFillRule(Qt::OddEvenFill);
    ring.addRect(square);
    ring.addRect(square.adjusted(width, width, -width, -width));
    painter.fillPath(ring, color);
}

// A theme's colour for both game marks, else each its own.
QColor MoveMarkColor(const TDiagramBoard& board, QRgb own) {
    return board.MoveMarkColor() ? ColorToQColor(*board.MoveMarkColor()) : QColor::fromRgba(own);
}

void PaintLastMove(QPainter& painter, const TDiagramBoard& board, const TMoveState& state) {
    const QColor color = MoveMarkColor(board, kLastMoveRingColor);
    if (state.LastMove == TLastMoveMark::Squares) {
        const qreal width = std::max(2, board.SquareSize() / 12);
        for (int square : {state.From, state.To}) PaintSquareRing(painter, SquareRectF(board, square), width, color);
    } else if (state.LastMove == TLastMoveMark::Arrow) {
        QColor arrow = color;
        arrow.setAlpha(200);
        PaintArrow(painter, board, state.From, state.To, arrow);
    }
}

void PaintCheck(QPainter& painter, const TDiagramBoard& board, int square) {
    const qreal width = std::max(2, board.SquareSize() / 14);
    const QRectF rect = SquareRectF(board, square);
    QPen pen(MoveMarkColor(board, kCheckRingColor), width);
    painter.setPen(pen);
    painter.setBrush(Qt::NoBrush);
    painter.drawEllipse(rect.adjusted(width / 2 + 1, width / 2 + 1, -width / 2 - 1, -width / 2 - 1));
}

// A round badge in the destination square's upper right corner, as annotated boards show it.
void PaintGlyph(QPainter& painter, const TDiagramBoard& board, int square, const std::string& glyph) {
    const QRectF rect = SquareRectF(board, square);
    const qreal d = std::max(10.0, rect.width() * 0.42);
    const QRectF badge(rect.right() - d, rect.top(), d, d);
    painter.setPen(Qt::NoPen);
    painter.setBrush(GlyphBadgeColor(glyph));
    painter.drawEllipse(badge);
    QFont font = MakeFont(board.Font());
    font.setBold(true);
    font.setPixelSize(std::max(6, int(d * (glyph.size() > 1 ? 0.5 : 0.7))));
    painter.setFont(font);
    painter.setPen(Qt::white);
    painter.drawText(badge, Qt::AlignCenter, QString::fromStdString(glyph));
}

void PaintMoverMark(QPainter& painter, const TDiagramBoard& board, bool background) {
    const QRect mark = MoverMarkRect(board);
    if (mark.isEmpty()) return;
    if (background) {
        const QSize size = board.DiagramSize();
        const int column = MoverColumnWidth(board);
        painter.fillRect(QRect(size.width() - column, 0, column, size.height()),
                         ColorToQColor(board.CoordenateBackColor()));
    }
    // Printed books' convention: a filled square for Black, an empty one for White.
    if (board.SideToMove() == TSideToMove::Black) {
        painter.fillRect(mark, Qt::black);
        return;
    }
    const int line = std::max(1, board.SquareSize() / 24);
    painter.fillRect(mark.adjusted(line, line, -line, -line), Qt::white);
    PaintSquareRing(painter, QRectF(mark), line, Qt::black);
}

}  // namespace

TSideToMove SideOfPosition(const TChessPosition& position) {
    return position.WhiteToMove ? TSideToMove::White : TSideToMove::Black;
}

TMoveState MoveStateOfPosition(const TChessPosition& position, TLastMoveMark lastMove, bool check,
                               const std::string& glyph) {
    TMoveState state;
    const TChessMove& move = position.LastMove;
    if (move.Piece != 0 && move.FromFile >= 0 && move.FromFile < 8 && move.FromRank >= 0 && move.FromRank < 8 &&
        move.ToFile >= 0 && move.ToFile < 8 && move.ToRank >= 0 && move.ToRank < 8) {
        state.From = SquareIndex(move.FromFile, move.FromRank);
        state.To = SquareIndex(move.ToFile, move.ToRank);
        state.LastMove = lastMove;
        state.Glyph = glyph;
    }
    int file = 0, rank = 0;
    if (check && FindKing(position.Board, position.WhiteToMove, file, rank) > 0 &&
        IsKingAttacked(position.Board, position.WhiteToMove))
        state.Check = SquareIndex(file, rank);
    return state;
}

TMoveState CheckStateOf(const int32_t* squares, bool whiteToMove) {
    TChessPosition position;
    for (int i = 0; i < 64; ++i) position.Board[i] = squares[i] <= pcBPawn ? squares[i] : pcEmpty;
    position.WhiteToMove = whiteToMove;
    return MoveStateOfPosition(position, TLastMoveMark::None, true, {});
}

QColor GlyphBadgeColor(const std::string& glyph) {
    if (glyph == "!!") return QColor(0x1B, 0x8A, 0xB0);
    if (glyph == "!") return QColor(0x2E, 0x8B, 0x3E);
    if (glyph == "!?") return QColor(0x6A, 0x5A, 0xCD);
    if (glyph == "?!") return QColor(0xD0, 0x90, 0x10);
    if (glyph == "?") return QColor(0xE0, 0x60, 0x10);
    return QColor(0xC0, 0x18, 0x18);  // "??"
}

int MoverColumnWidth(const TDiagramBoard& board) {
    if (!board.ShowSideToMove() || board.SideToMove() == TSideToMove::None) return 0;
    const int s = board.SquareSize();
    return MoverMarkSide(s) + 2 * MoverGap(s);
}

QRect MoverMarkRect(const TDiagramBoard& board) {
    const int column = MoverColumnWidth(board);
    if (column == 0) return {};
    const int s = board.SquareSize(), side = MoverMarkSide(s);
    const QSize size = board.DiagramSize();
    const TCoordenateOrientation bands = board.CoordenateBandSides();
    const int north = (bands & North) ? s : 0, south = (bands & South) ? s : 0;
    // Beside the board's lower right corner when the mover plays up the board, else the upper one.
    const int top = board.MoverAtBottom() ? size.height() - south - side : north;
    return QRect(size.width() - column + MoverGap(s), top, side, side);
}

void PaintPositionMarks(QPainter& painter, const TDiagramBoard& board, bool background) {
    const TMoveState& state = board.MoveState();
    painter.save();
    painter.setRenderHint(QPainter::Antialiasing, true);
    painter.setRenderHint(QPainter::TextAntialiasing, true);
    PaintLastMove(painter, board, state);
    if (state.Check >= 0) PaintCheck(painter, board, state.Check);
    if (!state.Glyph.empty() && state.To >= 0) PaintGlyph(painter, board, state.To, state.Glyph);
    painter.setRenderHint(QPainter::Antialiasing, false);
    PaintMoverMark(painter, board, background);
    painter.restore();
}

}  // namespace vorlix
