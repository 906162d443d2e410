#include "settings/RecentFiles.h"

namespace vorlix {
namespace {

bool SamePath(const QString& a, const QString& b) { return a.compare(b, Qt::CaseInsensitive) == 0; }

QString Label(int index) { return index < 10 ? QString::number(index) : QString(QChar('A' + index - 10)); }

}  // namespace

void AddRecentFile(QStringList& list, const QString& path, int limit) {
    bool found = false;
    for (int i = 0; i < list.size(); ++i) {
        if (!SamePath(list[i], path)) continue;
        list.move(i, 0);
        found = true;
    }
    if (found) return;
    if (list.size() >= limit) list.erase(list.begin() + (limit - 1), list.end());
    list.prepend(path);
}

void RemoveRecentFile(QStringList& list, const QString& path) {
    for (int i = 0; i < list.size(); ++i)
        if (SamePath(list[i], path)) {
            list.removeAt(i);
            return;
        }
}

std::vector<TReopenEntry> ReopenEntries(const QStringList& diagrams, const QStringList& pgnFiles,
                                        const QStringList& epdFiles) {
    std::vector<TReopenEntry> entries;
    int label = 0;
    auto addGroup = [&](const QStringList& list, TRecentKind kind, const QString& hint) {
        for (const QString& path : list) {
            TReopenEntry entry;
            entry.Kind = kind;
            entry.Caption = "&" + Label(label++) + "  " + path;
            entry.Hint = hint + path;
            entry.Path = path;
            entries.push_back(entry);
        }
    };
    TReopenEntry separator;
    separator.Separator = true;
    addGroup(diagrams, TRecentKind::Diagram, "Open the chess diagram ");
    if (!diagrams.isEmpty() && !pgnFiles.isEmpty()) entries.push_back(separator);
    addGroup(pgnFiles, TRecentKind::PGN, "Open the pgn file ");
    if (!epdFiles.isEmpty() && (!pgnFiles.isEmpty() || !diagrams.isEmpty())) entries.push_back(separator);
    addGroup(epdFiles, TRecentKind::EPD, "Open the epd file ");
    return entries;
}

QString PathOfReopenCaption(const QString& caption) { return caption.mid(4); }

}  // namespace vorlix
