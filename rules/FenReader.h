#pragma once
// Reading FEN text (placement, side, castling, en passant, two counters) into a position.
#include <string_view>

#include "rules/ChessPosition.h"

namespace vorlix {

// True on success; on any fault false, and the position is left as it was.
// Fills placement, side, castling, en passant, HalfMoveClock, MoveNumber and both check flags.
// Both counters must lie in 0..1,000,000.
bool ReadFEN(std::string_view text, TChessPosition& pos);

// The side field at text[i]: "w"/"W" or "b"/"B" followed by exactly one blank.
// On success i stands after that blank.
bool ReadSideField(std::string_view text, size_t& i, bool& whiteToMove);

// Castling letters in rights order K, Q, k, q, and "-", up to the next blank.
// On success i stands after that blank.
bool ReadCastlingField(std::string_view text, size_t& i, bool (&rights)[4]);

}  // namespace vorlix
