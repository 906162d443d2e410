#include "rules/Placement.h"

#include <array>
#include <cstring>

#if defined(__x86_64__)
#include <immintrin.h>
#endif

#include "rules/BoardGeometry.h"
#include "rules/ChessPosition.h"
#include "rules/MoveRules.h"

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

// The same shapes as places in a rank's letters and digits (TPlacementCache):
// a file 0..7 for a piece, 8 + n - 1 for a run of n empty squares.
struct TRankPlaces {
    uint8_t Place[8];
};

constexpr std::array<TRankPlaces, 256> MakeRankPlaces() {
    std::array<TRankPlaces, 256> places{};
    for (unsigned occupied = 0; occupied < 256; ++occupied)
        for (int i = 0; i < kRankShapes[occupied].Length; ++i) {
            const char c = kRankShapes[occupied].Text[i];
            places[occupied].Place[i] = static_cast<uint8_t>(c < 8 ? c : 8 + (c - '1'));
        }
    return places;
}

constexpr std::array<TRankPlaces, 256> kRankPlaces = MakeRankPlaces();

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

void TPlacementCache::TakeRank(const int32_t (&board)[64], int rank) {
    for (int file = 0; file < 8; ++file) letters_[rank][file] = kLetters[board[SquareIndex(file, rank)] & 15];
}

void TPlacementCache::SetAll(const int32_t (&board)[64]) {
    size_t n = 0;
    for (int rank = 7; rank >= 0; --rank) {
        TakeRank(board, rank);
        for (int digit = 0; digit < 8; ++digit) letters_[rank][8 + digit] = static_cast<char>('1' + digit);
        start_[rank] = static_cast<uint8_t>(n);
        length_[rank] = static_cast<uint8_t>(WriteRank(board, rank, text_ + n));
        n += length_[rank];
        text_[n] = '/';
        n += rank > 0;
    }
    size_ = static_cast<uint8_t>(n);
}

void TPlacementCache::Patch(int rank, uint64_t text, size_t length) {
    const size_t at = start_[rank], old = length_[rank];
    if (length != old) {
        // Ranks below this one follow it in the text: moved as one block of
        // fixed size (the buffer has room past any placement), and their
        // starts shifted a byte each in one word, without carries: every start
        // stays within 0..80 before and after.
        char tail[kPlacementTail];
        std::memcpy(tail, text_ + at + old, kPlacementTail);
        std::memcpy(text_ + at + length, tail, kPlacementTail);
        const uint64_t below = (uint64_t{1} << (8 * rank)) - 1;
        uint64_t starts = 0;
        std::memcpy(&starts, start_, 8);
        if (length > old)
            starts += ((length - old) * 0x0101010101010101ull) & below;
        else
            starts -= ((old - length) * 0x0101010101010101ull) & below;
        std::memcpy(start_, &starts, 8);
        size_ = static_cast<uint8_t>(size_ + length - old);
        length_[rank] = static_cast<uint8_t>(length);
    }
    // Eight bytes at once, keeping those after the rank.
    uint64_t now = 0;
    std::memcpy(&now, text_ + at, 8);
    const uint64_t mask = length >= 8 ? ~uint64_t{0} : (uint64_t{1} << (8 * length)) - 1;
    now = (now & ~mask) | (text & mask);
    std::memcpy(text_ + at, &now, 8);
}

namespace {

// A rank's text: its letters and digits picked by the shape's places.
uint64_t PickRankText(const char (&row)[16], const TRankPlaces& places) {
    char text[8];
    for (int i = 0; i < 8; ++i) text[i] = row[places.Place[i]];
    uint64_t word = 0;
    std::memcpy(&word, text, 8);
    return word;
}

#if defined(__x86_64__)
// The same in one byte shuffle, where the processor has it (nearly all do).
__attribute__((target("ssse3"))) uint64_t ShuffleRankText(const char (&row)[16], const TRankPlaces& places) {
    const __m128i letters = _mm_loadu_si128(reinterpret_cast<const __m128i*>(row));
    const __m128i picks = _mm_loadl_epi64(reinterpret_cast<const __m128i*>(places.Place));
    return static_cast<uint64_t>(_mm_cvtsi128_si64(_mm_shuffle_epi8(letters, picks)));
}

const bool kHasShuffle = [] {
    __builtin_cpu_init();  // this runs among the static constructors
    return __builtin_cpu_supports("ssse3") != 0;
}();
#endif

}  // namespace

void TPlacementCache::WriteRanks(unsigned ranks, uint64_t occupied) {
    for (ranks &= 0xFFu; ranks; ranks &= ranks - 1) {
        const int rank = __builtin_ctz(ranks);
        const unsigned files = RankOccupancy(occupied, rank);
#if defined(__x86_64__)
        const uint64_t text = kHasShuffle ? ShuffleRankText(letters_[rank], kRankPlaces[files])
                                          : PickRankText(letters_[rank], kRankPlaces[files]);
#else
        const uint64_t text = PickRankText(letters_[rank], kRankPlaces[files]);
#endif
        Patch(rank, text, kRankShapes[files].Length);
    }
}

void TPlacementCache::Update(const int32_t (&board)[64], unsigned ranks) {
    uint64_t occupied = 0;
    for (int square = 0; square < 64; ++square)
        occupied |= uint64_t{static_cast<unsigned>(board[square] - pcWKing) < 12u} << square;
    Update(board, ranks, occupied);
}

void TPlacementCache::Update(const int32_t (&board)[64], unsigned ranks, uint64_t occupied) {
    for (unsigned left = ranks & 0xFFu; left; left &= left - 1) TakeRank(board, __builtin_ctz(left));
    WriteRanks(ranks, occupied);
}

void TPlacementCache::Follow(const int32_t (&board)[64], const TChessMove& move, uint64_t occupied) {
    unsigned ranks = 0;
    const auto take = [&](int file, int rank) {
        letters_[rank][file] = kLetters[board[SquareIndex(file, rank)] & 15];
        ranks |= 1u << rank;
    };
    if (OnBoard(move.FromFile, move.FromRank)) {
        take(move.FromFile, move.FromRank);
        if (move.EnPassant) take(move.ToFile, move.FromRank);
    }
    take(move.ToFile, move.ToRank);
    int rookFrom = 0, rookTo = 0;
    if (CastlingRook(move, rookFrom, rookTo)) {
        take(SquareFile(rookFrom), SquareRank(rookFrom));
        take(SquareFile(rookTo), SquareRank(rookTo));
    }
    WriteRanks(ranks, occupied);
}

size_t TPlacementCache::Write(char* out) const {
    std::memcpy(out, text_, kPlacementRoom);
    return size_;
}

}  // namespace vorlix
