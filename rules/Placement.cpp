#include "rules/Placement.h"

#include <cstring>

#include "rules/ChessPosition.h"

namespace vorlix {

int32_t PieceFromLetter(char letter) {
    for (int32_t code = pcWKing; code <= pcBPawn; ++code)
        if (kPieceLetters[code] == letter) return code;
    return pcEmpty;
}

TPlacementResult ParsePlacement(std::string_view text, size_t& pos, int32_t (&board)[64]) {
    int32_t squares[64] = {};
    int rank = 7, file = 0;
    for (size_t i = pos; i < text.size(); ++i) {
        const char c = text[i];
        if (c == ' ') {
            if (rank != 0 || file != 8) return TPlacementResult::BadLayout;
            for (int k = 0; k < 64; ++k) board[k] = squares[k];
            pos = i;
            return TPlacementResult::Ok;
        }
        if (c == '/') {
            if (file != 8 || rank == 0) return TPlacementResult::BadLayout;
            --rank;
            file = 0;
        } else if (c >= '1' && c <= '8') {
            file += c - '0';
            if (file > 8) return TPlacementResult::BadLayout;
        } else if (const int32_t code = PieceFromLetter(c); code != pcEmpty) {
            if (file >= 8) return TPlacementResult::BadLayout;
            squares[SquareIndex(file++, rank)] = code;
        } else {
            return TPlacementResult::BadCharacter;
        }
    }
    return TPlacementResult::BadLayout;
}

namespace {

// One rank of the placement, written without branches on the squares since a
// replay writes a placement per move; `text` must hold 10 bytes (8 used at most).
template <typename Square>
size_t WriteRank(const Square (&board)[64], int rank, char* text) {
    size_t n = 0;
    int empty = 0;
    for (int file = 0; file < 8; ++file) {
        const int code = static_cast<int>(board[SquareIndex(file, rank)]);
        const bool piece = static_cast<unsigned>(code - pcWKing) < 12u;
        text[n] = static_cast<char>('0' + empty);
        n += piece && empty;
        text[n] = kPieceLetters[piece ? code : 0];
        n += piece;
        empty = piece ? 0 : empty + 1;
    }
    text[n] = static_cast<char>('0' + empty);
    n += empty > 0;
    return n;
}

template <typename Square>
size_t WriteAllRanks(const Square (&board)[64], char* text) {
    size_t n = 0;
    for (int rank = 7; rank >= 0; --rank) {
        n += WriteRank(board, rank, text + n);
        text[n] = '/';
        n += rank > 0;
    }
    return n;
}

template <typename Square>
void AppendPlacement(std::string& out, const Square (&board)[64]) {
    char text[kPlacementRoom];
    out.append(text, WriteAllRanks(board, text));
}

}  // namespace

void AppendPlacementText(std::string& out, const int32_t (&board)[64]) { AppendPlacement(out, board); }

size_t WritePlacement(const int32_t (&board)[64], char* out) { return WriteAllRanks(board, out); }

std::string PlacementText(const int32_t (&board)[64]) {
    std::string out;
    AppendPlacement(out, board);
    return out;
}

std::string PlacementText(const uint8_t (&board)[64]) {
    std::string out;
    AppendPlacement(out, board);
    return out;
}

void TPlacementCache::SetAll(const int32_t (&board)[64]) { Update(board, 0xFF); }

void TPlacementCache::Update(const int32_t (&board)[64], unsigned ranks) {
    for (int rank = 0; rank < 8; ++rank) {
        if (!(ranks >> rank & 1u)) continue;
        char text[10];
        Length_[rank] = static_cast<uint8_t>(WriteRank(board, rank, text));
        std::memcpy(Text_[rank], text, 8);
    }
}

size_t TPlacementCache::Write(char* out) const {
    size_t n = 0;
    for (int rank = 7; rank >= 0; --rank) {
        std::memcpy(out + n, Text_[rank], 8);
        n += Length_[rank];
        out[n] = '/';
        n += rank > 0;
    }
    return n;
}

}  // namespace vorlix
