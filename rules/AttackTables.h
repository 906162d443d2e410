#pragma once
// Square lists the move rules walk instead of stepping file and rank with
// bounds checks: knight and king targets, and the eight lines from a square.
#include <cstdint>

#include "rules/BoardGeometry.h"

namespace vorlix {

namespace attack_tables {
constexpr int kKingSteps[8][2] = {{-1, -1}, {-1, 0}, {-1, 1}, {0, -1}, {0, 1}, {1, -1}, {1, 0}, {1, 1}};
constexpr int kKnightJumps[8][2] = {{-2, -1}, {-2, 1}, {-1, -2}, {-1, 2}, {1, -2}, {1, 2}, {2, -1}, {2, 1}};
}  // namespace attack_tables

// The squares a knight or king reaches from each square, and the squares along
// each of the eight lines, nearest first; lists end with -1.
struct TAttackTables {
    int8_t Knight[64][9];
    int8_t King[64][9];
    int8_t Line[64][8][8];  // lines 0-3 straight, 4-7 diagonal
};

constexpr void FillSteps(int8_t (&list)[9], int file, int rank, const int (&steps)[8][2]) {
    int n = 0;
    for (const auto& s : steps)
        if (OnBoard(file + s[0], rank + s[1])) list[n++] = static_cast<int8_t>(SquareIndex(file + s[0], rank + s[1]));
    list[n] = -1;
}

constexpr TAttackTables MakeAttackTables() {
    constexpr int kLines[8][2] = {{1, 0}, {-1, 0}, {0, 1}, {0, -1}, {1, 1}, {1, -1}, {-1, 1}, {-1, -1}};
    TAttackTables t{};
    for (int sq = 0; sq < 64; ++sq) {
        const int file = SquareFile(sq), rank = SquareRank(sq);
        FillSteps(t.Knight[sq], file, rank, attack_tables::kKnightJumps);
        FillSteps(t.King[sq], file, rank, attack_tables::kKingSteps);
        for (int d = 0; d < 8; ++d) {
            int n = 0;
            for (int f = file + kLines[d][0], r = rank + kLines[d][1]; OnBoard(f, r); f += kLines[d][0], r += kLines[d][1])
                t.Line[sq][d][n++] = static_cast<int8_t>(SquareIndex(f, r));
            if (n < 8) t.Line[sq][d][n] = -1;
        }
    }
    return t;
}

inline constexpr TAttackTables kTables = MakeAttackTables();


}  // namespace vorlix
