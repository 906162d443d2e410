#pragma once
// Reading one move token of a game (standard algebraic notation, the long form
// with a hyphen, annotation and check marks, "ep", promotions with or without "=").
#include <string_view>

#include "rules/ChessPosition.h"

namespace vorlix {

// True when the text has the shape of a move; says nothing about legality.
// FromFile/FromRank are -1 where the text does not give them.
bool DecodeMove(std::string_view text, bool whiteToMove, TChessMove& move);

}  // namespace vorlix
