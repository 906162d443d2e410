#pragma once
// The plain full-scan move rules, kept as the yardstick of the fast ones.
#include <string_view>

#include "rules/ChessPosition.h"

namespace vorlix::reference {

bool DecodeMove(std::string_view text, bool whiteToMove, TChessMove& move);
bool ValidateMove(const TChessPosition& pos, TChessMove& move);
void MakeMove(const TChessPosition& prev, TChessPosition& next, const TChessMove& move);

}  // namespace vorlix::reference
