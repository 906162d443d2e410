#pragma once
// Where printed batch diagrams go: the size of one printed diagram, whether it
// fits the paper, the gaps of the grid, and the place of each diagram on a page.
#include <QRect>
#include <optional>

#include "board/HeaderFooter.h"

namespace vorlix {

enum class TBatchDestination { ImageFiles, DiagramFiles, PrinterOnePerJob, PrinterManyPerPage };

struct TPageGrid {
    int PageWidth = 0;  // printer pixels
    int PageHeight = 0;
    int DiagramWidth = 0;  // one printed diagram, header and footer included
    int DiagramHeight = 0;
    int ColumnGap = 0;
    int RowGap = 0;
    bool SingleColumn = false;
    bool SingleRow = false;
    bool Fits = false;  // the diagram fits the page with its margins
};

// Height of a line of text in the record's font (its accents and descenders included).
int HeaderFooterHeight(const THeaderFooterInfo& info);

// The grid for diagrams of contentWidth x contentHeight screen pixels (the
// board with its header and footer bands) at the print scale factor.
TPageGrid ComputePageGridForSize(int pageWidth, int pageHeight, float factor, int contentWidth, int contentHeight);
// The same for a board of the given size with the header and footer as enabled.
TPageGrid ComputePageGrid(int pageWidth, int pageHeight, float factor, int boardWidth, int boardHeight,
                          const THeaderFooterInfo& header, const THeaderFooterInfo& footer);

// The rectangle of a diagram printed alone in its print job.
QRect OnePerJobRect(const TPageGrid& grid);

// Places diagrams row by row on pages of the grid.
class TPagePlacement {
public:
    explicit TPagePlacement(const TPageGrid& grid) : grid_(grid) { StartPage(); }
    void StartPage();
    // The next diagram's rectangle; nullopt when the page is full (start a new one).
    std::optional<QRect> Place();
    bool PageEmpty() const { return placed_ == 0; }
    bool PageFull() const { return full_; }

private:
    TPageGrid grid_;
    int X_ = 0, Y_ = 0;
    bool rowHoldsDiagram_ = false;
    bool full_ = false;
    int placed_ = 0;
};

}  // namespace vorlix
