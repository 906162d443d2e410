#include "rules/MoveNotation.h"

#include <cstring>

#include "rules/AttackTables.h"
#include "rules/BoardGeometry.h"
#include "rules/KingSquares.h"
#include "rules/MoveRules.h"

namespace vorlix {

namespace {

// Every removal below takes at most nine characters, and the square part keeps
// at most four: a longer token can never be a move.
constexpr int kLongestMove = 13;

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

// The square part: the target in its last two characters, before them
// nothing, a partial starting square, or a whole one.
bool ReadSquares(const char* s, int n, TChessMove& move) {
    move.FromFile = move.FromRank = -1;
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

// Removes count characters at `at` from the n characters of s.
void Erase(char* s, int& n, int at, int count) {
    for (int i = at; i + count < n; ++i) s[i] = s[i + count];
    n -= count;
}

}  // namespace

// Works on a small copy of the token made in one pass: without "!" and "?",
// without the first "+" and the first "#" (which set the check mark).
bool DecodeMove(std::string_view text, bool whiteToMove, TChessMove& move) {
    move = TChessMove{};
    char s[kLongestMove];
    int n = 0;
    int eq = -1;  // the first "="
    bool plus = false, hash = false;
    for (const char c : text) {
        if (c == '!' || c == '?') continue;
        if (c == '+' && !plus) {
            plus = true;
            continue;
        }
        if (c == '#' && !hash) {
            hash = true;
            continue;
        }
        if (n == kLongestMove) return false;
        if (c == '=' && eq < 0) eq = n;
        s[n++] = c;
    }
    if (plus) move.CheckMark = '+';
    if (hash) move.CheckMark = '#';

    if (eq >= 0) {
        if (eq + 1 >= n || PromotionCode(s[eq + 1]) == 0) return false;
        move.Promotion = PromotionCode(s[eq + 1]);
        Erase(s, n, eq, 2);
    } else if (n > 0 && PromotionCode(s[n - 1]) != 0) {
        move.Promotion = PromotionCode(s[--n]);  // written without "="
    }
    if (move.Promotion && !whiteToMove) move.Promotion += kBlackOffset;
    if (n == 0) return false;
    // Annotated collections often write castling with zeros; it means the same.
    const std::string_view rest(s, n);
    if (rest == "O-O" || rest == "O-O-O" || rest == "0-0" || rest == "0-0-0") {
        const int home = whiteToMove ? 0 : 7;
        move.Piece = whiteToMove ? pcWKing : pcBKing;
        move.FromFile = 4;
        move.FromRank = home;
        move.ToFile = n == 3 ? 6 : 2;
        move.ToRank = home;
        return true;
    }
    const int32_t piece = PieceCode(s[0]);
    if (piece == 0) return false;
    move.Piece = piece + (whiteToMove ? 0 : kBlackOffset);

    // The square part: after the piece letter (a pawn keeps its file), without
    // the first "x" (the capture mark), the first "-" and an "ep" at the end.
    char squares[kLongestMove];
    int m = 0;
    bool cross = false, hyphen = false;
    for (int i = piece == pcWPawn ? 0 : 1; i < n; ++i) {
        if (s[i] == 'x' && !cross)
            cross = true;
        else if (s[i] == '-' && !hyphen)
            hyphen = true;
        else
            squares[m++] = s[i];
    }
    move.Capture = cross;
    if (m >= 2 && squares[m - 2] == 'e' && squares[m - 1] == 'p') m -= 2;
    return ReadSquares(squares, m, move);
}

const char* const kNotationKeys[kNotationCount] = {"asis", "letters", "de", "fr", "es", "nl", "it", "figurine"};
const char* const kNotationNames[kNotationCount] = {
    "As written",          "English (K Q R B N)", "German (K D T L S)",  "French (R D T F C)",
    "Spanish (R D T A C)", "Dutch (K D T L P)",   "Italian (R D T A C)", "Figurines"};

bool NotationFromKey(std::string_view key, TNotation& notation) {
    for (int i = 0; i < kNotationCount; ++i)
        if (key == kNotationKeys[i]) {
            notation = static_cast<TNotation>(i);
            return true;
        }
    if (key == "en" || key == "english") {
        notation = TNotation::English;
        return true;
    }
    return false;
}

namespace {

// The letters of K, Q, B, N, R (white piece codes 1..5) per notation; the
// figurines are the outline symbols, used for both sides as books print them.
const char* const kPieceNames[kNotationCount][6] = {
    {"", "K", "Q", "B", "N", "R"}, {"", "K", "Q", "B", "N", "R"},
    {"", "K", "D", "L", "S", "T"}, {"", "R", "D", "F", "C", "T"},
    {"", "R", "D", "A", "C", "T"}, {"", "K", "D", "L", "P", "T"},
    {"", "R", "D", "A", "C", "T"}, {"", "\xE2\x99\x94", "\xE2\x99\x95", "\xE2\x99\x97", "\xE2\x99\x98", "\xE2\x99\x96"},
};

int32_t WhiteKind(int32_t code) { return code > kBlackOffset ? code - kBlackOffset : code; }

void Put(char*& out, const char* text) {
    while (*text) *out++ = *text++;
}

// A piece on `from` reaches the target by its kind of move, the way clear.
bool Reaches(const TChessPosition& pos, int32_t kind, int from, int to) {
    const int df = SquareFile(to) - SquareFile(from), dr = SquareRank(to) - SquareRank(from);
    const auto clear = [&] {
        return ClearPath(pos.Board, SquareFile(from), SquareRank(from), SquareFile(to), SquareRank(to));
    };
    switch (kind) {
        case pcWKnight: return KnightJump(df, dr);
        case pcWBishop: return DiagonalLine(df, dr) && clear();
        case pcWRook: return StraightLine(df, dr) && clear();
        case pcWQueen: return (StraightLine(df, dr) || DiagonalLine(df, dr)) && clear();
        default: return false;
    }
}

// The other pieces of the mover's kind that could legally make the same move
// decide what the text must add: the file when it tells them apart, else the
// rank, else both.
void Disambiguate(const TChessPosition& before, const TChessMove& move, char*& out) {
    const int32_t kind = WhiteKind(move.Piece);
    if (kind == pcWKing || kind == pcWPawn) return;
    const int to = SquareIndex(move.ToFile, move.ToRank);
    const int from = SquareIndex(move.FromFile, move.FromRank);
    bool any = false, sameFile = false, sameRank = false;
    for (int square = 0; square < 64; ++square) {
        if (square == from || before.Board[square] != move.Piece || !Reaches(before, kind, square, to)) continue;
        TChessMove other = move;
        other.FromFile = SquareFile(square);
        other.FromRank = SquareRank(square);
        if (!ValidateMove(before, other)) continue;
        any = true;
        sameFile |= SquareFile(square) == move.FromFile;
        sameRank |= SquareRank(square) == move.FromRank;
    }
    if (!any) return;
    if (!sameFile) {
        *out++ = static_cast<char>('a' + move.FromFile);
    } else if (!sameRank) {
        *out++ = static_cast<char>('1' + move.FromRank);
    } else {
        *out++ = static_cast<char>('a' + move.FromFile);
        *out++ = static_cast<char>('1' + move.FromRank);
    }
}

// One candidate of HasLegalMove: true when the rules accept it.
bool Tries(const TChessPosition& pos, const TKingSquares& kings, int32_t piece, int from, int to) {
    const int32_t target = pos.Board[to];
    if (target != pcEmpty && !IsEnemyOf(pos.WhiteToMove, target)) return false;
    TChessMove move;
    move.Piece = piece;
    move.FromFile = SquareFile(from);
    move.FromRank = SquareRank(from);
    move.ToFile = SquareFile(to);
    move.ToRank = SquareRank(to);
    move.Capture = target != pcEmpty;
    if (WhiteKind(piece) == pcWPawn) {
        if (move.ToFile != move.FromFile) move.Capture = true;  // en passant lands on an empty square
        if (move.ToRank == 0 || move.ToRank == 7) move.Promotion = SidePiece(pos.WhiteToMove, pcWQueen);
    }
    return ValidateMove(pos, kings, move);
}

}  // namespace

bool HasLegalMove(const TChessPosition& pos) {
    TKingSquares kings;
    kings.Find(pos.Board);
    const bool white = pos.WhiteToMove;
    // The king first: most checks are met by a king move. Castling needs no
    // try of its own: when it is legal, so is the king's first step.
    for (int from = 0; from < 64; ++from) {
        const int32_t piece = pos.Board[from];
        if (WhiteKind(piece) != pcWKing || (white ? !IsWhitePiece(piece) : !IsBlackPiece(piece))) continue;
        for (const int8_t* to = kTables.King[from]; *to >= 0; ++to)
            if (Tries(pos, kings, piece, from, *to)) return true;
    }
    for (int from = 0; from < 64; ++from) {
        const int32_t piece = pos.Board[from];
        if (piece == pcEmpty || (white ? !IsWhitePiece(piece) : !IsBlackPiece(piece))) continue;
        const int32_t kind = WhiteKind(piece);
        if (kind == pcWKnight) {
            for (const int8_t* to = kTables.Knight[from]; *to >= 0; ++to)
                if (Tries(pos, kings, piece, from, *to)) return true;
        } else if (kind == pcWPawn) {
            const int file = SquareFile(from), rank = SquareRank(from), step = white ? 1 : -1;
            if (!OnBoard(file, rank + step)) continue;
            if (Tries(pos, kings, piece, from, SquareIndex(file, rank + step))) return true;
            if (OnBoard(file, rank + 2 * step) && Tries(pos, kings, piece, from, SquareIndex(file, rank + 2 * step)))
                return true;
            for (const int df : {-1, 1})
                if (OnBoard(file + df, rank + step) &&
                    Tries(pos, kings, piece, from, SquareIndex(file + df, rank + step)))
                    return true;
        } else if (kind != pcWKing) {
            const int first = kind == pcWBishop ? 4 : 0, last = kind == pcWRook ? 4 : 8;
            for (int d = first; d < last; ++d)
                for (int i = 0; i < 8 && kTables.Line[from][d][i] >= 0; ++i) {
                    const int to = kTables.Line[from][d][i];
                    if (Tries(pos, kings, piece, from, to)) return true;
                    if (pos.Board[to] != pcEmpty) break;
                }
        }
    }
    return false;
}

size_t WriteMove(const TChessPosition& before, const TChessMove& move, TNotation notation, char* out) {
    const char* const start = out;
    const char* const* names = kPieceNames[static_cast<int>(notation)];
    const int32_t kind = WhiteKind(move.Piece);
    int rookFrom = 0, rookTo = 0;
    if (CastlingRook(move, rookFrom, rookTo)) {
        Put(out, move.ToFile == 6 ? "O-O" : "O-O-O");
    } else {
        const bool capture = before.Board[SquareIndex(move.ToFile, move.ToRank)] != pcEmpty || move.EnPassant;
        if (kind == pcWPawn) {
            if (capture) *out++ = static_cast<char>('a' + move.FromFile);
        } else {
            Put(out, names[kind]);
            Disambiguate(before, move, out);
        }
        if (capture) *out++ = 'x';
        *out++ = static_cast<char>('a' + move.ToFile);
        *out++ = static_cast<char>('1' + move.ToRank);
        if (move.Promotion > 0) {
            *out++ = '=';
            Put(out, names[WhiteKind(move.Promotion)]);
        }
    }
    TChessPosition after;
    MakeMove(before, after, move);
    if (IsKingAttacked(after.Board, after.WhiteToMove)) {
        (after.WhiteToMove ? after.WhiteInCheck : after.BlackInCheck) = true;
        *out++ = HasLegalMove(after) ? '+' : '#';
    }
    return static_cast<size_t>(out - start);
}

std::string MoveToText(const TChessPosition& before, const TChessMove& move, TNotation notation) {
    char text[kMoveTextRoom];
    return std::string(text, WriteMove(before, move, notation, text));
}

std::string NotatedMove(const TChessPosition& after, TNotation notation) {
    if (notation == TNotation::AsWritten || !after.Prev || after.LastMove.Piece == pcEmpty) return after.MoveText;
    return MoveToText(*after.Prev, after.LastMove, notation);
}

}  // namespace vorlix
