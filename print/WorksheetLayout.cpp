#include "print/WorksheetLayout.h"

#include <algorithm>

namespace vorlix {
namespace {

// Margins and gaps as parts of the page's width, so A4 and letter look alike
// at any resolution.
constexpr double kMargin = 0.06;
constexpr double kGap = 0.035;

int Margin(QSize page) { return static_cast<int>(page.width() * kMargin); }

}  // namespace

std::optional<TSheetGrid> SheetGridOf(int perPage) {
    switch (perPage) {
        case 1: return TSheetGrid{1, 1};
        case 2: return TSheetGrid{1, 2};
        case 4: return TSheetGrid{2, 2};
        case 6: return TSheetGrid{2, 3};
        case 9: return TSheetGrid{3, 3};
        case 12: return TSheetGrid{3, 4};
        default: return std::nullopt;
    }
}

QRect SheetTitleRect(QSize page, int titleHeight) {
    const int m = Margin(page);
    return QRect(m, m, page.width() - 2 * m, titleHeight);
}

QRect SheetTextArea(QSize page, int titleHeight) {
    const int m = Margin(page);
    const int top = m + (titleHeight > 0 ? titleHeight + m / 2 : 0);
    return QRect(m, top, page.width() - 2 * m, page.height() - m - top);
}

std::vector<QRect> SheetCells(QSize page, const TSheetGrid& grid, int titleHeight) {
    const QRect area = SheetTextArea(page, titleHeight);
    std::vector<QRect> cells;
    for (int row = 0; row < grid.Rows; ++row)
        for (int column = 0; column < grid.Columns; ++column) {
            // Edges from the whole area's fractions: the cells tile it without a gap or overlap.
            const int left = area.left() + area.width() * column / grid.Columns;
            const int right = area.left() + area.width() * (column + 1) / grid.Columns;
            const int top = area.top() + area.height() * row / grid.Rows;
            const int bottom = area.top() + area.height() * (row + 1) / grid.Rows;
            cells.emplace_back(left, top, right - left, bottom - top);
        }
    return cells;
}

QRect FitDiagramInCell(const QRect& cell, QSize diagram) {
    if (diagram.isEmpty() || cell.isEmpty()) return {};
    const int gap = static_cast<int>(std::min(cell.width(), cell.height()) * kGap);
    const QSize room(std::max(1, cell.width() - 2 * gap), std::max(1, cell.height() - 2 * gap));
    const QSize size = diagram.scaled(room, Qt::KeepAspectRatio);
    return QRect(cell.left() + (cell.width() - size.width()) / 2, cell.top() + gap, size.width(), size.height());
}

}  // namespace vorlix
