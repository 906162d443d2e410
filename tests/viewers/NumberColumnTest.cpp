#include <gtest/gtest.h>

#include <QHeaderView>
#include <QStandardItemModel>
#include <QStyle>
#include <QTableView>

#include "viewers/ui/NumberColumn.h"

using namespace vorlix;

namespace {

int TextRoom(const QTableView& view, int column) {
    const int margin = view.style()->pixelMetric(QStyle::PM_FocusFrameHMargin, nullptr, &view) + 1;
    return view.horizontalHeader()->sectionSize(column) - 2 * margin;
}

}  // namespace

TEST(NumberColumn, WidensForLongNumbersOnlyAndNeverNarrows) {
    QStandardItemModel model(1, 3);
    QTableView view;
    view.setModel(&model);
    view.horizontalHeader()->resizeSection(1, 44);
    view.horizontalHeader()->resizeSection(2, 300);

    WidenToShowNumber(view, 1, 99);
    EXPECT_EQ(view.horizontalHeader()->sectionSize(1), 44);  // short numbers fit already

    WidenToShowNumber(view, 1, 1234567);
    EXPECT_GE(TextRoom(view, 1), view.fontMetrics().horizontalAdvance("1234567"));

    WidenToShowNumber(view, 2, 1234567);
    EXPECT_EQ(view.horizontalHeader()->sectionSize(2), 300);  // a wider choice stays
}
