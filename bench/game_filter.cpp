// The PGN viewer's game search on a large list: the time from a query to the
// narrowed list (parsing, testing the tag values, rebuilding the rows of the
// game list model), per query, median of five runs. The file is built by
// repeating the real games of GAMES (a PGN file, or one compressed with gzip).
// Usage: bench_game_filter [--games N] GAMES   (default --games 1000000; target: under 300 ms)
#include <QCoreApplication>
#include <QElapsedTimer>
#include <QFile>
#include <QProcess>
#include <QTemporaryDir>
#include <algorithm>
#include <cstdio>
#include <cstring>
#include <vector>

#include "files/ErrorReporter.h"
#include "files/PGNIndex.h"
#include "viewers/GameFilter.h"
#include "viewers/GameListModel.h"

using namespace vorlix;

namespace {

constexpr int kRuns = 5;

// The source games repeated until the file holds `games` games.
bool MakeArchive(const QString& source, const QString& name, qint64 games) {
    QProcess gunzip;
    gunzip.start("gzip", {"-dcf", source});
    if (!gunzip.waitForFinished(-1)) return false;
    const QByteArray unit = gunzip.readAllStandardOutput();
    const qint64 perUnit = unit.count("\n[Event ") + (unit.startsWith("[Event ") ? 1 : 0);
    if (unit.isEmpty() || perUnit == 0) return false;
    QFile out(name);
    if (!out.open(QIODevice::WriteOnly)) return false;
    qint64 listed = 0;
    for (; listed + perUnit <= games; listed += perUnit) out.write(unit);
    if (listed < games) {
        qsizetype at = 0;
        for (qint64 i = 0; i < games - listed && at >= 0; ++i) at = unit.indexOf("\n[Event ", at + 1);
        out.write(at < 0 ? unit : unit.left(at + 1));
    }
    return true;
}

}  // namespace

int main(int argc, char** argv) {
    QCoreApplication app(argc, argv);
    qint64 games = 1000000;
    const char* source = nullptr;
    for (int i = 1; i < argc; ++i) {
        if (!std::strcmp(argv[i], "--games") && i + 1 < argc)
            games = std::atoll(argv[++i]);
        else
            source = argv[i];
    }
    if (!source || games <= 0) {
        std::fprintf(stderr, "usage: bench_game_filter [--games N] GAMES\n");
        return 2;
    }
    QTemporaryDir dir;
    const QString archive = dir.filePath("games.pgn");
    if (!dir.isValid() || !MakeArchive(source, archive, games)) {
        std::fprintf(stderr, "bench_game_filter: cannot build the archive from %s\n", source);
        return 2;
    }
    TPGNIndex index;
    TSilentReporter silent;
    QElapsedTimer load;
    load.start();
    if (!index.LoadFromFile(archive.toStdString(), silent, {}, 2)) {
        std::fprintf(stderr, "bench_game_filter: cannot read %s\n", qPrintable(archive));
        return 2;
    }
    std::printf("%d games indexed in %lld ms\n", index.Count(), static_cast<long long>(load.elapsed()));
    TGameListModel model;
    model.SetGames(&index);
    model.Sort(gcFirstTag, true);  // the search keeps a sort: measure with one

    const char* queries[] = {"a", "an", "white:an black:ov", "eco:B90-B99", "date:2005-2012 1-0", "zzzz", ""};
    bool fast = true;
    for (const char* query : queries) {
        std::vector<double> times;
        for (int run = 0; run < kRuns; ++run) {
            QElapsedTimer timer;
            timer.start();
            model.SetFilter(ParseGameFilter(query));
            times.push_back(static_cast<double>(timer.nsecsElapsed()) / 1e6);
        }
        std::sort(times.begin(), times.end());
        const double median = times[times.size() / 2];
        fast = fast && median < 300;
        std::printf("%-24s %9d shown  %8.1f ms\n", (std::string("\"") + query + "\"").c_str(), model.rowCount(),
                    median);
    }
    std::printf("%s\n", fast ? "every query under 300 ms" : "SLOWER than 300 ms");
    return fast ? 0 : 1;
}
