#pragma once
// The three recent-file lists (most recent first, paths compared without
// regard to letter case) and the entries of the File > Reopen submenu.
#include <QString>
#include <QStringList>
#include <vector>

namespace vorlix {

enum class TRecentKind { Diagram, PGN, EPD };

// Moves every entry equal to the path to the top; a new path goes on top,
// dropping the last entry of a full list.
void AddRecentFile(QStringList& list, const QString& path, int limit);
// Removes the first entry equal to the path, if any.
void RemoveRecentFile(QStringList& list, const QString& path);

struct TReopenEntry {
    bool Separator = false;  // a separator line; the other fields are empty
    TRecentKind Kind = TRecentKind::Diagram;
    QString Caption;  // "&" + label + two blanks + path
    QString Hint;
    QString Path;
};

// Diagram files, PGN files and EPD files in this order, separated where two
// non-empty groups meet; labels run 0..9, A..F through all three lists.
std::vector<TReopenEntry> ReopenEntries(const QStringList& diagrams, const QStringList& pgnFiles,
                                        const QStringList& epdFiles);
// The path an item caption names (the caption without its first four characters).
QString PathOfReopenCaption(const QString& caption);

}  // namespace vorlix
