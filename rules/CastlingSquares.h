#pragma once
// Which castling rights a set of squares can hold at all: the king and the
// rook must stand on their home squares.
#include <cstddef>

#include "rules/ChessPosition.h"

namespace vorlix {

struct TCastlingSquares {
    bool WhiteShort = false;  // white king e1, white rook h1
    bool WhiteLong = false;   // white king e1, white rook a1
    bool BlackShort = false;  // black king e8, black rook h8
    bool BlackLong = false;   // black king e8, black rook a8
};

// board: 64 piece codes, index file * 8 + rank.
template <class TCode>
TCastlingSquares CastlingSquares(const TCode (&board)[64]) {
    auto at = [&](int file, int rank) { return static_cast<int>(board[SquareIndex(file, rank)]); };
    const bool whiteKing = at(4, 0) == pcWKing, blackKing = at(4, 7) == pcBKing;
    return {whiteKing && at(7, 0) == pcWRook, whiteKing && at(0, 0) == pcWRook, blackKing && at(7, 7) == pcBRook,
            blackKing && at(0, 7) == pcBRook};
}

}  // namespace vorlix
