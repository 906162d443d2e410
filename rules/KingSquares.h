#pragma once
// Where the kings stand, kept up to date move by move so that validating a move
// never has to search the board for the mover's king.
#include <cstdint>

#include "rules/ChessPosition.h"

namespace vorlix {

struct TKingSquares {
    // Per colour (0 white, 1 black): how many kings of that colour stand on the
    // board, and the square index of the one that counts (the last in
    // rank-by-rank reading order), valid when the count is at least one.
    int Count[2] = {0, 0};
    int Square[2] = {0, 0};

    // Searches the whole board.
    void Find(const int32_t (&board)[64]);
    // Brings the squares up to date after `move` was made on `board`: a king
    // that moved is followed; a king that vanished, or several kings of one
    // colour, make that colour search again.
    void Follow(const int32_t (&board)[64], const TChessMove& move);
};

}  // namespace vorlix
