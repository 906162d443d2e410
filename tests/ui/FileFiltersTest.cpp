// Every filter of every file dialog lists what its label says, in any letter
// case, taken apart as Qt's file dialog takes it and matched as QDir does.
#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QRegularExpression>
#include <QTemporaryDir>

#include "app/FileDialogFilters.h"
#include "batch/ui/ImageFileDialog.h"
#include "board/ui/FileFilters.h"
#include "board/ui/SquareImageFile.h"

using namespace vorlix;

TEST(FileFilters, EveryFilterListsTheFilesItsLabelNamesInAnyCase) {
    const QString dialogs[] = {kOpenFilter,           kDiagramFilter,           kEpdFilter,        kImageSaveFilter,
                               kBatchImageSaveFilter, kScalableImageSaveFilter, kSquareImageFilter};
    QTemporaryDir dir;
    const QStringList stems{"lower", "UPPER", "Mixed"};
    auto create = [&](const QString& name) { QFile(dir.filePath(name)).open(QIODevice::WriteOnly); };
    create("README");
    create("notes.zzz");
    create("archive.pgn.bak");
    for (const QString& pairs : dialogs) {
        const QStringList parts = pairs.split('|');
        const QStringList filters = NameFiltersFromPairs(pairs);
        ASSERT_EQ(filters.size(), parts.size() / 2) << pairs.toStdString();
        for (qsizetype i = 0; i < filters.size(); ++i) {
            const QString label = parts[2 * i];
            EXPECT_EQ(LabelOfNameFilter(filters[i]), label);
            // The extensions the label names, e.g. "(*.vxd, *.pgn, *.epd)".
            const QString named = QRegularExpression("\\(([^)]*)\\)$").match(label).captured(1);
            ASSERT_FALSE(named.isEmpty()) << label.toStdString();
            const bool everything = named == "*.*";
            QStringList expected;
            if (everything)
                expected << "README"
                         << "notes.zzz"
                         << "archive.pgn.bak";
            for (QString pattern : named.split(',', Qt::SkipEmptyParts)) {
                const QString extension = pattern.trimmed().mid(2);
                if (extension == "*") continue;
                const QString files[] = {"lower." + extension.toLower(), "UPPER." + extension.toUpper(),
                                         "Mixed." + extension.left(1).toUpper() + extension.mid(1).toLower()};
                for (const QString& file : files) {
                    create(file);
                    expected << file;
                }
            }
            const QStringList listed =
                QDir(dir.path()).entryList(PatternsOfNameFilter(filters[i]), QDir::Files | QDir::NoDotAndDotDot);
            for (const QString& file : expected)
                EXPECT_TRUE(listed.contains(file)) << label.toStdString() << ": " << file.toStdString();
            if (!everything) {
                EXPECT_FALSE(listed.contains("notes.zzz")) << label.toStdString();
                EXPECT_FALSE(listed.contains("archive.pgn.bak")) << label.toStdString();
            }
        }
    }
}
