#include "rules/MoveNotation.h"

#include <cstring>

namespace vorlix {

namespace {

// Every removal below takes at most nine characters, and the square part keeps
// at most four: a longer token can never be a move.
constexpr size_t kLongestMove = 13;

// The token being decoded, without its "!" and "?" marks, in a small buffer of its own.
class TMoveText {
public:
    // False when the token is too long to be a move.
    bool Assign(std::string_view text) {
        Size_ = 0;
        for (char c : text) {
            if (c == '!' || c == '?') continue;
            if (Size_ == kLongestMove) return false;
            Text_[Size_++] = c;
        }
        return true;
    }

    size_t Size() const { return Size_; }
    bool Empty() const { return Size_ == 0; }
    char operator[](size_t i) const { return Text_[i]; }
    char Back() const { return Text_[Size_ - 1]; }
    bool Is(std::string_view s) const { return s.size() == Size_ && std::memcmp(Text_, s.data(), Size_) == 0; }

    // Position of the first c, or Size() when there is none.
    size_t Find(char c) const {
        const void* at = std::memchr(Text_, c, Size_);
        return at ? static_cast<const char*>(at) - Text_ : Size_;
    }
    void Erase(size_t at, size_t count) {
        std::memmove(Text_ + at, Text_ + at + count, Size_ - at - count);
        Size_ -= count;
    }
    // Removes the first c; true when there was one.
    bool EraseFirst(char c) {
        const size_t at = Find(c);
        if (at == Size_) return false;
        Erase(at, 1);
        return true;
    }

private:
    char Text_[kLongestMove];
    size_t Size_ = 0;
};

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

bool ReadSquares(const TMoveText& s, TChessMove& move) {
    move.FromFile = move.FromRank = -1;
    const size_t n = s.Size();
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

// "=X" or a bare promotion letter at the end; false for "=" without a piece letter.
bool ReadPromotion(TMoveText& s, bool whiteToMove, TChessMove& move) {
    size_t eq = s.Find('=');
    size_t letter = eq + 1;
    if (eq == s.Size()) {
        if (s.Empty() || PromotionCode(s.Back()) == 0) return true;
        letter = s.Size() - 1;  // a promotion written without "="
        eq = letter;
    } else if (letter >= s.Size() || PromotionCode(s[letter]) == 0) {
        return false;
    }
    move.Promotion = PromotionCode(s[letter]) + (whiteToMove ? 0 : kBlackOffset);
    s.Erase(eq, letter + 1 - eq);
    return true;
}

}  // namespace

bool DecodeMove(std::string_view text, bool whiteToMove, TChessMove& move) {
    move = TChessMove{};
    TMoveText s;
    if (!s.Assign(text)) return false;
    if (s.EraseFirst('+')) move.CheckMark = '+';
    if (s.EraseFirst('#')) move.CheckMark = '#';
    if (!ReadPromotion(s, whiteToMove, move)) return false;
    if (s.Empty()) return false;
    const int32_t piece = PieceCode(s[0]);
    if (piece == 0) return false;
    move.Piece = piece + (whiteToMove ? 0 : kBlackOffset);

    if (s.Is("O-O") || s.Is("O-O-O")) {
        const int home = whiteToMove ? 0 : 7;
        move.FromFile = 4;
        move.FromRank = home;
        move.ToFile = s.Size() == 3 ? 6 : 2;
        move.ToRank = home;
        return true;
    }
    if (piece != pcWPawn) s.Erase(0, 1);
    if (s.EraseFirst('x')) move.Capture = true;
    s.EraseFirst('-');
    if (s.Size() >= 2 && s[s.Size() - 2] == 'e' && s.Back() == 'p') s.Erase(s.Size() - 2, 2);
    return ReadSquares(s, move);
}

}  // namespace vorlix
