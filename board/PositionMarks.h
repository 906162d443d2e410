#pragma once
// What a position adds to its still diagram beyond the pieces: the side to
// move (kept with the diagram) and the state a game leaves it in (the last
// move, the king in check, the move's quality glyph). One painter draws them
// for every road, the bitmap rendering and the vector painter alike.
#include <QColor>
#include <QRect>
#include <cstdint>
#include <string>

#include "board/SquareInfo.h"

class QPainter;

namespace vorlix {

class TDiagramBoard;
struct TChessPosition;

enum class TSideToMove : uint8_t { None, White, Black };

enum class TLastMoveMark : uint8_t { None, Squares, Arrow };

struct TMoveState {
    int From = -1, To = -1;  // the last move's squares (file * 8 + rank); -1: none
    TLastMoveMark LastMove = TLastMoveMark::None;
    int Check = -1;     // the square of the king in check; -1: none
    std::string Glyph;  // "!!", "!", "!?", "?!", "?" or "??"; empty: none
    bool Empty() const { return LastMove == TLastMoveMark::None && Check < 0 && Glyph.empty(); }
    bool operator==(const TMoveState&) const = default;
};

// The side to move of a position.
TSideToMove SideOfPosition(const TChessPosition& position);
// The view that puts the side to move at the bottom (White's for none).
constexpr TView MoverView(TSideToMove side) { return side == TSideToMove::Black ? vwBlackUnder : vwWhiteUnder; }
// The king in check of a placement without a game (pieces by square, other
// codes ignored), the side given to move; no last move.
TMoveState CheckStateOf(const int32_t* squares, bool whiteToMove);
// What a game position shows: its last move drawn as asked (none for a
// start position, whose last move is all zero), the king of the side to move when it is attacked (if
// check), and the glyph given.
TMoveState MoveStateOfPosition(const TChessPosition& position, TLastMoveMark lastMove, bool check,
                               const std::string& glyph);

// The column right of the board that holds the mover mark: its width, 0 when
// no mark is shown (the setting is off or no side is set).
int MoverColumnWidth(const TDiagramBoard& board);
// The mover mark's square in diagram pixels; empty when none is shown.
QRect MoverMarkRect(const TDiagramBoard& board);
// The glyph badge's colour.
QColor GlyphBadgeColor(const std::string& glyph);
constexpr QRgb kLastMoveRingColor = 0xFFE8A000;
constexpr QRgb kCheckRingColor = 0xFFD01818;

// Draws the last move, the check ring, the glyph badge and the mover mark, in
// diagram pixels. Without background the mover column is left unpainted.
void PaintPositionMarks(QPainter& painter, const TDiagramBoard& board, bool background = true);

}  // namespace vorlix
