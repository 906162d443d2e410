#include "help/HelpCatalog.h"

#include <QDir>
#include <QFile>
#include <QRegularExpression>
#include <algorithm>
#include <climits>

static void InitHelpResources() { Q_INIT_RESOURCE(HelpTopics); }

namespace vorlix {
namespace {

QString MetaContent(const QString& html, const QString& name) {
    const QRegularExpression meta("<meta\\s+name=\"" + name + "\"\\s+content=\"([^\"]*)\"",
                                  QRegularExpression::CaseInsensitiveOption);
    return meta.match(html).captured(1).trimmed();
}

QString PlainText(const QString& html) {
    QString body = html;
    body.remove(QRegularExpression(
        "<head>.*</head>", QRegularExpression::DotMatchesEverythingOption | QRegularExpression::CaseInsensitiveOption));
    body.remove(QRegularExpression("<[^>]*>"));
    body.replace("&amp;", "&").replace("&lt;", "<").replace("&gt;", ">").replace("&quot;", "\"");
    return body.simplified().toLower();
}

int FirstContext(const THelpTopic& topic) { return topic.Contexts.isEmpty() ? INT_MAX : topic.Contexts.first(); }

}  // namespace

THelpTopic ParseHelpTopic(const QString& file, const QString& html) {
    THelpTopic topic;
    topic.File = file;
    const QRegularExpression title("<title>(.*)</title>", QRegularExpression::CaseInsensitiveOption |
                                                              QRegularExpression::InvertedGreedinessOption);
    topic.Title = title.match(html).captured(1).trimmed();
    topic.Section = MetaContent(html, "section");
    for (const QString& number : MetaContent(html, "context").split(' ', Qt::SkipEmptyParts)) {
        bool ok = false;
        const int context = number.toInt(&ok);
        if (ok) topic.Contexts << context;
    }
    for (const QString& keyword : MetaContent(html, "keywords").split(';', Qt::SkipEmptyParts))
        topic.Keywords << keyword.trimmed();
    topic.PlainText = PlainText(html);
    return topic;
}

const THelpCatalog& THelpCatalog::Instance() {
    InitHelpResources();
    static const THelpCatalog catalog(":/help");
    return catalog;
}

THelpCatalog::THelpCatalog(const QString& folder) : folder_(folder) {
    const QStringList files = QDir(folder).entryList({"*.html"}, QDir::Files, QDir::Name);
    for (const QString& file : files) {
        QFile page(folder + "/" + file);
        if (!page.open(QIODevice::ReadOnly)) continue;
        topics_ << ParseHelpTopic(file, QString::fromUtf8(page.readAll()));
    }
    std::stable_sort(topics_.begin(), topics_.end(),
                     [](const THelpTopic& a, const THelpTopic& b) { return FirstContext(a) < FirstContext(b); });
}

const THelpTopic* THelpCatalog::TopicForContext(int context) const {
    for (const THelpTopic& topic : topics_)
        if (topic.Contexts.contains(context)) return &topic;
    return nullptr;
}

const THelpTopic* THelpCatalog::TopicByFile(const QString& file) const {
    for (const THelpTopic& topic : topics_)
        if (topic.File.compare(file, Qt::CaseInsensitive) == 0) return &topic;
    return nullptr;
}

QList<THelpIndexEntry> THelpCatalog::Index() const {
    QList<THelpIndexEntry> entries;
    for (const THelpTopic& topic : topics_)
        for (const QString& keyword : topic.Keywords) entries << THelpIndexEntry{keyword, topic.File};
    std::stable_sort(entries.begin(), entries.end(), [](const THelpIndexEntry& a, const THelpIndexEntry& b) {
        return a.Keyword.compare(b.Keyword, Qt::CaseInsensitive) < 0;
    });
    return entries;
}

QList<const THelpTopic*> THelpCatalog::Search(const QString& query) const {
    const QStringList words = query.toLower().split(QRegularExpression("\\s+"), Qt::SkipEmptyParts);
    QList<const THelpTopic*> found;
    if (words.isEmpty()) return found;
    for (const THelpTopic& topic : topics_) {
        const QString text = topic.Title.toLower() + " " + topic.PlainText;
        if (std::all_of(words.begin(), words.end(), [&](const QString& w) { return text.contains(w); }))
            found << &topic;
    }
    auto titleHits = [&](const THelpTopic* topic) {
        return std::count_if(words.begin(), words.end(),
                             [&](const QString& w) { return topic->Title.toLower().contains(w); });
    };
    std::stable_sort(found.begin(), found.end(),
                     [&](const THelpTopic* a, const THelpTopic* b) { return titleHits(a) > titleHits(b); });
    return found;
}

QStringList THelpCatalog::Sections() const {
    QStringList sections;
    for (const THelpTopic& topic : topics_)
        if (!topic.Section.isEmpty() && !sections.contains(topic.Section)) sections << topic.Section;
    return sections;
}

}  // namespace vorlix
