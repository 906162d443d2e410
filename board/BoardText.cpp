#include "board/BoardText.h"

#include <cstring>

#include "rules/ChessPosition.h"

namespace vorlix {

namespace {

// Code 1..12 of a FEN letter, or 0.
int32_t CodeOfLetter(char c) {
    for (int32_t code = 1; code <= 12; ++code)
        if (kPieceLetters[code] == c) return code;
    return 0;
}

// Kind 1..6 of an upper-case piece letter, or 0.
int32_t KindOfLetter(char c) { return (c >= 'A' && c <= 'Z') ? CodeOfLetter(c) : 0; }

bool IsPiece(int32_t code) { return code >= 1 && code <= 12; }

std::string SquareName(int file, int rank) { return {char('a' + file), char('1' + rank)}; }

}  // namespace

std::optional<TSquareCodes> ReadPlacement(const std::string& text) {
    TSquareCodes codes{};
    int rank = 7;
    int file = 0;
    for (char c : text) {
        if (const int32_t code = CodeOfLetter(c)) {
            if (file >= 8) return std::nullopt;
            codes[size_t(SquareIndex(file, rank))] = code;
            ++file;
        } else if (c >= '1' && c <= '8') {
            file += c - '0';
            if (file > 8) return std::nullopt;
        } else if (c == '/' && file == 8) {
            if (--rank < 0) return std::nullopt;
            file = 0;
        } else {
            break;
        }
    }
    if (rank != 0 || file != 8) return std::nullopt;
    return codes;
}

std::string WritePlacement(const TSquareCodes& codes) {
    std::string text;
    for (int rank = 7; rank >= 0; --rank) {
        int empty = 0;
        for (int file = 0; file < 8; ++file) {
            const int32_t code = codes[size_t(SquareIndex(file, rank))];
            if (!IsPiece(code)) {
                ++empty;
                continue;
            }
            if (empty > 0) text += char('0' + empty);
            empty = 0;
            text += kPieceLetters[code];
        }
        if (empty > 0) text += char('0' + empty);
        if (rank > 0) text += '/';
    }
    return text;
}

std::optional<TSquareCodes> ReadSetup(const std::string& text) {
    TSquareCodes scratch{};
    bool started = false;
    bool white = true;
    int32_t current = 0;
    bool squareJustRead = false;
    const size_t n = text.size();
    for (size_t i = 0; i < n; ++i) {
        const char c = text[i];
        if (c == '\r' || c == '\n') continue;
        if (!started) {
            if (c == 'w') started = true;
            continue;
        }
        if (c == ' ') break;
        if (c == 'w' && !squareJustRead) {
            white = true;
        } else if (const int32_t kind = KindOfLetter(c)) {
            if (squareJustRead) return std::nullopt;
            current = white ? kind : kind + kBlackOffset;
        } else if (c >= 'a' && c <= 'h') {
            if (squareJustRead) return std::nullopt;
            if (i + 1 >= n) break;  // a file letter as the last character is ignored
            const char r = text[i + 1];
            if (r < '1' || r > '8') return std::nullopt;
            scratch[size_t(SquareIndex(c - 'a', r - '1'))] = current;
            squareJustRead = true;
            ++i;
        } else if (c == ',') {
            if (!squareJustRead) return std::nullopt;
            squareJustRead = false;
        } else if (c == '/') {
            if (i + 1 >= n || text[i + 1] != 'b') return std::nullopt;
            white = false;
            squareJustRead = false;
            ++i;
        } else {
            return std::nullopt;
        }
    }
    if (!started || !squareJustRead) return std::nullopt;
    return scratch;
}

TSideToMove SideToMoveOfText(const std::string& text) {
    const size_t start = text.find_first_not_of(" \t\r\n");
    if (start == std::string::npos) return TSideToMove::None;
    const size_t gap = text.find_first_of(" \t", start);
    if (gap == std::string::npos) return TSideToMove::None;
    const size_t word = text.find_first_not_of(" \t", gap);
    if (word == std::string::npos) return TSideToMove::None;
    const size_t end = text.find_first_of(" \t\r\n", word);
    const std::string side = text.substr(word, end == std::string::npos ? std::string::npos : end - word);
    if (side == "w") return TSideToMove::White;
    if (side == "b") return TSideToMove::Black;
    return TSideToMove::None;
}

std::string SideToMoveSuffix(TSideToMove side) {
    return side == TSideToMove::White ? " w" : side == TSideToMove::Black ? " b" : "";
}

std::string WriteSetup(const TSquareCodes& codes) {
    bool empty = true;
    for (int32_t code : codes) empty = empty && code == 0;
    if (empty) return {};
    auto colourList = [&](int32_t offset) {
        std::string list;
        for (int32_t kind = 1; kind <= 6; ++kind) {
            std::string squares;
            for (int index = 0; index < 64; ++index) {
                if (codes[size_t(index)] != kind + offset) continue;
                if (!squares.empty()) squares += ',';
                squares += SquareName(SquareFile(index), SquareRank(index));
            }
            if (!squares.empty()) list += kPieceLetters[kind] + squares + ',';
        }
        if (!list.empty()) list.pop_back();
        return list;
    };
    return "w" + colourList(0) + "/b" + colourList(kBlackOffset);
}

std::string WriteTextDiagram(const TSquareCodes& codes, TView view) {
    static const char* kSeparator = "+---+---+---+---+---+---+---+---+";
    const bool whiteUnder = view == vwWhiteUnder;
    std::string text = std::string(kSeparator) + "\r\n";
    for (int row = 0; row < 8; ++row) {
        const int rank = whiteUnder ? 7 - row : row;
        text += '|';
        for (int column = 0; column < 8; ++column) {
            const int file = whiteUnder ? column : 7 - column;
            const int32_t code = codes[size_t(SquareIndex(file, rank))];
            text += ' ';
            text += IsPiece(code) ? kPieceLetters[code] : ' ';
            text += " |";
        }
        text += ' ';
        text += char('1' + rank);
        text += "\r\n";
        text += kSeparator;
        text += "\r\n";
    }
    text += whiteUnder ? "  a   b   c   d   e   f   g   h  " : "  h   g   f   e   d   c   b   a  ";
    return text;
}

}  // namespace vorlix
