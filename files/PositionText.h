#pragma once
// Position text in one place: the placement field, FEN reading and writing,
// and the EPD line every EPD writer produces.
#include <string>

#include "files/EPDRecord.h"
#include "rules/ChessPosition.h"
#include "rules/FenReader.h"
#include "rules/Placement.h"

namespace vorlix {

// Placement, side, castling (KQkq or "-"), en-passant square when EpPossible
// else "-", HalfMoveClock and the full-move number.
std::string FenText(const TChessPosition& pos);
void AppendFenText(std::string& out, const TChessPosition& pos);
// The same with the placement taken from a cache that follows the position,
// and a line end after it.
void AppendFenLine(std::string& out, const TChessPosition& pos, const TPlacementCache& placement);

// The en-passant field an EPD writer puts down: the square only when it agrees
// with the position, else "-".
std::string EpdEnPassantField(const TEPDRec& rec);

// Placement, side, castling, en passant, the counters of a FEN-style line when
// it had them, then the operations in their order: the first one after a blank
// (an id after "; "), every other one after "; " (bm as "bm MOVES", id as
// "id \"ID\""), and the closing ";" (no line end). A new best move goes first,
// a new id after it.
std::string EpdLine(const TEPDRec& rec);

}  // namespace vorlix
