#pragma once
// Legality of one move given as text-decoded TChessMove, the attack test, and
// building the position after a move. No move lists: every test scans the board.
#include <cstdint>

#include "rules/ChessPosition.h"

namespace vorlix {

// True when the king of the given colour stands attacked on this board.
bool IsKingAttacked(const int32_t (&board)[64], bool whiteKing);
bool IsKingAttacked(const TChessPosition& pos, bool whiteKing);

// Finds the one piece of the side to move that can legally make the move.
// On success FromFile/FromRank name its square and EnPassant is set for an
// en-passant capture. The position is never changed.
bool ValidateMove(const TChessPosition& pos, TChessMove& move);

// Fills every field of `next` except MoveText, LastMove and the links.
void MakeMove(const TChessPosition& prev, TChessPosition& next, const TChessMove& move);

}  // namespace vorlix
