#include "rules/Placement.h"

#include <array>
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

// How a rank is written depends only on which of its squares hold a piece:
// for each of the 256 patterns, the text with each piece letter's place
// holding the file it comes from (0..7) and each run of empty squares its digit.
struct TRankShape {
    char Text[8];
    uint8_t Length;
};

constexpr std::array<TRankShape, 256> MakeRankShapes() {
    std::array<TRankShape, 256> shapes{};
    for (unsigned occupied = 0; occupied < 256; ++occupied) {
        TRankShape& shape = shapes[occupied];
        for (char& c : shape.Text) c = '0';
        int n = 0, empty = 0;
        for (int file = 0; file < 8; ++file) {
            if (!(occupied >> file & 1u)) {
                ++empty;
                continue;
            }
            if (empty) shape.Text[n++] = static_cast<char>('0' + empty);
            shape.Text[n++] = static_cast<char>(file);
            empty = 0;
        }
        if (empty) shape.Text[n++] = static_cast<char>('0' + empty);
        shape.Length = static_cast<uint8_t>(n);
    }
    return shapes;
}

constexpr std::array<TRankShape, 256> kRankShapes = MakeRankShapes();

// The piece letters by code; codes outside 1..12 are never written (their squares count as empty).
constexpr std::array<char, 16> MakeLetters() {
    std::array<char, 16> letters{};
    for (int code = 0; code < 13; ++code) letters[code] = kPieceLetters[code];
    return letters;
}

constexpr std::array<char, 16> kLetters = MakeLetters();

// One rank of the placement; `text` must hold 8 bytes. A replay writes a rank
// or two per move, so this avoids branches on the squares.
template <typename Square>
size_t WriteRankShape(const Square (&board)[64], int rank, unsigned occupied, char* text) {
    const TRankShape& shape = kRankShapes[occupied];
    for (int i = 0; i < 8; ++i) {
        const char c = shape.Text[i];
        const char letter = kLetters[static_cast<unsigned>(board[SquareIndex(c & 7, rank)]) & 15u];
        text[i] = c < 8 ? letter : c;
    }
    return shape.Length;
}

template <typename Square>
size_t WriteRank(const Square (&board)[64], int rank, char* text) {
    unsigned occupied = 0;
    for (int file = 0; file < 8; ++file) {
        const int code = static_cast<int>(board[SquareIndex(file, rank)]);
        occupied |= static_cast<unsigned>(static_cast<unsigned>(code - pcWKing) < 12u) << file;
    }
    return WriteRankShape(board, rank, occupied, text);
}

// The files of one rank that hold a piece, from a square set (bit i: square index i).
unsigned RankOccupancy(uint64_t occupied, int rank) {
    return static_cast<unsigned>((((occupied >> rank) & 0x0101010101010101ull) * 0x0102040810204080ull) >> 56);
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
        length_[rank] = static_cast<uint8_t>(WriteRank(board, rank, text_[rank]));
    }
}

void TPlacementCache::Update(const int32_t (&board)[64], unsigned ranks, uint64_t occupied) {
    for (int rank = 0; rank < 8; ++rank) {
        if (!(ranks >> rank & 1u)) continue;
        length_[rank] = static_cast<uint8_t>(WriteRankShape(board, rank, RankOccupancy(occupied, rank), text_[rank]));
    }
}

size_t TPlacementCache::Write(char* out) const {
    size_t n = 0;
    for (int rank = 7; rank >= 0; --rank) {
        std::memcpy(out + n, text_[rank], 8);
        n += length_[rank];
        out[n] = '/';
        n += rank > 0;
    }
    return n;
}

}  // namespace vorlix
