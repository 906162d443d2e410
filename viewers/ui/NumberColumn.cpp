#include "viewers/ui/NumberColumn.h"

#include <QHeaderView>
#include <QStyle>

namespace vorlix {

void WidenToShowNumber(QTableView& view, int column, qint64 largest) {
    // The item delegate leaves this margin on either side of a cell's text.
    const int margin = view.style()->pixelMetric(QStyle::PM_FocusFrameHMargin, nullptr, &view) + 1;
    const int needed = view.fontMetrics().horizontalAdvance(QString::number(largest)) + 2 * margin + 2;
    QHeaderView& header = *view.horizontalHeader();
    if (header.sectionSize(column) < needed) header.resizeSection(column, needed);
}

}  // namespace vorlix
