#pragma once
// Splitting a large PGN file into parts that can be read side by side.
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace vorlix {

// Cuts the file into parts of about partSize bytes. Every cut is a place where
// a reader of the whole file is sure to start a new game: the file itself
// begins with a tag line, and the cut is a tag line (not a "[%" comment
// command) whose previous non-blank line is plain move text, so no open brace
// comment, escape line or leading comment can change what the line means.
// Each part is then read by a fresh reader exactly as the whole-file reader
// reads it. Returns the part starts (the first is 0) followed by the file's
// size; a file that is not a regular file, is small, or cannot be cut safely
// is one part (0 and UINT64_MAX when the size is unknown).
std::vector<uint64_t> SplitPGNFile(const std::string& fileName, uint64_t partSize);

// The first safe cut in text[from, text.size()), or npos; `text` is a stretch
// of a file that begins with a tag line, and a line reaching back to the
// stretch's start is never trusted.
size_t FindGameCut(std::string_view text, size_t from);

}  // namespace vorlix
