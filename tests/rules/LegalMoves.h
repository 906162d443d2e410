#pragma once
// Every legal move of a position, found only through the production rules:
// each geometrically possible from/to/promotion is offered to ValidateMove,
// which alone decides. The offers are a generous superset (sliders to the
// board's edge whatever stands between, pawn double steps from any rank), so a
// move the rules wrongly refuse or wrongly allow shows up in the counts.
#include <cstdint>
#include <string>
#include <vector>

#include "rules/ChessPosition.h"
#include "rules/KingSquares.h"
#include "rules/MoveRules.h"

namespace vorlix::oracle {

inline bool IsWhiteCode(int32_t code) { return code >= pcWKing && code <= pcWPawn; }
inline bool IsBlackCode(int32_t code) { return code >= pcBKing && code <= pcBPawn; }
inline bool OnTheBoard(int file, int rank) { return file >= 0 && file < 8 && rank >= 0 && rank < 8; }

inline std::string SquareName(int file, int rank) {
    return {static_cast<char>('a' + file), static_cast<char>('1' + rank)};
}

// One offer to the rules: the whole starting square is given, so the rules
// never have to guess the piece.
inline void Offer(const TChessPosition& pos, const TKingSquares& kings, int from, int toFile, int toRank,
                  bool pawnCapture, std::vector<TChessMove>& legal) {
    if (!OnTheBoard(toFile, toRank)) return;
    const int32_t piece = pos.Board[from];
    const int32_t target = pos.Board[SquareIndex(toFile, toRank)];
    const bool pawn = piece == pcWPawn || piece == pcBPawn;
    const bool lastRank = pawn && toRank == (pos.WhiteToMove ? 7 : 0);
    const int32_t promotions[] = {pcWQueen, pcWRook, pcWBishop, pcWKnight};
    for (int i = 0; i < (lastRank ? 4 : 1); ++i) {
        TChessMove move;
        move.Piece = piece;
        move.Capture = pawn ? pawnCapture : target != pcEmpty;
        move.Promotion = lastRank ? promotions[i] + (pos.WhiteToMove ? 0 : kBlackOffset) : 0;
        move.FromFile = SquareFile(from);
        move.FromRank = SquareRank(from);
        move.ToFile = toFile;
        move.ToRank = toRank;
        if (ValidateMove(pos, kings, move)) legal.push_back(move);
    }
}

// `kings` must follow `pos` (TKingSquares::Find or Follow), as in the game replay.
inline std::vector<TChessMove> LegalMoves(const TChessPosition& pos, const TKingSquares& kings) {
    static const int kKnight[8][2] = {{1, 2}, {2, 1}, {2, -1}, {1, -2}, {-1, -2}, {-2, -1}, {-2, 1}, {-1, 2}};
    static const int kLines[8][2] = {{1, 0}, {-1, 0}, {0, 1}, {0, -1}, {1, 1}, {1, -1}, {-1, 1}, {-1, -1}};
    std::vector<TChessMove> legal;
    for (int from = 0; from < 64; ++from) {
        const int32_t piece = pos.Board[from];
        if (pos.WhiteToMove ? !IsWhiteCode(piece) : !IsBlackCode(piece)) continue;
        const int f = SquareFile(from), r = SquareRank(from);
        const int32_t kind = pos.WhiteToMove ? piece : piece - kBlackOffset;
        switch (kind) {
            case pcWKnight:
                for (const auto& d : kKnight) Offer(pos, kings, from, f + d[0], r + d[1], false, legal);
                break;
            case pcWKing:
                for (const auto& d : kLines) Offer(pos, kings, from, f + d[0], r + d[1], false, legal);
                if (f == 4 && r == (pos.WhiteToMove ? 0 : 7)) {
                    Offer(pos, kings, from, 6, r, false, legal);
                    Offer(pos, kings, from, 2, r, false, legal);
                }
                break;
            case pcWPawn: {
                const int dir = pos.WhiteToMove ? 1 : -1;
                Offer(pos, kings, from, f, r + dir, false, legal);
                Offer(pos, kings, from, f, r + 2 * dir, false, legal);
                Offer(pos, kings, from, f - 1, r + dir, true, legal);
                Offer(pos, kings, from, f + 1, r + dir, true, legal);
                break;
            }
            default: {
                const int first = kind == pcWBishop ? 4 : 0, last = kind == pcWRook ? 4 : 8;
                for (int d = first; d < last; ++d)
                    for (int step = 1; step < 8; ++step)
                        Offer(pos, kings, from, f + step * kLines[d][0], r + step * kLines[d][1], false, legal);
            }
        }
    }
    return legal;
}

// Plays a validated move as the game replay does. The move carries the check
// mark a correct game text would give it, so the check flags the castling rule
// reads are true; with `withCheckMarks` false it is played bare, as a text
// without marks would be.
inline void PlayAsText(TChessPosition& pos, TKingSquares& kings, TChessMove move, bool withCheckMarks = true) {
    const TChessPosition before = pos;
    move.CheckMark = ' ';
    PlayMove(pos, move);
    if (withCheckMarks && IsKingAttacked(pos.Board, pos.WhiteToMove)) {
        move.CheckMark = '+';
        pos = before;
        PlayMove(pos, move);
    }
    kings.Follow(pos, move);
}

// Standard algebraic text with the least disambiguation that makes the move
// unique among `legal` (file, else rank, else both); check marks left out.
inline std::string SanText(const TChessMove& move, const std::vector<TChessMove>& legal) {
    const int32_t kind = IsBlackCode(move.Piece) ? move.Piece - kBlackOffset : move.Piece;
    if (kind == pcWKing && std::abs(move.ToFile - move.FromFile) == 2) return move.ToFile == 6 ? "O-O" : "O-O-O";
    std::string text;
    if (kind == pcWPawn) {
        if (move.Capture) text += static_cast<char>('a' + move.FromFile);
    } else {
        text += kPieceLetters[kind];
        bool rival = false, sameFile = false, sameRank = false;
        for (const TChessMove& other : legal) {
            if (other.Piece != move.Piece || other.ToFile != move.ToFile || other.ToRank != move.ToRank) continue;
            if (other.FromFile == move.FromFile && other.FromRank == move.FromRank) continue;
            rival = true;
            sameFile |= other.FromFile == move.FromFile;
            sameRank |= other.FromRank == move.FromRank;
        }
        if (rival && (!sameFile || sameRank)) text += static_cast<char>('a' + move.FromFile);
        if (rival && sameFile) text += static_cast<char>('1' + move.FromRank);
    }
    if (move.Capture) text += 'x';
    text += SquareName(move.ToFile, move.ToRank);
    if (move.Promotion) {
        text += '=';
        text += kPieceLetters[IsBlackCode(move.Promotion) ? move.Promotion - kBlackOffset : move.Promotion];
    }
    return text;
}

}  // namespace vorlix::oracle
