#pragma once
// The arrows and coloured squares of every position of a game, from the
// comments of its main line: a comment after a move marks the position that
// move reaches, one before the first move the start position. Comments inside
// variations do not count.
#include <vector>

#include "files/BoardMarks.h"
#include "files/PGNRecord.h"

namespace vorlix {

// Index i holds the marks of the position after move i (0: the start); the
// list has one entry per move token plus one, whether or not the moves replay.
std::vector<TBoardMarks> ReadGameMarks(const TPGNRec& game);

// The marks of a position index, empty when the list does not reach it.
const TBoardMarks& MarksAt(const std::vector<TBoardMarks>& marks, int index);

}  // namespace vorlix
