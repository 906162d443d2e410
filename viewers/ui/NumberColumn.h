#pragma once
// Number columns of the viewers' lists start narrow; a file of a hundred
// thousand games or positions must not show its numbers cut to "384…".
#include <QTableView>

namespace vorlix {

// Widens `column` so that `largest` fits in the view's font; never narrows it,
// so a width the user chose wider stays.
void WidenToShowNumber(QTableView& view, int column, qint64 largest);

}  // namespace vorlix
