#pragma once
// The board's three text forms over its 64 square codes (file-major):
// the FEN piece placement, the setup text and the plain-text picture.
#include <array>
#include <cstdint>
#include <optional>
#include <string>

#include "board/PositionMarks.h"
#include "board/SquareInfo.h"

namespace vorlix {

using TSquareCodes = std::array<int32_t, 64>;

// The codes of a text that starts with a complete FEN placement, else nothing.
std::optional<TSquareCodes> ReadPlacement(const std::string& text);
std::string WritePlacement(const TSquareCodes& codes);

// The codes of valid setup text ("wKe1,Qd1/bKe8"), else nothing.
std::optional<TSquareCodes> ReadSetup(const std::string& text);
// Empty for an empty board.
std::string WriteSetup(const TSquareCodes& codes);

// The side to move a position text gives: the word after the placement or
// setup text ("w" or "b", as in FEN); None when there is none.
TSideToMove SideToMoveOfText(const std::string& text);
// " w" or " b" for a side, to follow a placement or setup text; empty for None.
std::string SideToMoveSuffix(TSideToMove side);

// The plain-text picture, lines separated by CR LF, no line end after the last.
std::string WriteTextDiagram(const TSquareCodes& codes, TView view);

}  // namespace vorlix
