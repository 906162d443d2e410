#pragma once
// What an image of a diagram says in words, for those who cannot see it and
// for programs that read it: its caption and its position.
#include <QString>

#include "board/Diagram.h"

namespace vorlix {

// The header text when the header is shown and not empty, else the footer's,
// else "Chess diagram".
QString DiagramTitle(const TDiagram& diagram);

// Two lines: the FEN placement of the board, then its pieces in words,
// "White: King g1, Rooks a1, f1, Pawns f2, g2, h2; Black: King g8, Queen d8".
// A side without pieces reads "none".
QString DiagramDescription(const TDiagramBoard& board);

}  // namespace vorlix
