#include "files/MoveTokens.h"

#include <array>

#include "files/TextUtil.h"

namespace vorlix {

namespace {

// Index just past the ")" matching the "(" at `open`; comments inside are skipped whole.
size_t SkipVariation(std::string_view text, size_t open) {
    int depth = 0;
    for (size_t i = open; i < text.size(); ++i) {
        const char c = text[i];
        if (c == '{') {
            const size_t close = text.find('}', i + 1);
            if (close == std::string_view::npos) return text.size();
            i = close;
        } else if (c == '(') {
            ++depth;
        } else if (c == ')' && --depth == 0) {
            return i + 1;
        }
    }
    return text.size();
}

size_t SkipComment(std::string_view text, size_t open) {
    const size_t close = text.find('}', open + 1);
    return close == std::string_view::npos ? text.size() : close + 1;
}

// What a character means to the tokenizer, looked up once per character.
enum : uint8_t { kEndsToken = 1, kStartsMove = 2 };

constexpr std::array<uint8_t, 256> MakeCharClasses() {
    std::array<uint8_t, 256> classes{};
    for (int c = 0; c <= ' '; ++c) classes[c] = kEndsToken;  // blanks and control characters
    for (const char c : {'{', '(', ')'}) classes[static_cast<unsigned char>(c)] = kEndsToken;
    for (const char c : {'K', 'Q', 'R', 'B', 'N', 'O'}) classes[static_cast<unsigned char>(c)] = kStartsMove;
    for (char c = 'a'; c <= 'h'; ++c) classes[static_cast<unsigned char>(c)] = kStartsMove;
    return classes;
}

constexpr std::array<uint8_t, 256> kCharClasses = MakeCharClasses();

bool EndsToken(char c) { return kCharClasses[static_cast<unsigned char>(c)] & kEndsToken; }
bool StartsMove(char c) { return kCharClasses[static_cast<unsigned char>(c)] & kStartsMove; }

// Moves that start without a move letter: castling written with zeros, which
// the decoder reads as castling, and null moves, which no rule can make and
// which must stop the game at the decoder instead of being skipped as if they
// were not there.
bool IsMoveWithoutLetter(std::string_view token) {
    return token.substr(0, 3) == "0-0" || token == "--" || token.substr(0, 2) == "Z0";
}

enum class TTokenKind { Ignored, Move, Result };

// Classifies a token; for "12.e4" the move text becomes the part after the number.
TTokenKind Classify(std::string_view& token, std::string_view result) {
    const char c = token.front();
    if (StartsMove(c) || IsMoveWithoutLetter(token)) return TTokenKind::Move;
    if (c < '1' || c > '9') return TTokenKind::Ignored;
    if (token == result) return TTokenKind::Result;
    size_t i = 0;
    while (i < token.size() && token[i] >= '0' && token[i] <= '9') ++i;
    const size_t digits = i;
    while (i < token.size() && token[i] == '.') ++i;
    std::string_view rest = token.substr(i);
    // Only a move number followed by dots can be glued to a move: "12.0-0" but not "1-0".
    if (rest.empty() || (i == digits && !StartsMove(rest[0]))) return TTokenKind::Ignored;
    if (!StartsMove(rest[0]) && !IsMoveWithoutLetter(rest)) return TTokenKind::Ignored;
    token = rest;
    return TTokenKind::Move;
}

}  // namespace

TMoveTokenizer::TMoveTokenizer(std::string_view moves, std::string_view result, bool whiteFirst)
    : text_(Trim(moves)), result_(result), next_{1, whiteFirst, {}} {}

bool TMoveTokenizer::Next(TMove& move) {
    while (pos_ < text_.size()) {
        const char c = text_[pos_];
        if (IsBlankOrControl(c) || c == ')') {
            ++pos_;
        } else if (c == '(') {
            pos_ = SkipVariation(text_, pos_);
        } else if (c == '{') {
            pos_ = SkipComment(text_, pos_);
        } else {
            const size_t start = pos_;
            while (pos_ < text_.size() && !EndsToken(text_[pos_])) ++pos_;
            std::string_view token = text_.substr(start, pos_ - start);
            const TTokenKind kind = Classify(token, result_);
            if (kind == TTokenKind::Result) {
                pos_ = text_.size();
                return false;
            }
            if (kind != TTokenKind::Move) continue;
            next_.Text = token;
            move = next_;
            if (!next_.IsWhite) ++next_.Number;
            next_.IsWhite = !next_.IsWhite;
            return true;
        }
    }
    return false;
}

void SplitMoveTokens(std::string_view moves, std::string_view result, bool whiteFirst, std::vector<TMove>& tokens) {
    tokens.clear();
    TMoveTokenizer tokenizer(moves, result, whiteFirst);
    for (TMove move; tokenizer.Next(move);) tokens.push_back(move);
}

}  // namespace vorlix
