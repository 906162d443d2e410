#include "rules/KingSquares.h"

#include "rules/BoardGeometry.h"
#include "rules/MoveRules.h"

namespace vorlix {

namespace {

void FindOne(const int32_t (&board)[64], bool white, int& count, int& square) {
    int file = 0, rank = 0;
    count = FindKing(board, white, file, rank);
    square = count ? SquareIndex(file, rank) : 0;
}

}  // namespace

void TKingSquares::Find(const int32_t (&board)[64]) {
    FindOne(board, true, Count[0], Square[0]);
    FindOne(board, false, Count[1], Square[1]);
    InCheck = -1;
    WaitingKingSafe_ = false;
}

void TKingSquares::Follow(const int32_t (&board)[64], const TChessMove& move) {
    const int32_t placed = move.Promotion > 0 ? move.Promotion : move.Piece;
    const int from = SquareIndex(move.FromFile, move.FromRank), to = SquareIndex(move.ToFile, move.ToRank);
    for (int side = 0; side < 2; ++side) {
        const int32_t king = side == 0 ? pcWKing : pcBKing;
        if (placed == king && Count[side] == 1 && Square[side] == from) {
            Square[side] = to;
            continue;
        }
        const bool unchanged = placed != king && (Count[side] == 0 || (Count[side] == 1 && board[Square[side]] == king));
        if (!unchanged) FindOne(board, side == 0, Count[side], Square[side]);
    }
    InCheck = -1;
    WaitingKingSafe_ = false;
}

// A king that stood safe before the move can only be attacked after it by
// what the move changed: the piece put down, a castling rook, or a line
// opened through a square the move emptied.
void TKingSquares::Follow(const TChessPosition& pos, const TChessMove& move) {
    const bool moverWhite = !pos.WhiteToMove;
    const int mover = moverWhite ? 0 : 1, waiting = 1 - mover;
    const bool waitingWasSafe = WaitingKingSafe_;
    const int waitingCount = Count[waiting], waitingSquare = Square[waiting];
    Follow(pos.Board, move);
    // An accepted move leaves the mover's one king safe.
    WaitingKingSafe_ = Count[mover] == 1;
    const int king = Square[waiting];
    if (!waitingWasSafe || waitingCount != 1 || Count[waiting] != 1 || king != waitingSquare ||
        king == SquareIndex(move.ToFile, move.ToRank))
        return;
    InCheck = MoveAttacksSquare(pos, move, moverWhite, king) ? 1 : 0;
}

}  // namespace vorlix
