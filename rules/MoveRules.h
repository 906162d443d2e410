#pragma once
// Legality of one move given as text-decoded TChessMove, the attack test, and
// building the position after a move. No move lists: candidates are found by
// walking out from the target square.
#include <cstdint>

#include "rules/ChessPosition.h"

namespace vorlix {

// True when the king of the given colour stands attacked on this board.
bool IsKingAttacked(const int32_t (&board)[64], bool whiteKing);
bool IsKingAttacked(const TChessPosition& pos, bool whiteKing);
// True when a piece of the given colour attacks the square.
bool IsSquareAttacked(const int32_t (&board)[64], int file, int rank, bool byWhite);
// Counts the kings of one colour; `file`/`rank` name the one that counts (the
// last in rank-by-rank reading order) when there is any.
int FindKing(const int32_t (&board)[64], bool white, int& file, int& rank);

struct TKingSquares;

// Finds the one piece of the side to move that can legally make the move.
// On success FromFile/FromRank name its square and EnPassant is set for an
// en-passant capture. The position is never changed.
bool ValidateMove(const TChessPosition& pos, TChessMove& move);
// The same with the kings of the position already known (see TKingSquares).
bool ValidateMove(const TChessPosition& pos, const TKingSquares& kings, TChessMove& move);

// Fills every field of `next` except MoveText, LastMove and the links.
void MakeMove(const TChessPosition& prev, TChessPosition& next, const TChessMove& move);
// Makes a validated move on the position itself (the same fields as MakeMove).
void PlayMove(TChessPosition& pos, const TChessMove& move);
// The ranks whose squares a validated move changes, one bit per rank.
unsigned RanksChangedBy(const TChessMove& move);
// A castling move: the squares the rook moves from and to.
bool CastlingRook(const TChessMove& move, int& rookFrom, int& rookTo);

}  // namespace vorlix
