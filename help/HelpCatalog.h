#pragma once
// The help topics compiled into the program. Each topic is one HTML page that
// names itself in <meta> tags: "context" (the context numbers that open it),
// "section" (its place in the contents) and "keywords" (its index entries).
#include <QList>
#include <QString>
#include <QStringList>

namespace vorlix {

struct THelpTopic {
    QString File;  // file name inside the topic folder, e.g. "quickstart.html"
    QString Title;
    QString Section;
    QList<int> Contexts;
    QStringList Keywords;
    QString PlainText;  // lower-case text without markup, for the search
};

struct THelpIndexEntry {
    QString Keyword;
    QString File;
};

inline const QString kHelpContentsFile = "contents.html";
inline const QString kHelpOnHelpFile = "helponhelp.html";

class THelpCatalog {
public:
    // The topics compiled into the program (":/help").
    static const THelpCatalog& Instance();
    // Reads every *.html page of a folder.
    explicit THelpCatalog(const QString& folder);

    const QString& Folder() const { return folder_; }
    const QList<THelpTopic>& Topics() const { return topics_; }
    // Topics ordered by their first context number.
    const THelpTopic* TopicForContext(int context) const;
    const THelpTopic* TopicByFile(const QString& file) const;
    // Every keyword with its topic, sorted without regard to case.
    QList<THelpIndexEntry> Index() const;
    // The topics whose text holds every word of the query, best title match first.
    QList<const THelpTopic*> Search(const QString& query) const;
    // Section names in the order of their lowest context number.
    QStringList Sections() const;

private:
    QString folder_;
    QList<THelpTopic> topics_;
};

// Reads the meta data and plain text of one page.
THelpTopic ParseHelpTopic(const QString& file, const QString& html);

}  // namespace vorlix
