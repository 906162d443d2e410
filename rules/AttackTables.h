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
            for (int f = file + kLines[d][0], r = rank + kLines[d][1]; OnBoard(f, r);
                 f += kLines[d][0], r += kLines[d][1])
                t.Line[sq][d][n++] = static_cast<int8_t>(SquareIndex(f, r));
            if (n < 8) t.Line[sq][d][n] = -1;
        }
    }
    return t;
}

inline constexpr TAttackTables kTables = MakeAttackTables();

// The same as square sets (bit i: square index i): knight targets, and the
// squares on the straight and on the diagonal lines of each square.
struct TAttackMasks {
    uint64_t Knight[64];
    uint64_t King[64];
    uint64_t Straight[64];
    uint64_t Diagonal[64];
    uint64_t PawnAttackers[2][64];  // where a white (0) or black (1) pawn attacks the square from
    uint64_t Between[64][64];       // the squares strictly between two squares on one line
};

constexpr TAttackMasks MakeAttackMasks() {
    TAttackMasks t{};
    for (int sq = 0; sq < 64; ++sq) {
        for (const int8_t* s = kTables.Knight[sq]; *s >= 0; ++s) t.Knight[sq] |= uint64_t{1} << *s;
        for (const int8_t* s = kTables.King[sq]; *s >= 0; ++s) t.King[sq] |= uint64_t{1} << *s;
        const int file = SquareFile(sq), rank = SquareRank(sq);
        for (const int df : {-1, 1}) {
            if (OnBoard(file + df, rank - 1)) t.PawnAttackers[0][sq] |= uint64_t{1} << SquareIndex(file + df, rank - 1);
            if (OnBoard(file + df, rank + 1)) t.PawnAttackers[1][sq] |= uint64_t{1} << SquareIndex(file + df, rank + 1);
        }
        for (int d = 0; d < 8; ++d) {
            uint64_t passed = 0;
            for (int i = 0; i < 8 && kTables.Line[sq][d][i] >= 0; ++i) {
                t.Between[sq][kTables.Line[sq][d][i]] = passed;
                passed |= uint64_t{1} << kTables.Line[sq][d][i];
            }
        }
        for (int d = 0; d < 8; ++d)
            for (int i = 0; i < 8 && kTables.Line[sq][d][i] >= 0; ++i)
                (d < 4 ? t.Straight[sq] : t.Diagonal[sq]) |= uint64_t{1} << kTables.Line[sq][d][i];
    }
    return t;
}

inline constexpr TAttackMasks kAttackMasks = MakeAttackMasks();

// For two squares on one line, which of the eight lines of the first passes
// through the second (the index into TAttackTables::Line); -1 when none does.
struct TLineDirections {
    int8_t Dir[64][64];
};

constexpr TLineDirections MakeLineDirections() {
    TLineDirections t{};
    for (int from = 0; from < 64; ++from) {
        for (int to = 0; to < 64; ++to) t.Dir[from][to] = -1;
        for (int d = 0; d < 8; ++d)
            for (int i = 0; i < 8 && kTables.Line[from][d][i] >= 0; ++i)
                t.Dir[from][kTables.Line[from][d][i]] = static_cast<int8_t>(d);
    }
    return t;
}

inline constexpr TLineDirections kLineDirections = MakeLineDirections();

// Lines 0-3 are straight, 4-7 diagonal.
constexpr bool IsStraightLineIndex(int dir) { return dir < 4; }

// Every square strictly between `from` and `to` is empty; `dir` is the line
// of `from` that passes through `to`.
inline bool ClearBetween(const int32_t (&board)[64], int from, int to, int dir) {
    for (const int8_t* square = kTables.Line[from][dir]; *square != to; ++square)
        if (board[*square] != pcEmpty) return false;
    return true;
}

// The first piece on line `dir` of `origin` beyond `through` (itself passed
// over, whatever stands there), when the squares between the two are empty;
// pcEmpty otherwise. `dir` is the line of `origin` through `through`.
inline int32_t FirstPieceBeyond(const int32_t (&board)[64], int origin, int through, int dir) {
    if (!ClearBetween(board, origin, through, dir)) return pcEmpty;
    const int8_t* square = kTables.Line[origin][dir];
    while (*square != through) ++square;
    for (++square; *square >= 0; ++square)
        if (board[*square] != pcEmpty) return board[*square];
    return pcEmpty;
}

// The slider of a side that attacks along a line of the given index: its queen, and its rook or bishop.
inline bool SlidesAlong(int32_t code, bool white, int dir) {
    return code == SidePiece(white, pcWQueen) ||
           code == SidePiece(white, IsStraightLineIndex(dir) ? pcWRook : pcWBishop);
}

}  // namespace vorlix
