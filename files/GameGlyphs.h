#pragma once
// The move-quality glyph of every move of a game's main line: "!!", "!",
// "!?", "?!", "?" or "??", written after the move ("Nf3!?", "Nf3 !?") or as
// its numeric annotation ($1 to $6). Glyphs inside comments and variations do
// not count.
#include <string>
#include <vector>

#include "files/PGNRecord.h"

namespace vorlix {

// The glyph of a quality annotation ($1..$6); empty for any other number.
std::string GlyphOfNag(int nag);
// The glyph a move token ends in ("Nf3!?" gives "!?"); empty when none.
std::string GlyphOfMoveText(const std::string& token);

// Index i holds the glyph of the move that reached position i (0: the start,
// always empty); one entry per move token plus one.
std::vector<std::string> ReadGameGlyphs(const TPGNRec& game);

// The glyph of a position index, empty when the list does not reach it.
const std::string& GlyphAt(const std::vector<std::string>& glyphs, int index);

}  // namespace vorlix
