#pragma once
// Small board helpers shared by the move rules.
#include <cstdint>
#include <cstdlib>

#include "rules/ChessPosition.h"

namespace vorlix {

constexpr bool OnBoard(int file, int rank) { return file >= 0 && file < 8 && rank >= 0 && rank < 8; }
constexpr bool IsWhitePiece(int32_t code) { return code >= pcWKing && code <= pcWPawn; }
constexpr bool IsBlackPiece(int32_t code) { return code >= pcBKing && code <= pcBPawn; }
constexpr bool IsEnemyOf(bool white, int32_t code) { return white ? IsBlackPiece(code) : IsWhitePiece(code); }
// The code of a white piece kind for the given side.
constexpr int32_t SidePiece(bool white, int32_t whiteCode) { return white ? whiteCode : whiteCode + kBlackOffset; }

// Every square strictly between two squares on one line is empty.
bool ClearPath(const int32_t (&board)[64], int fromFile, int fromRank, int toFile, int toRank);

inline bool KnightJump(int df, int dr) {
    df = std::abs(df);
    dr = std::abs(dr);
    return (df == 1 && dr == 2) || (df == 2 && dr == 1);
}
inline bool DiagonalLine(int df, int dr) { return df != 0 && std::abs(df) == std::abs(dr); }
inline bool StraightLine(int df, int dr) { return (df == 0) != (dr == 0); }

}  // namespace vorlix
