#pragma once
// The move list of a replayed game as a grid of move pairs: a header row,
// then per row the move number, White's move and Black's move, with the
// game's result in the cell after the last move.
#include <string>
#include <vector>

#include "rules/MoveNotation.h"

namespace vorlix {

class TPGNPos;

struct TMoveGrid {
    // Rows of three cells, the header row ("Nr.", "", "") first.
    std::vector<std::vector<std::string>> Rows;
    bool WhiteFirst = true;  // the game starts with White to move
};

// An empty chain gives the header row only. Moves are shown in the notation
// (their text as written in the file by default).
TMoveGrid BuildMoveGrid(const TPGNPos& chain, const std::string& result, TNotation notation = TNotation::AsWritten);

struct TGridCell {
    int Row = 1;
    int Col = 1;
};

// The cell showing the move that led to position `index`; the start position
// of a game that starts with White maps to the first move's cell.
TGridCell CellOfPosition(int index, bool whiteFirst);
// The position reached by the move in a cell (not checked against the chain).
int PositionOfCell(TGridCell cell, bool whiteFirst);

}  // namespace vorlix
