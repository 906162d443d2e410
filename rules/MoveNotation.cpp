#include "rules/MoveNotation.h"

#include <string>

namespace vorlix {

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
        if (c >= '1' && c <= '8') move.FromRank = c - '1';
        else if (c >= 'a' && c <= 'h') move.FromFile = c - 'a';
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

}  // namespace vorlix
