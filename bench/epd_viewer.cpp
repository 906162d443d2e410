// The EPD viewer with a large file: the time until its list is filled and the
// time of one sort, against "vorlix epd" reading the same file in the same run.
// Usage: bench_epd_viewer [--records N] [--vorlix PATH] FILE.epd...
// (defaults 100000 records and the vorlix beside this program; the records
// of the given files are repeated to the wanted count)
#include <QApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QProcess>
#include <QTemporaryDir>
#include <algorithm>
#include <cstdio>
#include <vector>

#include "BenchViewerHost.h"
#include "board/DiagramBoard.h"
#include "files/ErrorReporter.h"
#include "settings/Settings.h"
#include "settings/SettingsStore.h"
#include "viewers/EpdListModel.h"
#include "viewers/ui/EpdViewer.h"

using namespace vorlix;

namespace {

constexpr int kRuns = 5;

// The positions of the source files repeated to the wanted count, each with its own id.
QString MakeArchive(const QString& folder, const QStringList& sources, int records) {
    QStringList lines;
    for (const QString& source : sources) {
        QFile file(source);
        if (!file.open(QIODevice::ReadOnly)) {
            std::fprintf(stderr, "bench_epd_viewer: cannot read %s\n", qPrintable(source));
            continue;
        }
        for (const QByteArray& line : file.readAll().split('\n'))
            if (line.contains(';')) lines << QString::fromLatin1(line.left(line.indexOf(';'))).trimmed();
    }
    if (lines.isEmpty()) lines << "rnbqkbnr/pppppppp/8/8/4P3/8/PPPP1PPP/RNBQKBNR b KQkq - bm e5";
    const QString name = folder + "/bench.epd";
    QFile out(name);
    out.open(QIODevice::WriteOnly);
    for (int i = 0; i < records; ++i) {
        // Keep the record's best move, drop its own id, give a new one.
        QString record = lines[i % lines.size()];
        const int id = record.indexOf(" id ");
        if (id >= 0) record = record.left(id);
        out.write(QString("%1; id \"pos %2\";\r\n").arg(record).arg((i * 7919) % records).toUtf8());
    }
    return name;
}

double Median(std::vector<double> values) {
    std::sort(values.begin(), values.end());
    return values[values.size() / 2];
}

double TimePeer(const QString& vorlix, const QString& file) {
    QProcess process;
    process.setStandardOutputFile(QProcess::nullDevice());
    QElapsedTimer timer;
    timer.start();
    process.start(vorlix, {"epd", file});
    process.waitForFinished(-1);
    return timer.nsecsElapsed() / 1e6;
}

}  // namespace

int main(int argc, char** argv) {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    int records = 100000;
    QString vorlix = QApplication::applicationDirPath() + "/vorlix";
    QStringList sources;
    const QStringList args = app.arguments();
    for (int i = 1; i < args.size(); ++i) {
        if (args[i] == "--records" && i + 1 < args.size())
            records = std::max(1, args[++i].toInt());
        else if (args[i] == "--vorlix" && i + 1 < args.size())
            vorlix = args[++i];
        else
            sources << args[i];
    }
    if (sources.isEmpty()) {
        std::fprintf(stderr, "usage: bench_epd_viewer [--records N] [--vorlix PATH] FILE.epd...\n");
        return 2;
    }
    QTemporaryDir folder;
    const QString file = MakeArchive(folder.path(), sources, records);
    TSettingsStore store(folder.filePath("settings.ini"));
    TAppSettings settings(store);

    std::vector<double> fill, sortText, sortNumber, peer;
    for (int run = 0; run < kRuns; ++run) {
        TBenchHost host(settings);
        TEpdViewer viewer(host);
        QElapsedTimer timer;
        timer.start();
        if (!viewer.LoadArchive(file)) {
            std::fprintf(stderr, "cannot read %s\n", qPrintable(file));
            return 1;
        }
        viewer.ShowArchive();
        QApplication::processEvents();  // the first page of rows is painted
        fill.push_back(timer.nsecsElapsed() / 1e6);

        timer.restart();
        viewer.lvwEPDColumnClick(TEpdListModel::colDescription);
        QApplication::processEvents();
        sortText.push_back(timer.nsecsElapsed() / 1e6);
        timer.restart();
        viewer.lvwEPDColumnClick(TEpdListModel::colNr);
        QApplication::processEvents();
        sortNumber.push_back(timer.nsecsElapsed() / 1e6);
        viewer.CloseArchive();

        if (QFile::exists(vorlix)) peer.push_back(TimePeer(vorlix, file));
    }

    std::printf("EPD viewer, %d records, medians of %d runs (ms)\n", records, kRuns);
    std::printf("  list filled (read + fill + first paint): %8.1f\n", Median(fill));
    std::printf("  sort by Description:                     %8.1f\n", Median(sortText));
    std::printf("  sort by Nr.:                             %8.1f\n", Median(sortNumber));
    if (!peer.empty()) {
        std::printf("  vorlix epd on the same file:             %8.1f\n", Median(peer));
        std::printf("  ratio list filled / vorlix epd:          %8.2f (target <= 3)\n", Median(fill) / Median(peer));
    } else {
        std::printf("  %s not found: no peer figure\n", qPrintable(vorlix));
    }
    return 0;
}
