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

// The placement field kept rank by rank, so that after a move only the ranks
// the move changed are written again.
class TPlacementCache {
public:
    void SetAll(const int32_t (&board)[64]);
    // Rewrites the ranks whose bit is set (bit 0: rank 1).
    void Update(const int32_t (&board)[64], unsigned ranks);
    // The same when the squares holding a piece are known (bit i: square index i).
    void Update(const int32_t (&board)[64], unsigned ranks, uint64_t occupied);
    // Writes the whole placement to out (kPlacementRoom bytes); returns its length.
    size_t Write(char* out) const;

private:
    char text_[8][8] = {};
    uint8_t length_[8] = {};
};

}  // namespace vorlix
