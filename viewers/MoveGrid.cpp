#include "viewers/MoveGrid.h"

#include <algorithm>

#include "files/PGNPos.h"

namespace vorlix {

TMoveGrid BuildMoveGrid(const TPGNPos& chain, const std::string& result, TNotation notation) {
    TMoveGrid grid;
    grid.Rows.push_back({"Nr.", "", ""});
    if (!chain.First) return grid;
    grid.WhiteFirst = chain.First->WhiteToMove;
    const int positions = chain.PositionCount() + (grid.WhiteFirst ? 0 : 1);
    grid.Rows.resize(static_cast<size_t>((positions - 1) / 2 + 2), std::vector<std::string>(3));
    size_t row = 1;
    size_t col = 1;
    if (!grid.WhiteFirst) {
        grid.Rows[1][1] = "...";
        col = 2;
    }
    for (const TChessPosition* p = chain.First->Next; p; p = p->Next) {
        grid.Rows[row][0] = std::to_string(p->MoveNumber) + ".";
        grid.Rows[row][col] = NotatedMove(*p, notation);
        if (++col > 2) {
            col = 1;
            ++row;
        }
    }
    if (row < grid.Rows.size()) grid.Rows[row][col] = result;
    return grid;
}

TGridCell CellOfPosition(int index, bool whiteFirst) {
    const int k = std::max(0, whiteFirst ? index - 1 : index);
    return {1 + k / 2, 1 + k % 2};
}

int PositionOfCell(TGridCell cell, bool whiteFirst) {
    return 2 * (cell.Row - 1) + (cell.Col - 1) + (whiteFirst ? 1 : 0);
}

}  // namespace vorlix
