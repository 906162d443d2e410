// Move text written anew from the replayed position: every move of GAMES (a
// PGN file, or one compressed with gzip) is replayed and written in English
// standard algebraic notation, and compared with the file's token (annotation
// marks stripped). Prints the share of matching moves and moves per second of
// the writing alone and of replay plus writing (processor time of the thread),
// medians of five runs.
// Usage: bench_notation [--games N] GAMES   (default: all games; target 100 % and >= 1,000,000 moves/s)
#include <QByteArray>
#include <QCoreApplication>
#include <QFile>
#include <QProcess>
#include <QTemporaryDir>
#include <algorithm>
#include <cstdio>
#include <cstring>
#include <ctime>
#include <memory>
#include <vector>

#include "files/ErrorReporter.h"
#include "files/Exceptions.h"
#include "files/GameReplay.h"
#include "files/PGNReader.h"
#include "rules/MoveNotation.h"
#include "rules/Placement.h"
#include "tests/rules/SourceToken.h"

using namespace vorlix;

namespace {

constexpr int kRuns = 5;

struct TCount {
    long Moves = 0;
    long Matching = 0;
    long Illegal = 0;  // games whose replay stopped at a move the rules refuse
    double Seconds = 0;
};

// Processor time of this thread, so that a busy machine does not distort the figures.
double ThreadSeconds() {
    timespec t{};
    clock_gettime(CLOCK_THREAD_CPUTIME_ID, &t);
    return static_cast<double>(t.tv_sec) + static_cast<double>(t.tv_nsec) * 1e-9;
}

enum class TPass { Compare, ReplayOnly, ReplayAndWrite };

TCount RunOnce(const std::vector<std::unique_ptr<TPGNRec>>& games, TPass pass) {
    TCount count;
    const double start = ThreadSeconds();
    char text[kMoveTextRoom];
    size_t bytes = 0;  // keeps the writing from being optimised away
    for (const auto& game : games) {
        try {
            TGameReplay replay(*game);
            TChessPosition before = replay.Position();
            while (replay.Step()) {
                const TChessPosition& after = replay.Position();
                ++count.Moves;
                const size_t n =
                    pass == TPass::ReplayOnly ? 0 : WriteMove(before, after.LastMove, TNotation::English, text);
                bytes += n;
                if (pass == TPass::Compare) {
                    if (oracle::SameMove(after.MoveText, std::string(text, n)))
                        ++count.Matching;
                    else if (count.Moves - count.Matching <= 10)
                        std::printf("  differs: %s (file) vs %.*s after %s %c\n", after.MoveText.c_str(), int(n), text,
                                    PlacementText(before.Board).c_str(), before.WhiteToMove ? 'w' : 'b');
                }
                std::memcpy(before.Board, after.Board, sizeof before.Board);
                before.MoveNumber = after.MoveNumber;
                before.WhiteToMove = after.WhiteToMove;
                before.WhiteInCheck = after.WhiteInCheck;
                before.BlackInCheck = after.BlackInCheck;
                before.CastleWhiteShort = after.CastleWhiteShort;
                before.CastleWhiteLong = after.CastleWhiteLong;
                before.CastleBlackShort = after.CastleBlackShort;
                before.CastleBlackLong = after.CastleBlackLong;
                before.EpPossible = after.EpPossible;
                before.EpFile = after.EpFile;
                before.EpRank = after.EpRank;
                before.HalfMoveClock = after.HalfMoveClock;
            }
        } catch (const EIllegalMoveData&) {
            ++count.Illegal;
        }
    }
    count.Seconds = ThreadSeconds() - start;
    if (bytes == 1) std::printf(" ");
    return count;
}

double Median(std::vector<double> v) {
    std::sort(v.begin(), v.end());
    return v[v.size() / 2];
}

}  // namespace

int main(int argc, char** argv) {
    QCoreApplication app(argc, argv);
    long limit = 0;
    const char* source = nullptr;
    for (int i = 1; i < argc; ++i) {
        if (!std::strcmp(argv[i], "--games") && i + 1 < argc)
            limit = std::atol(argv[++i]);
        else
            source = argv[i];
    }
    if (!source) {
        std::fprintf(stderr, "usage: bench_notation [--games N] GAMES\n");
        return 2;
    }
    QProcess gunzip;
    gunzip.start("gzip", {"-dcf", QString::fromLocal8Bit(source)});
    if (!gunzip.waitForFinished(-1) || gunzip.exitCode() != 0) {
        std::fprintf(stderr, "bench_notation: cannot read %s\n", source);
        return 2;
    }
    QTemporaryDir dir;
    const std::string name = (dir.path() + "/games.pgn").toStdString();
    {
        QFile out(QString::fromStdString(name));
        if (!out.open(QIODevice::WriteOnly) || out.write(gunzip.readAllStandardOutput()) < 0) return 2;
    }
    std::vector<std::unique_ptr<TPGNRec>> games;
    TSilentReporter reporter;
    ReadPGNFile(
        name, reporter,
        [&]() -> TPGNRec* {
            games.push_back(std::make_unique<TPGNRec>());
            return games.back().get();
        },
        [](TPGNRec&) {});
    if (limit > 0 && static_cast<long>(games.size()) > limit) games.resize(static_cast<size_t>(limit));
    const TCount checked = RunOnce(games, TPass::Compare);
    std::printf("games %zu, moves %ld, matching %ld (%.4f %%), games stopped by an illegal move %ld\n", games.size(),
                checked.Moves, checked.Matching, checked.Moves ? 100.0 * checked.Matching / checked.Moves : 0.0,
                checked.Illegal);
    // The writing alone is the difference of a replay with writing and one without.
    std::vector<double> writing, total;
    for (int run = 0; run < kRuns; ++run) {
        const TCount replay = RunOnce(games, TPass::ReplayOnly);
        const TCount both = RunOnce(games, TPass::ReplayAndWrite);
        writing.push_back(both.Moves / std::max(1e-9, both.Seconds - replay.Seconds));
        total.push_back(both.Moves / both.Seconds);
    }
    std::printf("writing alone: %.0f moves/s; replay and writing: %.0f moves/s (medians of %d runs)\n", Median(writing),
                Median(total), kRuns);
    return checked.Matching == checked.Moves ? 0 : 1;
}
