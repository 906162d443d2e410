#include "rules/BoardGeometry.h"
#include "rules/MoveRules.h"

namespace vorlix {

bool ClearPath(const int32_t (&board)[64], int fromFile, int fromRank, int toFile, int toRank) {
    const int stepFile = (toFile > fromFile) - (toFile < fromFile);
    const int stepRank = (toRank > fromRank) - (toRank < fromRank);
    int file = fromFile + stepFile;
    int rank = fromRank + stepRank;
    while (file != toFile || rank != toRank) {
        if (board[SquareIndex(file, rank)] != pcEmpty) return false;
        file += stepFile;
        rank += stepRank;
    }
    return true;
}

namespace {

bool PieceAt(const int32_t (&board)[64], int file, int rank, int32_t code) {
    return OnBoard(file, rank) && board[SquareIndex(file, rank)] == code;
}

constexpr int kKingSteps[8][2] = {{-1, -1}, {-1, 0}, {-1, 1}, {0, -1}, {0, 1}, {1, -1}, {1, 0}, {1, 1}};
constexpr int kKnightJumps[8][2] = {{-2, -1}, {-2, 1}, {-1, -2}, {-1, 2}, {1, -2}, {1, 2}, {2, -1}, {2, 1}};

}  // namespace

int FindKing(const int32_t (&board)[64], bool white, int& file, int& rank) {
    const int32_t king = SidePiece(white, pcWKing);
    int count = 0;
    for (int index = 0; index < 64; ++index) count += board[index] == king;
    if (count == 0) return 0;
    int best = -1;
    for (int index = 0; index < 64; ++index) {
        if (board[index] != king) continue;
        const int order = SquareRank(index) * 8 + SquareFile(index);
        if (order > best) best = order;
        if (count == 1) break;
    }
    file = best % 8;
    rank = best / 8;
    return count;
}

bool IsKingAttacked(const int32_t (&board)[64], bool whiteKing) {
    int kf = 0, kr = 0;
    return FindKing(board, whiteKing, kf, kr) && IsSquareAttacked(board, kf, kr, !whiteKing);
}

namespace {

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
        FillSteps(t.Knight[sq], file, rank, kKnightJumps);
        FillSteps(t.King[sq], file, rank, kKingSteps);
        for (int d = 0; d < 8; ++d) {
            int n = 0;
            for (int f = file + kLines[d][0], r = rank + kLines[d][1]; OnBoard(f, r); f += kLines[d][0], r += kLines[d][1])
                t.Line[sq][d][n++] = static_cast<int8_t>(SquareIndex(f, r));
            if (n < 8) t.Line[sq][d][n] = -1;
        }
    }
    return t;
}

constexpr TAttackTables kTables = MakeAttackTables();

bool AnyOn(const int32_t (&board)[64], const int8_t* list, int32_t code) {
    for (; *list >= 0; ++list)
        if (board[*list] == code) return true;
    return false;
}

// The first piece on one line from a square, or 0.
int32_t FirstOnLine(const int32_t (&board)[64], const int8_t (&line)[8]) {
    for (int i = 0; i < 8 && line[i] >= 0; ++i)
        if (board[line[i]] != pcEmpty) return board[line[i]];
    return pcEmpty;
}

}  // namespace

bool IsSquareAttacked(const int32_t (&board)[64], int kf, int kr, bool enemyWhite) {
    // Pawns attack diagonally forward: a white pawn from the rank below.
    const int pawnRank = enemyWhite ? kr - 1 : kr + 1;
    const int32_t pawn = SidePiece(enemyWhite, pcWPawn);
    if (PieceAt(board, kf - 1, pawnRank, pawn) || PieceAt(board, kf + 1, pawnRank, pawn)) return true;

    const int sq = SquareIndex(kf, kr);
    if (AnyOn(board, kTables.King[sq], SidePiece(enemyWhite, pcWKing))) return true;
    if (AnyOn(board, kTables.Knight[sq], SidePiece(enemyWhite, pcWKnight))) return true;

    const int32_t queen = SidePiece(enemyWhite, pcWQueen);
    const int32_t rook = SidePiece(enemyWhite, pcWRook);
    const int32_t bishop = SidePiece(enemyWhite, pcWBishop);
    for (int d = 0; d < 4; ++d) {
        const int32_t code = FirstOnLine(board, kTables.Line[sq][d]);
        if (code == rook || code == queen) return true;
    }
    for (int d = 4; d < 8; ++d) {
        const int32_t code = FirstOnLine(board, kTables.Line[sq][d]);
        if (code == bishop || code == queen) return true;
    }
    return false;
}

bool IsKingAttacked(const TChessPosition& pos, bool whiteKing) { return IsKingAttacked(pos.Board, whiteKing); }

}  // namespace vorlix
