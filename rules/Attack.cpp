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

bool FindKing(const int32_t (&board)[64], bool white, int& kingFile, int& kingRank) {
    const int32_t king = SidePiece(white, pcWKing);
    bool found = false;
    for (int rank = 0; rank < 8; ++rank)
        for (int file = 0; file < 8; ++file)
            if (board[SquareIndex(file, rank)] == king) {
                kingFile = file;
                kingRank = rank;
                found = true;  // the last one found counts
            }
    return found;
}

}  // namespace

bool IsKingAttacked(const int32_t (&board)[64], bool whiteKing) {
    int kf = 0, kr = 0;
    if (!FindKing(board, whiteKing, kf, kr)) return false;
    const bool enemyWhite = !whiteKing;

    const int pawnRank = whiteKing ? kr + 1 : kr - 1;
    const int32_t pawn = SidePiece(enemyWhite, pcWPawn);
    if (PieceAt(board, kf - 1, pawnRank, pawn) || PieceAt(board, kf + 1, pawnRank, pawn)) return true;

    const int32_t king = SidePiece(enemyWhite, pcWKing);
    const int32_t knight = SidePiece(enemyWhite, pcWKnight);
    for (int df = -2; df <= 2; ++df)
        for (int dr = -2; dr <= 2; ++dr) {
            const bool neighbour = std::abs(df) <= 1 && std::abs(dr) <= 1 && (df || dr);
            if (neighbour && PieceAt(board, kf + df, kr + dr, king)) return true;
            if (KnightJump(df, dr) && PieceAt(board, kf + df, kr + dr, knight)) return true;
        }

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
