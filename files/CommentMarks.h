#pragma once
// Reads the arrows and coloured squares of a move comment: commands
// [%cal Ge2e4,Rd8d1] and [%csl Rd4,Gf5], colours R, G, Y and B. Several
// commands may share a comment; items with another colour or a bad square
// are left out, the rest of the command still counts. Repeats and arrows
// beyond the bound are left out too (TMarkCollector). The drawing commands
// of other annotators read alike: [%draw arrow,e2,e4,red],
// [%draw full,e4,green] (square, circle and disk too, drawn as a coloured
// square) and [%mark e4 green]; a missing colour is green for an arrow and
// red for a square, as on the command line.
#include <string_view>

#include "files/BoardMarks.h"

namespace vorlix {

TBoardMarks ParseCommentMarks(std::string_view comment);

}  // namespace vorlix
