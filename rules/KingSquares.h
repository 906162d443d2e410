#pragma once
// Where the kings stand, kept up to date move by move so that validating a move
// never has to search the board for the mover's king; the squares of every
// kind of piece, so that candidates for a move are found without walking the
// board; and whether the side to move stands in check.
#include <cstdint>

#include "rules/ChessPosition.h"

namespace vorlix {

struct TKingSquares {
    // Per colour (0 white, 1 black): how many kings of that colour stand on the
    // board, and the square index of the one that counts (the last in
    // rank-by-rank reading order), valid when the count is at least one.
    int Count[2] = {0, 0};
    int Square[2] = {0, 0};
    // The one king of the side to move is attacked (1) or not (0); -1 when not known.
    int InCheck = -1;
    // Per piece code 1..12: one bit per square (bit i: square index i) holding it.
    uint64_t Pieces[13] = {};
    // The squares holding any piece.
    uint64_t Occupied = 0;

    // Searches the whole board; whether a king is in check is not known then.
    void Find(const int32_t (&board)[64]);
    // Brings the squares up to date after `move` was made on `board`: a king
    // that moved is followed; a king that vanished, or several kings of one
    // colour, make that colour search again. Check is not known afterwards.
    void Follow(const int32_t (&board)[64], const TChessMove& move);
    // The same after `move` was made on `pos`; also learns whether the side
    // now to move, when it has one king, stands in check.
    void Follow(const TChessPosition& pos, const TChessMove& move);
    // A piece of the given side attacks the square, on the board followed.
    bool Attacked(int square, bool byWhite) const { return AttackedAfter(square, byWhite, Occupied, 0); }
    // The same on the board followed with the squares held changed to
    // `occupied` and the pieces on `removed` taken off: a king's step tested
    // without a copy of the board.
    bool AttackedAfter(int square, bool byWhite, uint64_t occupied, uint64_t removed) const;

private:
    void SyncSquare(const int32_t (&board)[64], int square);

    uint8_t codes_[64] = {};  // the code each square had when last looked at (0 for none)
};

}  // namespace vorlix
