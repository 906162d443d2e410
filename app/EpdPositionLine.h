#pragma once
// Save as EPD: the position data the user gives for the diagram's squares,
// the EPD line they make, and appending that line to an EPD file.
#include <array>
#include <cstdint>
#include <string>

namespace vorlix {

struct TPositionData {
    bool WhiteToMove = true;
    bool CastleWhiteShort = false, CastleWhiteLong = false, CastleBlackShort = false, CastleBlackLong = false;
    bool EnPassant = false;
    std::string EpSquare;  // as typed
    std::string BestMove;
    std::string GameId;
};

// Placement, side, castling, the en-passant square when it agrees with the
// squares (else "-"), " bm" with the best move up to its first blank and
// "; id" when given, and the closing ";".
std::string PositionEpdLine(const std::array<int32_t, 64>& codes, const TPositionData& data);

// Adds the line at the end of the file, ending like the file's lines (CR LF in
// a new file), creating it when missing; the file is replaced whole, so a
// failure leaves the old one. Raises EInOutError.
void AppendEpdLine(const std::string& fileName, const std::string& line);

}  // namespace vorlix
