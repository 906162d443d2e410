#pragma once
// The PGN viewer's game list: a table, which keeps a few bytes per row (a
// tree view keeps an item of about fifty), so a million games cost little
// beyond the game index. It looks and steps like a plain list: rows, no grid,
// Home and End go to the first and the last game, Left and Right scroll.
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
