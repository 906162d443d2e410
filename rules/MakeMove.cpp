#include <cstring>

#include "rules/BoardGeometry.h"
#include "rules/MoveRules.h"

namespace vorlix {

namespace {

void MoveCastlingRook(int32_t (&board)[64], const TChessMove& move) {
    int rookFrom = 0, rookTo = 0;
    if (!CastlingRook(move, rookFrom, rookTo)) return;
    board[rookTo] = board[rookFrom];
    board[rookFrom] = pcEmpty;
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

// The halfmove clock counts the moves since the last pawn move or capture,
// as FEN defines it: engines reading our FEN act on it.
void UpdatePawnState(TChessPosition& pos, const TChessMove& move, bool captured) {
    pos.EpPossible = false;
    pos.EpFile = pos.EpRank = -1;
    if (move.Piece != pcWPawn && move.Piece != pcBPawn) {
        pos.HalfMoveClock = captured ? 0 : pos.HalfMoveClock + 1;
        return;
    }
    pos.HalfMoveClock = 0;
    if (move.FromFile == move.ToFile && std::abs(move.ToRank - move.FromRank) == 2) {
        pos.EpPossible = true;
        pos.EpFile = move.ToFile;
        pos.EpRank = (move.FromRank + move.ToRank) / 2;
    }
}

}  // namespace

bool CastlingRook(const TChessMove& move, int& rookFrom, int& rookTo) {
    const bool whiteKing = move.Piece == pcWKing, blackKing = move.Piece == pcBKing;
    const int home = whiteKing ? 0 : 7;
    if (!(whiteKing || blackKing) || move.FromFile != 4 || move.FromRank != home || move.ToRank != home) return false;
    if (move.ToFile == 6) {
        rookFrom = SquareIndex(7, home);
        rookTo = SquareIndex(5, home);
    } else if (move.ToFile == 2) {
        rookFrom = SquareIndex(0, home);
        rookTo = SquareIndex(3, home);
    } else {
        return false;
    }
    return true;
}

void PlayMove(TChessPosition& pos, const TChessMove& move) {
    int32_t(&board)[64] = pos.Board;
    if (OnBoard(move.FromFile, move.FromRank)) board[SquareIndex(move.FromFile, move.FromRank)] = pcEmpty;
    MoveCastlingRook(board, move);
    if (move.EnPassant && pos.EpPossible && OnBoard(move.FromFile, move.FromRank))
        board[SquareIndex(move.ToFile, move.FromRank)] = pcEmpty;
    int32_t& target = board[SquareIndex(move.ToFile, move.ToRank)];
    const bool captured = target != pcEmpty;
    target = move.Promotion > 0 ? move.Promotion : move.Piece;

    if (pos.WhiteToMove) ++pos.MoveNumber;
    pos.WhiteToMove = !pos.WhiteToMove;
    pos.WhiteInCheck = pos.BlackInCheck = false;
    if (move.CheckMark == '+' || move.CheckMark == '#') (pos.WhiteToMove ? pos.WhiteInCheck : pos.BlackInCheck) = true;
    UpdateCastlingRights(pos, move);
    UpdatePawnState(pos, move, captured);
}

unsigned RanksChangedBy(const TChessMove& move) {
    const unsigned from = OnBoard(move.FromFile, move.FromRank) ? 1u << move.FromRank : 0u;
    return from | 1u << move.ToRank;
}

void MakeMove(const TChessPosition& prev, TChessPosition& next, const TChessMove& move) {
    std::memcpy(next.Board, prev.Board, sizeof next.Board);
    next.MoveNumber = prev.MoveNumber;
    next.WhiteToMove = prev.WhiteToMove;
    next.CastleWhiteShort = prev.CastleWhiteShort;
    next.CastleWhiteLong = prev.CastleWhiteLong;
    next.CastleBlackShort = prev.CastleBlackShort;
    next.CastleBlackLong = prev.CastleBlackLong;
    next.EpPossible = prev.EpPossible;
    next.EpFile = prev.EpFile;
    next.EpRank = prev.EpRank;
    next.HalfMoveClock = prev.HalfMoveClock;
    PlayMove(next, move);
}

}  // namespace vorlix
