#include "rules/AttackTables.h"
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

namespace {

// The piece on `from` belongs to the side and attacks `target`.
bool PieceOnAttacks(const int32_t (&board)[64], int from, int target, bool white) {
    const int32_t code = board[from];
    if (white ? !IsWhitePiece(code) : !IsBlackPiece(code)) return false;
    const int ff = SquareFile(from), fr = SquareRank(from), tf = SquareFile(target), tr = SquareRank(target);
    const int df = tf - ff, dr = tr - fr;
    switch (white ? code : code - kBlackOffset) {
        case pcWPawn: return std::abs(df) == 1 && dr == (white ? 1 : -1);
        case pcWKnight: return KnightJump(df, dr);
        case pcWKing: return std::abs(df) <= 1 && std::abs(dr) <= 1 && (df || dr);
        case pcWBishop: return DiagonalLine(df, dr) && ClearPath(board, ff, fr, tf, tr);
        case pcWRook: return StraightLine(df, dr) && ClearPath(board, ff, fr, tf, tr);
        case pcWQueen: return (StraightLine(df, dr) || DiagonalLine(df, dr)) && ClearPath(board, ff, fr, tf, tr);
        default: return false;
    }
}

// The empty square `opened` lies on a clear line from `target` that ends at a
// rook, bishop or queen of the side able to move along it.
bool OpensLine(const int32_t (&board)[64], int opened, int target, bool white) {
    if (board[opened] != pcEmpty) return false;
    const int tf = SquareFile(target), tr = SquareRank(target), of = SquareFile(opened), orank = SquareRank(opened);
    const int df = of - tf, dr = orank - tr;
    const bool straight = StraightLine(df, dr);
    if (!straight && !DiagonalLine(df, dr)) return false;
    if (!ClearPath(board, tf, tr, of, orank)) return false;
    const int stepFile = (df > 0) - (df < 0), stepRank = (dr > 0) - (dr < 0);
    for (int file = of + stepFile, rank = orank + stepRank; OnBoard(file, rank); file += stepFile, rank += stepRank) {
        const int32_t code = board[SquareIndex(file, rank)];
        if (code == pcEmpty) continue;
        return code == SidePiece(white, pcWQueen) || code == SidePiece(white, straight ? pcWRook : pcWBishop);
    }
    return false;
}

}  // namespace

bool MoveAttacksSquare(const TChessPosition& pos, const TChessMove& move, bool white, int square) {
    const int32_t (&board)[64] = pos.Board;
    if (PieceOnAttacks(board, SquareIndex(move.ToFile, move.ToRank), square, white)) return true;
    if (!OnBoard(move.FromFile, move.FromRank)) return false;
    if (OpensLine(board, SquareIndex(move.FromFile, move.FromRank), square, white)) return true;
    if (move.EnPassant && OpensLine(board, SquareIndex(move.ToFile, move.FromRank), square, white)) return true;
    int rookFrom = 0, rookTo = 0;
    if (CastlingRook(move, rookFrom, rookTo))
        return PieceOnAttacks(board, rookTo, square, white) || OpensLine(board, rookFrom, square, white);
    return false;
}

}  // namespace vorlix
