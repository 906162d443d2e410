#include "rules/MoveNotation.h"

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

}  // namespace vorlix
