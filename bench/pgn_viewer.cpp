// The PGN viewer with a large file: the time until its list shows all games,
// the time of a sort by "White" and the peak memory, against "vorlix games" on
// the same file in the same run. The file is built by repeating the real games
// of GAMES (a PGN file, or one compressed with gzip).
// Usage: bench_pgn_viewer [--mb N | --games N] [--vorlix PATH] GAMES   (default --mb 100)
#include <fcntl.h>
#include <spawn.h>
#include <sys/resource.h>
#include <sys/wait.h>

#include <QApplication>
#include <QElapsedTimer>
#include <QFile>
#include <QProcess>
#include <QTemporaryDir>
#include <algorithm>
#include <cstdio>
#include <cstring>
#include <vector>

#include "BenchViewerHost.h"
#include "settings/SettingsStore.h"
#include "viewers/GameListModel.h"
#include "viewers/ui/PgnViewer.h"

extern char** environ;

using namespace vorlix;

namespace {

constexpr int kRuns = 5;

double Median(std::vector<double> values) {
    std::sort(values.begin(), values.end());
    return values[values.size() / 2];
}

// The source games repeated until the file holds `bytes` bytes or `games` games.
bool MakeArchive(const QString& source, const QString& name, qint64 bytes, qint64 games) {
    QProcess gunzip;
    gunzip.start("gzip", {"-dcf", source});
    if (!gunzip.waitForFinished(-1)) return false;
    const QByteArray unit = gunzip.readAllStandardOutput();
    const qint64 perUnit = unit.count("\n[Event ") + (unit.startsWith("[Event ") ? 1 : 0);
    if (unit.isEmpty() || perUnit == 0) return false;
    QFile out(name);
    if (!out.open(QIODevice::WriteOnly)) return false;
    qint64 written = 0, listed = 0;
    while ((bytes > 0 && written < bytes) || (games > 0 && listed + perUnit <= games)) {
        out.write(unit);
        written += unit.size();
        listed += perUnit;
    }
    // The rest of the games, up to the exact count.
    if (games > 0 && listed < games) {
        qsizetype at = 0;
        for (qint64 i = 0; i < games - listed && at >= 0; ++i) at = unit.indexOf("\n[Event ", at + 1);
        out.write(at < 0 ? unit : unit.left(at + 1));
    }
    return true;
}

// A figure of /proc/self/status in MB ("VmRSS", "VmHWM").
double StatusMB(const char* field) {
    QFile status("/proc/self/status");
    if (!status.open(QIODevice::ReadOnly)) return 0;
    for (const QByteArray& line : status.readAll().split('\n'))
        if (line.startsWith(field))
            return line.mid(static_cast<qsizetype>(std::strlen(field)) + 1).trimmed().split(' ').value(0).toDouble() /
                   1024.0;
    return 0;
}

struct TRun {
    double WallMs = 0;
    double CpuMs = 0;  // user + system, the program's children included
};

// Runs a program to its end with its output discarded.
TRun Spawn(const std::vector<std::string>& args) {
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_addopen(&actions, 1, "/dev/null", O_WRONLY, 0);
    std::vector<char*> argv;
    for (const std::string& a : args) argv.push_back(const_cast<char*>(a.c_str()));
    argv.push_back(nullptr);
    QElapsedTimer timer;
    timer.start();
    pid_t pid = 0;
    TRun run;
    if (posix_spawn(&pid, argv[0], &actions, nullptr, argv.data(), environ) != 0) return run;
    int status = 0;
    rusage usage{};
    wait4(pid, &status, 0, &usage);
    run.WallMs = timer.nsecsElapsed() / 1e6;
    run.CpuMs =
        (usage.ru_utime.tv_sec + usage.ru_stime.tv_sec) * 1e3 + (usage.ru_utime.tv_usec + usage.ru_stime.tv_usec) / 1e3;
    posix_spawn_file_actions_destroy(&actions);
    return run;
}

// The peak resident memory of a program run through GNU time, which forks it
// from a small process: the peak the kernel reports to this big process would
// count this process's own pages, shared with the child until its exec.
TRun SpawnMeasured(std::vector<std::string> args, const QString& peakFile, double& peakMB) {
    args.insert(args.begin(), {"/usr/bin/time", "-f", "%M", "-o", peakFile.toStdString()});
    const TRun run = Spawn(args);
    QFile in(peakFile);
    peakMB = in.open(QIODevice::ReadOnly) ? in.readAll().trimmed().split('\n').last().toDouble() / 1024.0 : 0;
    return run;
}

// One opening of the file in the viewer; the figures go to resultFile.
int OpenOnce(const QString& file, const QString& resultFile) {
    QTemporaryDir folder;
    TSettingsStore store(folder.filePath("settings.ini"));
    TAppSettings settings(store);
    TBenchHost host(settings);
    TPgnViewer viewer(host);
    const double beforeMB = StatusMB("VmRSS");
    QElapsedTimer timer;
    timer.start();
    if (!viewer.LoadArchive(file)) return 1;
    viewer.ShowArchive();
    QApplication::processEvents();  // the first page of rows is painted
    const double listMs = timer.nsecsElapsed() / 1e6;
    const double shownMB = StatusMB("VmRSS");
    timer.restart();
    viewer.Model().HeaderClicked(gcFirstTag);  // "White"
    QApplication::processEvents();
    const double sortMs = timer.nsecsElapsed() / 1e6;
    QFile out(resultFile);
    if (!out.open(QIODevice::WriteOnly)) return 1;
    out.write(QString("%1 %2 %3 %4 %5 %6 %7\n")
                  .arg(listMs)
                  .arg(sortMs)
                  .arg(viewer.Model().rowCount())
                  .arg(viewer.Games().MemoryUsed() / 1048576.0)
                  .arg(beforeMB)
                  .arg(shownMB)
                  .arg(StatusMB("VmHWM"))  // since the exec: this process alone
                  .toUtf8());
    return 0;
}

struct TViewerFigures {
    TRun Run;
    QList<QByteArray> Figures;  // as OpenOnce wrote them
};

TViewerFigures OpenInChild(const std::string& self, const QString& file, const QString& results) {
    TViewerFigures got;
    got.Run = Spawn({self, "--once", file.toStdString(), results.toStdString()});
    QFile in(results);
    if (in.open(QIODevice::ReadOnly)) got.Figures = in.readAll().trimmed().split(' ');
    QFile::remove(results);
    return got;
}

}  // namespace

int main(int argc, char** argv) {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    const QStringList args = app.arguments();
    if (args.size() == 4 && args[1] == "--once") return OpenOnce(args[2], args[3]);

    qint64 bytes = 100LL << 20, games = 0;
    QString vorlix = QApplication::applicationDirPath() + "/vorlix";
    QString source;
    for (int i = 1; i < args.size(); ++i) {
        if (args[i] == "--mb" && i + 1 < args.size())
            bytes = args[++i].toLongLong() << 20, games = 0;
        else if (args[i] == "--games" && i + 1 < args.size())
            games = args[++i].toLongLong(), bytes = 0;
        else if (args[i] == "--vorlix" && i + 1 < args.size())
            vorlix = args[++i];
        else
            source = args[i];
    }
    if (source.isEmpty()) {
        std::fprintf(stderr, "usage: bench_pgn_viewer [--mb N | --games N] [--vorlix PATH] GAMES.pgn[.gz]\n");
        return 2;
    }
    QTemporaryDir folder;
    const QString file = folder.filePath("bench.pgn");
    const QString results = folder.filePath("results.txt");
    const QString peakFile = folder.filePath("peak.txt");
    if (!MakeArchive(source, file, bytes, games)) {
        std::fprintf(stderr, "bench_pgn_viewer: cannot build the file from %s\n", qPrintable(source));
        return 1;
    }
    const QString tiny = folder.filePath("tiny.pgn");
    MakeArchive(source, tiny, 1, 0);
    const double fileMB = QFile(file).size() / 1048576.0;
    const std::string self = QApplication::applicationFilePath().toStdString();

    std::vector<double> list, sort, viewerPeak, viewerCpu, index, before, shown, peer, peerCpu, peerPeak;
    int count = 0;
    for (int run = 0; run < kRuns; ++run) {
        const TViewerFigures opened = OpenInChild(self, file, results);
        if (opened.Figures.size() < 7) {
            std::fprintf(stderr, "the viewer run failed\n");
            return 1;
        }
        list.push_back(opened.Figures[0].toDouble());
        sort.push_back(opened.Figures[1].toDouble());
        count = opened.Figures[2].toInt();
        index.push_back(opened.Figures[3].toDouble());
        before.push_back(opened.Figures[4].toDouble());
        shown.push_back(opened.Figures[5].toDouble());
        viewerPeak.push_back(opened.Figures[6].toDouble());
        viewerCpu.push_back(opened.Run.CpuMs);
        double peak = 0;
        const TRun games = SpawnMeasured({vorlix.toStdString(), "games", file.toStdString()}, peakFile, peak);
        peer.push_back(games.WallMs);
        peerCpu.push_back(games.CpuMs);
        peerPeak.push_back(peak);
    }
    const double emptyPeak = OpenInChild(self, tiny, results).Figures.value(6).toDouble();

    std::printf("PGN viewer, %.1f MB, %d games, medians of %d runs\n", fileMB, count, kRuns);
    std::printf("  list shown (read + fill + first paint):  %9.1f ms\n", Median(list));
    std::printf("  vorlix games on the same file:           %9.1f ms\n", Median(peer));
    std::printf("  ratio list shown / vorlix games:         %9.2f (target <= 2)\n", Median(list) / Median(peer));
    std::printf("  sort by White:                           %9.1f ms (target < 500 for 150,000 games)\n", Median(sort));
    std::printf("  processor time of the viewer process:    %9.1f ms (start, read, show, sort, end)\n",
                Median(viewerCpu));
    std::printf("  processor time of vorlix games:          %9.1f ms\n", Median(peerCpu));
    std::printf("  viewer peak memory:                      %9.1f MB = %.2f x the file (target < 0.5)\n",
                Median(viewerPeak), Median(viewerPeak) / fileMB);
    std::printf("  resident before reading / list shown:    %9.1f MB / %.1f MB\n", Median(before), Median(shown));
    std::printf("  peak of the same viewer on a tiny file:  %9.1f MB (Qt and the program)\n", emptyPeak);
    std::printf("  game index (records and tag text):       %9.1f MB\n", Median(index));
    std::printf("  vorlix games peak memory:                %9.1f MB\n", Median(peerPeak));
    return 0;
}
