// The compiled-in help: every context number the program uses has a topic,
// every link leads somewhere, and every topic can be found from the contents.
#include <gtest/gtest.h>

#include <QDir>
#include <QDirIterator>
#include <QFile>
#include <QRegularExpression>
#include <QSet>

#include "help/HelpCatalog.h"
#include "help/ui/Help.h"

using namespace vorlix;

namespace {

QString ReadText(const QString& path) {
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? QString::fromUtf8(file.readAll()) : QString();
}

// Context numbers in the sources: literals handed to ShowHelpTopic, and
// constants whose name ends in HelpContext (tables of them included).
QMap<int, QString> ContextNumbersInSources() {
    const QRegularExpression call("ShowHelpTopic\\(\\s*(\\d+)");
    const QRegularExpression constant("HelpContexts?\\w*\\s*(?:\\[\\s*\\d*\\s*\\])?\\s*=\\s*\\{?([\\d,\\s]+)");
    QMap<int, QString> found;
    for (const char* folder : {"app", "board", "viewers", "batch", "help", "cli"}) {
        QDirIterator it(QString(VORLIX_SOURCE_DIR) + "/" + folder, {"*.cpp", "*.h"}, QDir::Files,
                        QDirIterator::Subdirectories);
        while (it.hasNext()) {
            const QString path = it.next();
            const QString text = ReadText(path);
            for (const QRegularExpression* re : {&call, &constant}) {
                auto matches = re->globalMatch(text);
                while (matches.hasNext()) {
                    for (const QString& number :
                         matches.next().captured(1).split(QRegularExpression("[,\\s]+"), Qt::SkipEmptyParts))
                        found.insert(number.toInt(), QDir(VORLIX_SOURCE_DIR).relativeFilePath(path));
                }
            }
        }
    }
    return found;
}

}  // namespace

TEST(HelpCatalog, EveryContextNumberInTheSourcesHasATopic) {
    const QMap<int, QString> used = ContextNumbersInSources();
    EXPECT_TRUE(used.contains(kQuickStartContext) || HelpTopicExists(kQuickStartContext));
    for (auto it = used.begin(); it != used.end(); ++it) {
        if (it.key() == 0) continue;  // "no further help"
        EXPECT_TRUE(HelpTopicExists(it.key())) << "context " << it.key() << " used in " << it.value().toStdString();
    }
}

TEST(HelpCatalog, EveryTopicHasATitleASectionAndAPlaceInTheContents) {
    const THelpCatalog& catalog = THelpCatalog::Instance();
    ASSERT_GE(catalog.Topics().size(), 3);
    const QString contents = ReadText(":/help/" + kHelpContentsFile);
    QSet<int> contexts;
    for (const THelpTopic& topic : catalog.Topics()) {
        SCOPED_TRACE(topic.File.toStdString());
        EXPECT_FALSE(topic.Title.isEmpty());
        EXPECT_FALSE(topic.Section.isEmpty());
        EXPECT_FALSE(topic.Contexts.isEmpty());
        EXPECT_FALSE(topic.Keywords.isEmpty());
        if (topic.File != kHelpContentsFile) {
            EXPECT_TRUE(contents.contains("href=\"" + topic.File + "\""));
        }
        for (int context : topic.Contexts)
            EXPECT_FALSE(contexts.contains(context)) << "context " << context << " twice";
        for (int context : topic.Contexts) contexts.insert(context);
    }
    EXPECT_TRUE(HelpTopicExists(kQuickStartContext));
    EXPECT_NE(catalog.TopicByFile(kHelpOnHelpFile), nullptr);
}

TEST(HelpCatalog, EveryLinkLeadsToATopicOrOutOfTheProgram) {
    const THelpCatalog& catalog = THelpCatalog::Instance();
    const QRegularExpression link("href=\"([^\"#]*)");
    for (const THelpTopic& topic : catalog.Topics()) {
        auto matches = link.globalMatch(ReadText(":/help/" + topic.File));
        while (matches.hasNext()) {
            const QString target = matches.next().captured(1);
            if (target.startsWith("http") || target.startsWith("mailto:") || target.endsWith(".css")) continue;
            EXPECT_NE(catalog.TopicByFile(target), nullptr)
                << topic.File.toStdString() << " -> " << target.toStdString();
        }
    }
}

TEST(HelpCatalog, ParsesMetaDataAndFindsTopicsByWords) {
    const THelpTopic topic = ParseHelpTopic(
        "x.html",
        "<html><head><title>Borders</title><meta name=\"context\" content=\"2010 2011\">"
        "<meta name=\"section\" content=\"Board\"><meta name=\"keywords\" content=\"borders; colour, border\">"
        "</head><body><p>Up to <b>six</b> borders &amp; more.</p></body></html>");
    EXPECT_EQ(topic.Title, "Borders");
    EXPECT_EQ(topic.Contexts, (QList<int>{2010, 2011}));
    EXPECT_EQ(topic.Keywords, (QStringList{"borders", "colour, border"}));
    EXPECT_EQ(topic.PlainText, "up to six borders & more.");

    const THelpCatalog& catalog = THelpCatalog::Instance();
    const QList<const THelpTopic*> found = catalog.Search("QUICK start");
    ASSERT_FALSE(found.isEmpty());
    EXPECT_EQ(found.first()->File, "quickstart.html");  // the title match comes first
    EXPECT_TRUE(catalog.Search("zzzqqq").isEmpty());
    EXPECT_TRUE(catalog.Search("   ").isEmpty());
}
