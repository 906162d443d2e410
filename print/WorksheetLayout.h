#pragma once
// Where the parts of a worksheet go on its pages: a title band, the diagrams
// in a fixed grid of 1 to 12 a page, and the lines of the answer key.
#include <QRect>
#include <QSize>
#include <optional>
#include <vector>

namespace vorlix {

struct TSheetGrid {
    int Columns = 1;
    int Rows = 1;
};

// The grid of a number of diagrams a page (1, 2, 4, 6, 9 or 12); nullopt for any other number.
std::optional<TSheetGrid> SheetGridOf(int perPage);

// The page's cells in reading order, inside the margins and below a title
// band of titleHeight (0: none), all in the page's pixels.
std::vector<QRect> SheetCells(QSize page, const TSheetGrid& grid, int titleHeight);

// The title band of a page (above the cells).
QRect SheetTitleRect(QSize page, int titleHeight);

// The largest rectangle of the diagram's proportions inside the cell, leaving
// a gap around it, centred across and at the cell's top.
QRect FitDiagramInCell(const QRect& cell, QSize diagram);

// The area the key's text lines run down, page by page.
QRect SheetTextArea(QSize page, int titleHeight);

}  // namespace vorlix
