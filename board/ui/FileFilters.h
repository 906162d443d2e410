#pragma once
// The file type filters of every file dialog, written as "Label|*.a;*.b|..."
// pairs. The label is what the user reads; the patterns are what the dialog
// lists, in any letter case (GAME.PGN as well as game.pgn).
#include <QString>
#include <QStringList>

class QFileDialog;
class QWidget;

namespace vorlix {

// Each pair as a Qt name filter: the label whole, then its patterns in
// parentheses. Qt takes the patterns from the last parenthesised group, so a
// label's own "(*.vxd, *.pgn, *.epd)" stays mere text. "*.*" becomes "*":
// every file, with or without an extension.
QStringList NameFiltersFromPairs(const QString& pairs);
// What a dialog showing only the labels shows for a name filter, and the
// patterns it lists under it, both as Qt's file dialog takes them apart.
QString LabelOfNameFilter(const QString& nameFilter);
QStringList PatternsOfNameFilter(const QString& nameFilter);

// Gives the dialog the filters: Qt's own dialog, whose listing ignores the
// letter case (a desktop's dialog may not), showing the labels only.
void SetFileDialogFilters(QFileDialog& dialog, const QString& pairs);
// An Open dialog for one existing file; empty when cancelled.
QString ChooseFileToOpen(QWidget* parent, const QString& caption, const QString& folder, const QString& pairs);

}  // namespace vorlix
