#pragma once
// The PGN viewer's game list: a table, which keeps nothing per row (a tree
// view keeps an item for each), so a million games cost no memory beyond the
// game index. It looks and steps like a plain list: rows, no grid, Home and
// End go to the first and the last game, Left and Right scroll.
#include <QTableView>

namespace vorlix {

class TGameListView : public QTableView {
    Q_OBJECT
public:
    explicit TGameListView(QWidget* parent = nullptr);

protected:
    QModelIndex moveCursor(CursorAction action, Qt::KeyboardModifiers modifiers) override;
};

}  // namespace vorlix
