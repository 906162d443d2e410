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
}

}  // namespace vorlix
