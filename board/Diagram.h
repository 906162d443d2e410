#pragma once
// One diagram as the user edits it and the diagram file keeps it: the board
// (squares, marks, style) with its header line and footer line. Whoever shows
// or writes a diagram owns one record, so the three never travel apart and the
// two lines can never be passed in each other's place.
#include "board/DiagramBoard.h"
#include "board/HeaderFooter.h"

namespace vorlix {

struct TDiagram {
    TDiagramBoard Board;
    THeaderFooterInfo Header;
    THeaderFooterInfo Footer;
};

}  // namespace vorlix
