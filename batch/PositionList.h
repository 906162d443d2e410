#pragma once
// The typed position lists of the PGN batch tool: which keys the two fields
// take, when a field's text is valid, how it expands into position numbers,
// and which positions of a game the two lists choose.
#include <optional>
#include <string>

#include "batch/IntegerList.h"

namespace vorlix {

// The key filter of the position fields: "." becomes ",", digits, blank, ",",
// "-", Backspace and Tab pass; anything else is refused (nullopt: beep).
std::optional<char32_t> FilterPositionKey(char32_t key);

// True when the text holds at least one item and every item is N, -N, N- or N-M.
bool IsValidPositionText(const std::string& text);

// Clears the list, then adds the numbers of a valid text (an invalid or empty
// text leaves it empty). False, with the message in error, when a number does
// not fit a 32-bit integer.
bool ParsePositionText(const std::string& text, TIntegerList& list, std::string& error);

// Positions counted from the start (1 = the starting position) and from the
// end (1 = the final position).
struct TPositionSelection {
    TIntegerList FromStart;
    TIntegerList FromEnd;

    // Position p of a game of n positions.
    bool IsPositionSelected(int p, int n) const;
    int SelectedPositionCount(int n) const;
};

}  // namespace vorlix
