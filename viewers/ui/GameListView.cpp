#include "viewers/ui/GameListView.h"

#include <QHeaderView>
#include <QScrollBar>

namespace vorlix {

TGameListView::TGameListView(QWidget* parent) : QTableView(parent) {
    setShowGrid(false);
    setWordWrap(false);
    setCornerButtonEnabled(false);
    setTabKeyNavigation(false);
    setSelectionBehavior(QAbstractItemView::SelectRows);
    setSelectionMode(QAbstractItemView::SingleSelection);
    setEditTriggers(QAbstractItemView::NoEditTriggers);
    verticalHeader()->hide();
    verticalHeader()->setSectionResizeMode(QHeaderView::Fixed);
    verticalHeader()->setDefaultSectionSize(fontMetrics().height() + 4);
    horizontalHeader()->setHighlightSections(false);
    horizontalHeader()->setDefaultAlignment(Qt::AlignLeft | Qt::AlignVCenter);
}

QModelIndex TGameListView::moveCursor(CursorAction action, Qt::KeyboardModifiers modifiers) {
    switch (action) {
        case MoveHome:
        case MoveEnd: {
            // The first or the last game, in the column at hand, so that the list does not scroll sideways.
            const int rows = model() ? model()->rowCount(rootIndex()) : 0;
            if (rows == 0) return {};
            const int column = currentIndex().isValid() ? currentIndex().column() : 0;
            return model()->index(action == MoveHome ? 0 : rows - 1, column, rootIndex());
        }
        case MoveLeft:
        case MoveRight:
            horizontalScrollBar()->triggerAction(action == MoveLeft ? QAbstractSlider::SliderSingleStepSub
                                                                    : QAbstractSlider::SliderSingleStepAdd);
            return currentIndex();
        default: return QTableView::moveCursor(action, modifiers);
    }
}

}  // namespace vorlix
