#pragma once
// Reading one move token of a game (standard algebraic notation, the long form
// with a hyphen, annotation and check marks, "ep", promotions with or without "=")
// and writing a move back in standard algebraic notation in any of the piece
// alphabets the program offers.
#include <cstddef>
#include <string>
#include <string_view>

#include "rules/ChessPosition.h"

namespace vorlix {

// True when the text has the shape of a move; says nothing about legality.
// FromFile/FromRank are -1 where the text does not give them.
bool DecodeMove(std::string_view text, bool whiteToMove, TChessMove& move);

// How moves are shown. AsWritten keeps the token of the file; the others write
// the move anew from the position, with their own piece letters (or figurines).
// The numbers are stored in the settings: append only.
enum class TNotation : int { AsWritten = 0, English, German, French, Spanish, Dutch, Italian, Figurine };
constexpr int kNotationCount = 8;

// The short names the command line takes ("asis", "letters", "de", "fr", "es",
// "nl", "it", "figurine"), and the names shown to the user ("As written",
// "English (K Q R B N)", ...), indexed by TNotation.
extern const char* const kNotationKeys[kNotationCount];
extern const char* const kNotationNames[kNotationCount];
// False when the key names no notation. "en" and "english" also give English.
bool NotationFromKey(std::string_view key, TNotation& notation);

// Room WriteMove needs: the longest move ("Qa1xb2" style never occurs in SAN;
// a figurine is three bytes) fits easily.
constexpr size_t kMoveTextRoom = 24;

// Writes a validated move (ValidateMove filled its starting square) made from
// `before` in standard algebraic notation: the piece, the least disambiguation
// that names it, "x" for captures, the target, "=" and the piece of a
// promotion, "O-O"/"O-O-O", then "+" for check or "#" for mate (worked out
// here, whatever the move's own mark says). Returns the number of bytes
// written (UTF-8, no terminator). AsWritten writes English letters.
size_t WriteMove(const TChessPosition& before, const TChessMove& move, TNotation notation, char* out);
std::string MoveToText(const TChessPosition& before, const TChessMove& move, TNotation notation);

// The move that led to a position of a replayed chain, in the notation: its
// MoveText as written for AsWritten or for the first position of a chain.
std::string NotatedMove(const TChessPosition& after, TNotation notation);

// True when the side to move has at least one legal move.
bool HasLegalMove(const TChessPosition& pos);

}  // namespace vorlix
