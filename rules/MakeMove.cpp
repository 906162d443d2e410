#include <cstring>

#include "rules/BoardGeometry.h"
#include "rules/MoveRules.h"

namespace vorlix {

namespace {

void MoveCastlingRook(int32_t (&board)[64], const TChessMove& move) {
    const bool whiteKing = move.Piece == pcWKing, blackKing = move.Piece == pcBKing;
    const int home = whiteKing ? 0 : 7;
    if (!(whiteKing || blackKing) || move.FromFile != 4 || move.FromRank != home || move.ToRank != home) return;
    int rookFrom, rookTo;
    if (move.ToFile == 6) {
        rookFrom = 7;
        rookTo = 5;
    } else if (move.ToFile == 2) {
        rookFrom = 0;
        rookTo = 3;
    } else {
        return;
    }
    board[SquareIndex(rookTo, home)] = board[SquareIndex(rookFrom, home)];
    board[SquareIndex(rookFrom, home)] = pcEmpty;
}

// A king or rook leaving its home square clears its rights; so does anything
// arriving on a rook's corner, since that rook is then gone (otherwise a later
// rook reaching the corner could castle).
void UpdateCastlingRights(TChessPosition& next, const TChessMove& move) {
    const auto from = [&](int file, int rank) { return move.FromFile == file && move.FromRank == rank; };
    const auto to = [&](int file, int rank) { return move.ToFile == file && move.ToRank == rank; };
    if (to(0, 0)) next.CastleWhiteLong = false;
    if (to(7, 0)) next.CastleWhiteShort = false;
    if (to(0, 7)) next.CastleBlackLong = false;
    if (to(7, 7)) next.CastleBlackShort = false;
    if (move.Piece == pcWKing && from(4, 0)) next.CastleWhiteShort = next.CastleWhiteLong = false;
    if (move.Piece == pcWRook && from(0, 0)) next.CastleWhiteLong = false;
    if (move.Piece == pcWRook && from(7, 0)) next.CastleWhiteShort = false;
    if (move.Piece == pcBKing && from(4, 7)) next.CastleBlackShort = next.CastleBlackLong = false;
    if (move.Piece == pcBRook && from(0, 7)) next.CastleBlackLong = false;
    if (move.Piece == pcBRook && from(7, 7)) next.CastleBlackShort = false;
}

void UpdatePawnState(const TChessPosition& prev, TChessPosition& next, const TChessMove& move) {
    next.EpPossible = false;
    next.EpFile = next.EpRank = -1;
    if (move.Piece != pcWPawn && move.Piece != pcBPawn) {
        next.HalfMoveClock = prev.HalfMoveClock + 1;
        return;
    }
    next.HalfMoveClock = 0;
    if (move.FromFile == move.ToFile && std::abs(move.ToRank - move.FromRank) == 2) {
        next.EpPossible = true;
        next.EpFile = move.ToFile;
        next.EpRank = (move.FromRank + move.ToRank) / 2;
    }
}

}  // namespace

void MakeMove(const TChessPosition& prev, TChessPosition& next, const TChessMove& move) {
    std::memcpy(next.Board, prev.Board, sizeof next.Board);
    if (OnBoard(move.FromFile, move.FromRank)) next.Board[SquareIndex(move.FromFile, move.FromRank)] = pcEmpty;
    MoveCastlingRook(next.Board, move);
    if (move.EnPassant && prev.EpPossible && OnBoard(move.FromFile, move.FromRank))
        next.Board[SquareIndex(move.ToFile, move.FromRank)] = pcEmpty;
    next.Board[SquareIndex(move.ToFile, move.ToRank)] = move.Promotion > 0 ? move.Promotion : move.Piece;

    next.WhiteToMove = !prev.WhiteToMove;
    next.MoveNumber = prev.WhiteToMove ? prev.MoveNumber + 1 : prev.MoveNumber;
    next.WhiteInCheck = next.BlackInCheck = false;
    if (move.CheckMark == '+' || move.CheckMark == '#') (next.WhiteToMove ? next.WhiteInCheck : next.BlackInCheck) = true;

    next.CastleWhiteShort = prev.CastleWhiteShort;
    next.CastleWhiteLong = prev.CastleWhiteLong;
    next.CastleBlackShort = prev.CastleBlackShort;
    next.CastleBlackLong = prev.CastleBlackLong;
    UpdateCastlingRights(next, move);
    UpdatePawnState(prev, next, move);
}

}  // namespace vorlix
