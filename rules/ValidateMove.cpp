#include <cstring>

#include "rules/AttackTables.h"
#include "rules/BoardGeometry.h"
#include "rules/KingSquares.h"
#include "rules/MoveRules.h"

namespace vorlix {

namespace {

struct TSquare {
    int File;
    int Rank;
};

int32_t At(const TChessPosition& pos, int file, int rank) { return pos.Board[SquareIndex(file, rank)]; }

// What one validation knows about the side to move. Whether its king stands in
// check is learnt at most once, and only when a candidate needs it.
class TMover {
public:
    TMover(const TChessPosition& pos, const TKingSquares& kings)
        : Pos(pos),
          Kings(kings),
          White(pos.WhiteToMove),
          KingCount(kings.Count[pos.WhiteToMove ? 0 : 1]),
          KingFile(SquareFile(kings.Square[pos.WhiteToMove ? 0 : 1])),
          KingRank(SquareRank(kings.Square[pos.WhiteToMove ? 0 : 1])),
          inCheck_(kings.InCheck) {}

    // The mover's king is safe after the candidate moves from `from` to the target.
    bool Legal(const TChessMove& move, TSquare from, bool enPassant) {
        const int32_t placed = move.Promotion > 0 ? move.Promotion : move.Piece;
        const int32_t king = SidePiece(White, pcWKing);
        const bool ownPlaced = White ? IsWhitePiece(placed) : IsBlackPiece(placed);
        if (KingCount != 1 || enPassant || !ownPlaced) return TriedOnCopy(move, from, enPassant);
        const bool kingMoves = At(Pos, from.File, from.Rank) == king;
        if (kingMoves && placed == king) return KingSafeOn(move, from);
        if (kingMoves || placed == king || InCheck()) return TriedOnCopy(move, from, false);
        // Out of check, only a piece that leaves a line to the king can expose it.
        return !Pinned(from) || TriedOnCopy(move, from, false);
    }

private:
    bool InCheck() {
        if (inCheck_ < 0) inCheck_ = Kings.Attacked(SquareIndex(KingFile, KingRank), !White);
        return inCheck_ != 0;
    }

    // The piece on `from` shields the king from an enemy rook, bishop or queen.
    bool Pinned(TSquare from) const {
        const int king = SquareIndex(KingFile, KingRank), square = SquareIndex(from.File, from.Rank);
        const int dir = kLineDirections.Dir[king][square];
        return dir >= 0 && SlidesAlong(FirstPieceBeyond(Pos.Board, king, square, dir), !White, dir);
    }

    // The one king steps to the target: the enemy's attacks on it, from the
    // square sets with the king moved and a piece taken there removed.
    bool KingSafeOn(const TChessMove& move, TSquare from) const {
        const int to = SquareIndex(move.ToFile, move.ToRank);
        const uint64_t toBit = uint64_t{1} << to, fromBit = uint64_t{1} << SquareIndex(from.File, from.Rank);
        return !Kings.AttackedAfter(to, !White, (Kings.Occupied & ~fromBit) | toBit, toBit);
    }

    // The full test on a copy of the board, for the rare cases: en passant,
    // check, pins, a board with no or several kings of the mover's colour, a
    // king put down by a promotion or taken off by one.
    bool TriedOnCopy(const TChessMove& move, TSquare from, bool enPassant) const {
        int32_t scratch[64];
        std::memcpy(scratch, Pos.Board, sizeof scratch);
        const int32_t placed = move.Promotion > 0 ? move.Promotion : move.Piece;
        scratch[SquareIndex(move.ToFile, move.ToRank)] = placed;
        scratch[SquareIndex(from.File, from.Rank)] = pcEmpty;
        if (enPassant) scratch[SquareIndex(move.ToFile, from.Rank)] = pcEmpty;
        const int32_t king = SidePiece(White, pcWKing);
        if (placed != king && KingCount == 1 && scratch[SquareIndex(KingFile, KingRank)] == king)
            return !IsSquareAttacked(scratch, KingFile, KingRank, !White);
        return !IsKingAttacked(scratch, White);
    }

public:
    const TChessPosition& Pos;
    const TKingSquares& Kings;
    const bool White;

private:
    const int KingCount;
    const int KingFile;
    const int KingRank;
    int inCheck_;  // -1: not yet known
};

bool Accept(TChessMove& move, TSquare from) {
    move.FromFile = from.File;
    move.FromRank = from.Rank;
    return true;
}

// Empty target without capture mark, or enemy piece with capture mark.
bool TargetFits(const TChessPosition& pos, const TChessMove& move) {
    const int32_t target = At(pos, move.ToFile, move.ToRank);
    if (target == pcEmpty) return !move.Capture;
    return move.Capture && IsEnemyOf(pos.WhiteToMove, target);
}

enum class TKind { Knight, Bishop, Rook, Queen };

bool GeometryFits(const TChessPosition& pos, TKind kind, TSquare from, const TChessMove& move) {
    const int df = move.ToFile - from.File;
    const int dr = move.ToRank - from.Rank;
    const auto path = [&] { return ClearPath(pos.Board, from.File, from.Rank, move.ToFile, move.ToRank); };
    switch (kind) {
        case TKind::Knight: return KnightJump(df, dr);
        case TKind::Bishop: return DiagonalLine(df, dr) && path();
        case TKind::Rook: return StraightLine(df, dr) && path();
        case TKind::Queen: return (StraightLine(df, dr) || DiagonalLine(df, dr)) && path();
    }
    return false;
}

// The squares holding `piece` from which it reaches the target: the piece's
// squares on the target's lines (or knight jumps), with the way clear. At most 8.
int Reachers(const TChessPosition& pos, const TKingSquares& kings, TKind kind, int32_t piece, const TChessMove& move,
             TSquare (&found)[8]) {
    const int to = SquareIndex(move.ToFile, move.ToRank);
    uint64_t reach = 0;
    if (kind == TKind::Knight) reach = kAttackMasks.Knight[to];
    if (kind == TKind::Rook || kind == TKind::Queen) reach |= kAttackMasks.Straight[to];
    if (kind == TKind::Bishop || kind == TKind::Queen) reach |= kAttackMasks.Diagonal[to];
    int count = 0;
    for (uint64_t squares = reach & kings.Pieces[piece]; squares && count < 8; squares &= squares - 1) {
        const int square = __builtin_ctzll(squares);
        if (kind != TKind::Knight && !ClearBetween(pos.Board, to, square, kLineDirections.Dir[to][square])) continue;
        found[count++] = {SquareFile(square), SquareRank(square)};
    }
    return count;
}

bool ValidatePieceMove(TMover& mover, TChessMove& move, TKind kind, int32_t whiteCode) {
    const TChessPosition& pos = mover.Pos;
    if (!TargetFits(pos, move)) return false;
    const int32_t piece = SidePiece(mover.White, whiteCode);
    const int givenFile = move.FromFile, givenRank = move.FromRank;

    if (givenFile >= 0 && givenRank >= 0) {
        const TSquare from{givenFile, givenRank};
        if (OnBoard(givenFile, givenRank) && At(pos, givenFile, givenRank) == piece)
            return GeometryFits(pos, kind, from, move) && mover.Legal(move, from, false) && Accept(move, from);
        if (kind == TKind::Knight) return false;
    }

    TSquare reachers[8];
    const int reach = Reachers(pos, mover.Kings, kind, piece, move, reachers);
    TSquare candidates[8];
    int count = 0;
    for (int i = 0; i < reach; ++i)
        if (mover.Legal(move, reachers[i], false)) candidates[count++] = reachers[i];

    if (count == 0) return false;
    if (count == 1) {
        const TSquare c = candidates[0];
        const bool noneGiven = givenFile < 0 && givenRank < 0;
        if (noneGiven || c.File == givenFile || c.Rank == givenRank) return Accept(move, c);
        return false;
    }
    if (givenFile < 0 && givenRank < 0) return false;  // ambiguous
    const TSquare* chosen = nullptr;
    for (int i = 0; i < count; ++i) {
        const bool keep = givenFile >= 0 ? candidates[i].File == givenFile : candidates[i].Rank == givenRank;
        if (!keep) continue;
        if (chosen) return false;
        chosen = &candidates[i];
    }
    return chosen && Accept(move, *chosen);
}

bool CastlingAllowed(const TChessPosition& pos, bool kingSide) {
    const bool white = pos.WhiteToMove;
    const int home = white ? 0 : 7;
    const bool right = white ? (kingSide ? pos.CastleWhiteShort : pos.CastleWhiteLong)
                             : (kingSide ? pos.CastleBlackShort : pos.CastleBlackLong);
    const bool inCheck = white ? pos.WhiteInCheck : pos.BlackInCheck;
    const int32_t king = SidePiece(white, pcWKing);
    const int rookFile = kingSide ? 7 : 0;
    if (!right || inCheck) return false;
    if (At(pos, rookFile, home) != SidePiece(white, pcWRook) || At(pos, 4, home) != king) return false;
    const int first = kingSide ? 5 : 1, last = kingSide ? 6 : 3;
    for (int file = first; file <= last; ++file)
        if (At(pos, file, home) != pcEmpty) return false;

    // The king may not pass through or land on an attacked square.
    const int step = kingSide ? 1 : -1;
    int32_t scratch[64];
    std::memcpy(scratch, pos.Board, sizeof scratch);
    int kingFile = 4;
    for (int i = 0; i < 2; ++i) {
        scratch[SquareIndex(kingFile, home)] = pcEmpty;
        kingFile += step;
        scratch[SquareIndex(kingFile, home)] = king;
        if (IsKingAttacked(scratch, white)) return false;
    }
    return true;
}

bool ValidateKingMove(TMover& mover, TChessMove& move) {
    const TChessPosition& pos = mover.Pos;
    if (!TargetFits(pos, move)) return false;
    const int32_t king = SidePiece(mover.White, pcWKing);
    int kings = 0;
    TSquare kingSquare{-1, -1};
    for (int df = -1; df <= 1; ++df)
        for (int dr = -1; dr <= 1; ++dr) {
            const int file = move.ToFile + df, rank = move.ToRank + dr;
            if ((df || dr) && OnBoard(file, rank) && At(pos, file, rank) == king) {
                ++kings;
                kingSquare = {file, rank};
            }
        }

    if (kings == 1) {
        if (!mover.Legal(move, kingSquare, false)) return false;
        const bool fileGiven = move.FromFile >= 0, rankGiven = move.FromRank >= 0;
        if (fileGiven && rankGiven && (move.FromFile != kingSquare.File || move.FromRank != kingSquare.Rank))
            return false;
        if (fileGiven != rankGiven && move.FromFile != kingSquare.File && move.FromRank != kingSquare.Rank)
            return false;
        return Accept(move, kingSquare);
    }
    if (kings > 1) return false;

    const int home = mover.White ? 0 : 7;
    if (move.FromFile != 4 || move.FromRank != home || move.ToRank != home) return false;
    if (move.ToFile != 6 && move.ToFile != 2) return false;
    return CastlingAllowed(pos, move.ToFile == 6);
}

bool ValidatePawnMove(TMover& mover, TChessMove& move) {
    const TChessPosition& pos = mover.Pos;
    const bool white = mover.White;
    const int dir = white ? 1 : -1;
    const int32_t pawn = SidePiece(white, pcWPawn);
    if (white ? move.ToRank < 2 : move.ToRank > 5) return false;
    const int behind = move.ToRank - dir;
    const int32_t target = At(pos, move.ToFile, move.ToRank);

    if (move.Capture) {
        if (!OnBoard(move.FromFile, behind) || std::abs(move.FromFile - move.ToFile) != 1) return false;
        if (move.FromRank >= 0 && move.FromRank != behind) return false;
        if (At(pos, move.FromFile, behind) != pawn) return false;
        bool enPassant = false;
        if (target == pcEmpty) {
            if (!pos.EpPossible || pos.EpFile != move.ToFile || pos.EpRank != move.ToRank) return false;
            enPassant = true;
        } else if (!IsEnemyOf(white, target) || target == SidePiece(!white, pcWKing)) {
            return false;  // a king is never captured
        }
        const TSquare from{move.FromFile, behind};
        if (!mover.Legal(move, from, enPassant)) return false;
        move.EnPassant = enPassant;
        return Accept(move, from);
    }

    if (target != pcEmpty) return false;
    TSquare from{move.ToFile, behind};
    if (At(pos, from.File, from.Rank) != pawn) {
        const int doubleRank = white ? 3 : 4;
        const int start = move.ToRank - 2 * dir;
        if (move.ToRank != doubleRank || At(pos, move.ToFile, behind) != pcEmpty) return false;
        if (At(pos, move.ToFile, start) != pawn) return false;
        from.Rank = start;
    }
    if (move.FromFile >= 0 && move.FromFile != from.File) return false;
    if (move.FromRank >= 0 && move.FromRank != from.Rank) return false;
    return mover.Legal(move, from, false) && Accept(move, from);
}

}  // namespace

bool ValidateMove(const TChessPosition& pos, const TKingSquares& kings, TChessMove& move) {
    if (!OnBoard(move.ToFile, move.ToRank)) return false;
    move.EnPassant = false;
    TMover mover(pos, kings);
    switch (move.Piece) {
        case pcWKing:
        case pcBKing: return ValidateKingMove(mover, move);
        case pcWQueen:
        case pcBQueen: return ValidatePieceMove(mover, move, TKind::Queen, pcWQueen);
        case pcWBishop:
        case pcBBishop: return ValidatePieceMove(mover, move, TKind::Bishop, pcWBishop);
        case pcWKnight:
        case pcBKnight: return ValidatePieceMove(mover, move, TKind::Knight, pcWKnight);
        case pcWRook:
        case pcBRook: return ValidatePieceMove(mover, move, TKind::Rook, pcWRook);
        case pcWPawn:
        case pcBPawn: return ValidatePawnMove(mover, move);
        default: return false;
    }
}

bool ValidateMove(const TChessPosition& pos, TChessMove& move) {
    TKingSquares kings;
    kings.Find(pos.Board);
    return ValidateMove(pos, kings, move);
}

}  // namespace vorlix
