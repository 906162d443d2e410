// The move rules as first written: every test scans the whole board and every
// candidate is tried on a full copy. Slow but plain; the tests hold the fast
// rules to the same answers on real games.
#include "tests/replay/ReferenceRules.h"

#include <cstring>
#include <string>

#include "rules/BoardGeometry.h"
#include "rules/MoveRules.h"

namespace vorlix::reference {

namespace decode {

namespace {

void EraseFirst(std::string& s, char c) {
    const auto at = s.find(c);
    if (at != std::string::npos) s.erase(at, 1);
}

int32_t PromotionCode(char letter) {
    switch (letter) {
        case 'Q': return pcWQueen;
        case 'B': return pcWBishop;
        case 'N': return pcWKnight;
        case 'R': return pcWRook;
        default: return 0;
    }
}

int32_t PieceCode(char letter) {
    if (letter == 'K' || letter == 'O') return pcWKing;
    if (letter >= 'a' && letter <= 'h') return pcWPawn;
    return PromotionCode(letter);
}

// "1".."8" and "a".."h" both give 0..7; anything else -1.
int Coordinate(char c) {
    if (c >= '1' && c <= '8') return c - '1';
    if (c >= 'a' && c <= 'h') return c - 'a';
    return -1;
}

bool ReadSquares(const std::string& s, TChessMove& move) {
    move.FromFile = move.FromRank = -1;
    const size_t n = s.size();
    if (n < 2 || n > 4) return false;
    move.ToFile = Coordinate(s[n - 2]);
    move.ToRank = Coordinate(s[n - 1]);
    if (move.ToFile < 0 || move.ToRank < 0) return false;
    if (n == 3) {
        const char c = s[0];
        if (c >= '1' && c <= '8')
            move.FromRank = c - '1';
        else if (c >= 'a' && c <= 'h')
            move.FromFile = c - 'a';
    } else if (n == 4) {
        move.FromFile = Coordinate(s[0]);
        move.FromRank = Coordinate(s[1]);
    }
    return n == 2 || move.FromFile >= 0 || move.FromRank >= 0;
}

}  // namespace

bool DecodeMove(std::string_view text, bool whiteToMove, TChessMove& move) {
    move = TChessMove{};
    std::string s;
    s.reserve(text.size());
    for (char c : text)
        if (c != '!' && c != '?') s += c;

    if (s.find('+') != std::string::npos) {
        move.CheckMark = '+';
        EraseFirst(s, '+');
    }
    if (s.find('#') != std::string::npos) {
        move.CheckMark = '#';
        EraseFirst(s, '#');
    }
    if (!s.empty() && s.find('=') == std::string::npos && PromotionCode(s.back()) != 0) s.insert(s.size() - 1, 1, '=');
    if (const auto eq = s.find('='); eq != std::string::npos) {
        if (eq + 1 >= s.size() || PromotionCode(s[eq + 1]) == 0) return false;
        move.Promotion = PromotionCode(s[eq + 1]) + (whiteToMove ? 0 : kBlackOffset);
        s.erase(eq, 2);
    }
    if (s.empty()) return false;
    // Changed on purpose since first written: castling with zeros is castling.
    if (s == "0-0" || s == "0-0-0") s = s.size() == 3 ? "O-O" : "O-O-O";
    const int32_t piece = PieceCode(s[0]);
    if (piece == 0) return false;
    move.Piece = piece + (whiteToMove ? 0 : kBlackOffset);

    if (s == "O-O" || s == "O-O-O") {
        const int home = whiteToMove ? 0 : 7;
        move.FromFile = 4;
        move.FromRank = home;
        move.ToFile = s.size() == 3 ? 6 : 2;
        move.ToRank = home;
        return true;
    }
    if (piece != pcWPawn) s.erase(0, 1);
    if (s.find('x') != std::string::npos) {
        move.Capture = true;
        EraseFirst(s, 'x');
    }
    EraseFirst(s, '-');
    if (s.size() >= 2 && s.compare(s.size() - 2, 2, "ep") == 0) s.resize(s.size() - 2);
    return ReadSquares(s, move);
}

}  // namespace decode

bool DecodeMove(std::string_view text, bool whiteToMove, TChessMove& move) {
    return decode::DecodeMove(text, whiteToMove, move);
}

namespace validate {

namespace {

struct TSquare {
    int File;
    int Rank;
};

// The mover's kings, counted once per move.
struct TKing {
    int Count = 0;
    int File = 0;
    int Rank = 0;
};

// The board after moving one candidate; legal when the mover's king is then safe.
bool TryMove(const TChessPosition& pos, const TKing& own, const TChessMove& move, TSquare from, bool enPassant) {
    int32_t scratch[64];
    std::memcpy(scratch, pos.Board, sizeof scratch);
    const int32_t placed = move.Promotion > 0 ? move.Promotion : move.Piece;
    scratch[SquareIndex(move.ToFile, move.ToRank)] = placed;
    scratch[SquareIndex(from.File, from.Rank)] = pcEmpty;
    if (enPassant) scratch[SquareIndex(move.ToFile, from.Rank)] = pcEmpty;

    // With the one own king known, only its square needs testing.
    const bool white = pos.WhiteToMove;
    const int32_t king = SidePiece(white, pcWKing);
    if (placed != king && own.Count == 1 && scratch[SquareIndex(own.File, own.Rank)] == king)
        return !IsSquareAttacked(scratch, own.File, own.Rank, !white);
    return !IsKingAttacked(scratch, white);
}

bool Accept(TChessMove& move, TSquare from) {
    move.FromFile = from.File;
    move.FromRank = from.Rank;
    return true;
}

int32_t At(const TChessPosition& pos, int file, int rank) { return pos.Board[SquareIndex(file, rank)]; }

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

bool ValidatePieceMove(const TChessPosition& pos, const TKing& own, TChessMove& move, TKind kind, int32_t whiteCode) {
    if (!TargetFits(pos, move)) return false;
    const int32_t piece = SidePiece(pos.WhiteToMove, whiteCode);
    const int givenFile = move.FromFile, givenRank = move.FromRank;

    if (givenFile >= 0 && givenRank >= 0) {
        const TSquare from{givenFile, givenRank};
        if (OnBoard(givenFile, givenRank) && At(pos, givenFile, givenRank) == piece)
            return GeometryFits(pos, kind, from, move) && TryMove(pos, own, move, from, false) && Accept(move, from);
        if (kind == TKind::Knight) return false;
    }

    const int maxCandidates = (kind == TKind::Knight || kind == TKind::Queen) ? 8 : 4;
    TSquare candidates[8];
    int count = 0;
    for (int rank = 0; rank < 8; ++rank)
        for (int file = 0; file < 8; ++file) {
            const TSquare from{file, rank};
            if (At(pos, file, rank) != piece || !GeometryFits(pos, kind, from, move)) continue;
            if (!TryMove(pos, own, move, from, false)) continue;
            if (count == maxCandidates) return false;
            candidates[count++] = from;
        }

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

bool ValidateKingMove(const TChessPosition& pos, const TKing& own, TChessMove& move) {
    if (!TargetFits(pos, move)) return false;
    const int32_t king = SidePiece(pos.WhiteToMove, pcWKing);
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
        if (!TryMove(pos, own, move, kingSquare, false)) return false;
        const bool fileGiven = move.FromFile >= 0, rankGiven = move.FromRank >= 0;
        if (fileGiven && rankGiven && (move.FromFile != kingSquare.File || move.FromRank != kingSquare.Rank))
            return false;
        if (fileGiven != rankGiven && move.FromFile != kingSquare.File && move.FromRank != kingSquare.Rank)
            return false;
        return Accept(move, kingSquare);
    }
    if (kings > 1) return false;

    const int home = pos.WhiteToMove ? 0 : 7;
    if (move.FromFile != 4 || move.FromRank != home || move.ToRank != home) return false;
    if (move.ToFile != 6 && move.ToFile != 2) return false;
    // Castling legality was a line-for-line copy of the fast rule, so the two
    // could only agree; the perft counts and castling tables hold it instead.
    return vorlix::ValidateMove(pos, move);
}

bool ValidatePawnMove(const TChessPosition& pos, const TKing& own, TChessMove& move) {
    const bool white = pos.WhiteToMove;
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
        if (!TryMove(pos, own, move, from, enPassant)) return false;
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
    return TryMove(pos, own, move, from, false) && Accept(move, from);
}

}  // namespace

bool ValidateMove(const TChessPosition& pos, TChessMove& move) {
    if (!OnBoard(move.ToFile, move.ToRank)) return false;
    move.EnPassant = false;
    TKing own;
    own.Count = FindKing(pos.Board, pos.WhiteToMove, own.File, own.Rank);
    switch (move.Piece) {
        case pcWKing:
        case pcBKing: return ValidateKingMove(pos, own, move);
        case pcWQueen:
        case pcBQueen: return ValidatePieceMove(pos, own, move, TKind::Queen, pcWQueen);
        case pcWBishop:
        case pcBBishop: return ValidatePieceMove(pos, own, move, TKind::Bishop, pcWBishop);
        case pcWKnight:
        case pcBKnight: return ValidatePieceMove(pos, own, move, TKind::Knight, pcWKnight);
        case pcWRook:
        case pcBRook: return ValidatePieceMove(pos, own, move, TKind::Rook, pcWRook);
        case pcWPawn:
        case pcBPawn: return ValidatePawnMove(pos, own, move);
        default: return false;
    }
}

}  // namespace validate

bool ValidateMove(const TChessPosition& pos, TChessMove& move) { return validate::ValidateMove(pos, move); }

namespace make {

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
        // Changed on purpose since first written: a capture resets the clock too.
        const bool capture = prev.Board[SquareIndex(move.ToFile, move.ToRank)] != pcEmpty;
        next.HalfMoveClock = capture ? 0 : prev.HalfMoveClock + 1;
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
    if (move.CheckMark == '+' || move.CheckMark == '#')
        (next.WhiteToMove ? next.WhiteInCheck : next.BlackInCheck) = true;

    next.CastleWhiteShort = prev.CastleWhiteShort;
    next.CastleWhiteLong = prev.CastleWhiteLong;
    next.CastleBlackShort = prev.CastleBlackShort;
    next.CastleBlackLong = prev.CastleBlackLong;
    UpdateCastlingRights(next, move);
    UpdatePawnState(prev, next, move);
}

}  // namespace make

void MakeMove(const TChessPosition& prev, TChessPosition& next, const TChessMove& move) {
    make::MakeMove(prev, next, move);
}

}  // namespace vorlix::reference
