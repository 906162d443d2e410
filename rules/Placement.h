#pragma once
// The piece placement field shared by FEN and EPD text.
#include <cstdint>
#include <string>
#include <string_view>

namespace vorlix {

enum class TPlacementResult {
    Ok,
    BadCharacter,  // a character that can never stand in a placement
    BadLayout,     // "/" or the closing blank at a wrong place, a rank past file h, text ending early
};

// Reads the placement starting at text[pos] up to its closing blank. On Ok,
// pos stands on that blank and board holds the 64 codes (index file * 8 + rank).
TPlacementResult ParsePlacement(std::string_view text, size_t& pos, int32_t (&board)[64]);

// The code of a placement letter, 0 for anything else.
int32_t PieceFromLetter(char letter);

// Writes the placement; codes 0 and anything outside 1..12 count as empty squares.
std::string PlacementText(const int32_t (&board)[64]);
std::string PlacementText(const uint8_t (&board)[64]);
void AppendPlacementText(std::string& out, const int32_t (&board)[64]);

// Room a written placement needs: 64 squares, 7 separators and slack for
// writes that are made before it is known whether they count.
inline constexpr size_t kPlacementRoom = 80;
// Writes the placement to out (kPlacementRoom bytes); returns its length.
size_t WritePlacement(const int32_t (&board)[64], char* out);

struct TChessMove;

// The placement field kept as one text, patched in place after a move: only
// the ranks the move changed are written again, and the text after a rank
// that changed its length moves along.
class TPlacementCache {
public:
    void SetAll(const int32_t (&board)[64]);
    // Rewrites the ranks whose bit is set (bit 0: rank 1).
    void Update(const int32_t (&board)[64], unsigned ranks);
    // The same when the squares holding a piece are known (bit i: square index i).
    void Update(const int32_t (&board)[64], unsigned ranks, uint64_t occupied);
    // After `move` was made on `board`: looks only at the squares it changed.
    void Follow(const int32_t (&board)[64], const TChessMove& move, uint64_t occupied);
    // Writes the whole placement to out (kPlacementRoom bytes); returns its length.
    size_t Write(char* out) const;

private:
    void TakeRank(const int32_t (&board)[64], int rank);
    void WriteRanks(unsigned ranks, uint64_t occupied);
    // Puts a rank's text (its first `length` bytes, in memory order) in place.
    void Patch(int rank, uint64_t text, size_t length);

    // Per rank: the letter of each file's piece (0 for none), then the digits
    // 1 to 8, so that a rank's text is eight look-ups.
    char letters_[8][16] = {};
    // A rank's text with all ranks after it, as moved when its length changes.
    static constexpr size_t kPlacementTail = 72;
    // Rank 8 first, as written; room past the end for moves of a whole tail.
    char text_[kPlacementRoom + kPlacementTail] = {};
    uint8_t start_[8] = {};  // where the text of each rank (index 0: rank 1) begins
    uint8_t length_[8] = {};
    uint8_t size_ = 0;
};

}  // namespace vorlix
