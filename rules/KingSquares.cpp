#include "rules/KingSquares.h"

#include "rules/AttackTables.h"
#include "rules/BoardGeometry.h"
#include "rules/MoveRules.h"

namespace vorlix {

namespace {

void FindOne(const int32_t (&board)[64], bool white, int& count, int& square) {
    int file = 0, rank = 0;
    count = FindKing(board, white, file, rank);
    square = count ? SquareIndex(file, rank) : 0;
}

uint8_t PieceCodeOf(int32_t code) { return code >= pcWKing && code <= pcBPawn ? static_cast<uint8_t>(code) : 0; }

}  // namespace

void TKingSquares::SyncSquare(const int32_t (&board)[64], int square) {
    const uint64_t bit = uint64_t{1} << square;
    const uint8_t code = PieceCodeOf(board[square]);
    Pieces[codes_[square]] &= ~bit;
    Pieces[code] |= bit;
    codes_[square] = code;
    Occupied = (Occupied & ~bit) | (code ? bit : 0);
    Pieces[0] = 0;  // empty squares are not followed
}

void TKingSquares::Find(const int32_t (&board)[64]) {
    FindOne(board, true, Count[0], Square[0]);
    FindOne(board, false, Count[1], Square[1]);
    for (uint64_t& squares : Pieces) squares = 0;
    for (int square = 0; square < 64; ++square) {
        codes_[square] = PieceCodeOf(board[square]);
        Pieces[codes_[square]] |= uint64_t{1} << square;
    }
    Occupied = 0;
    for (int code = pcWKing; code <= pcBPawn; ++code) Occupied |= Pieces[code];
    Pieces[0] = 0;
    InCheck = -1;
}

void TKingSquares::Follow(const int32_t (&board)[64], const TChessMove& move) {
    const int32_t placed = move.Promotion > 0 ? move.Promotion : move.Piece;
    const int from = SquareIndex(move.FromFile, move.FromRank), to = SquareIndex(move.ToFile, move.ToRank);
    for (int side = 0; side < 2; ++side) {
        const int32_t king = side == 0 ? pcWKing : pcBKing;
        if (placed == king && Count[side] == 1 && Square[side] == from) {
            Square[side] = to;
            continue;
        }
        const bool unchanged =
            placed != king && (Count[side] == 0 || (Count[side] == 1 && board[Square[side]] == king));
        if (!unchanged) FindOne(board, side == 0, Count[side], Square[side]);
    }
    // The squares a move can change: its own two, an en-passant victim, a castling rook's.
    if (OnBoard(move.FromFile, move.FromRank)) {
        SyncSquare(board, from);
        if (move.EnPassant) SyncSquare(board, SquareIndex(move.ToFile, move.FromRank));
    }
    SyncSquare(board, to);
    int rookFrom = 0, rookTo = 0;
    if (CastlingRook(move, rookFrom, rookTo)) {
        SyncSquare(board, rookFrom);
        SyncSquare(board, rookTo);
    }
    InCheck = -1;
}

void TKingSquares::Follow(const TChessPosition& pos, const TChessMove& move) {
    Follow(pos.Board, move);
    const int side = pos.WhiteToMove ? 0 : 1;
    if (Count[side] == 1) InCheck = Attacked(Square[side], !pos.WhiteToMove) ? 1 : 0;
}

// A piece of the side attacks the square: a knight, king or pawn on one of
// the squares it attacks from, or a rook, bishop or queen on one of its lines
// with nothing between.
bool TKingSquares::AttackedAfter(int square, bool byWhite, uint64_t occupied, uint64_t removed) const {
    const int32_t side = byWhite ? 0 : kBlackOffset;
    const uint64_t kept = ~removed;
    if (kAttackMasks.Knight[square] & Pieces[pcWKnight + side] & kept) return true;
    if (kAttackMasks.King[square] & Pieces[pcWKing + side] & kept) return true;
    if (kAttackMasks.PawnAttackers[byWhite ? 0 : 1][square] & Pieces[pcWPawn + side] & kept) return true;
    const uint64_t queens = Pieces[pcWQueen + side];
    uint64_t sliders = ((kAttackMasks.Straight[square] & (Pieces[pcWRook + side] | queens)) |
                        (kAttackMasks.Diagonal[square] & (Pieces[pcWBishop + side] | queens))) &
                       kept;
    for (; sliders; sliders &= sliders - 1)
        if (!(kAttackMasks.Between[square][__builtin_ctzll(sliders)] & occupied)) return true;
    return false;
}

}  // namespace vorlix
