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

// The first piece met walking from a square in one direction, or 0.
int32_t FirstPieceOnRay(const int32_t (&board)[64], int file, int rank, int stepFile, int stepRank) {
    for (file += stepFile, rank += stepRank; OnBoard(file, rank); file += stepFile, rank += stepRank) {
        const int32_t code = board[SquareIndex(file, rank)];
        if (code != pcEmpty) return code;
    }
    return pcEmpty;
}

bool PieceAt(const int32_t (&board)[64], int file, int rank, int32_t code) {
    return OnBoard(file, rank) && board[SquareIndex(file, rank)] == code;
}

bool AnyAt(const int32_t (&board)[64], int file, int rank, const int (&offsets)[8][2], int32_t code) {
    for (const auto& o : offsets)
        if (PieceAt(board, file + o[0], rank + o[1], code)) return true;
    return false;
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

bool IsSquareAttacked(const int32_t (&board)[64], int kf, int kr, bool enemyWhite) {
    // Pawns attack diagonally forward: a white pawn from the rank below.
    const int pawnRank = enemyWhite ? kr - 1 : kr + 1;
    const int32_t pawn = SidePiece(enemyWhite, pcWPawn);
    if (PieceAt(board, kf - 1, pawnRank, pawn) || PieceAt(board, kf + 1, pawnRank, pawn)) return true;

    if (AnyAt(board, kf, kr, kKingSteps, SidePiece(enemyWhite, pcWKing))) return true;
    if (AnyAt(board, kf, kr, kKnightJumps, SidePiece(enemyWhite, pcWKnight))) return true;

    const int32_t queen = SidePiece(enemyWhite, pcWQueen);
    const int32_t rook = SidePiece(enemyWhite, pcWRook);
    const int32_t bishop = SidePiece(enemyWhite, pcWBishop);
    static constexpr int kStraight[4][2] = {{1, 0}, {-1, 0}, {0, 1}, {0, -1}};
    static constexpr int kDiagonal[4][2] = {{1, 1}, {1, -1}, {-1, 1}, {-1, -1}};
    for (const auto& d : kStraight) {
        const int32_t code = FirstPieceOnRay(board, kf, kr, d[0], d[1]);
        if (code == rook || code == queen) return true;
    }
    for (const auto& d : kDiagonal) {
        const int32_t code = FirstPieceOnRay(board, kf, kr, d[0], d[1]);
        if (code == bishop || code == queen) return true;
    }
    return false;
}

bool IsKingAttacked(const TChessPosition& pos, bool whiteKing) { return IsKingAttacked(pos.Board, whiteKing); }

}  // namespace vorlix
