// A batch run cut into shards: the cuts, and the files of all shards against
// those of one run; runs that share a folder; manifests and their check.
#include <gtest/gtest.h>

#include <QDir>
#include <QDirIterator>
#include <QFile>
#include <QProcess>
#include <QTemporaryDir>
#include <numeric>

#include "batch/Shard.h"
#include "files/PGNReader.h"

namespace vorlix {
namespace {

TEST(Shard, ParsesKOfNAndRefusesTheRest) {
    const struct {
        const char* text;
        bool ok;
        int k, n;
    } cases[] = {{"1/1", true, 1, 1},   {"3/4", true, 3, 4},  {"12/100", true, 12, 100},
                 {"0/4", false, 0, 0},  {"5/4", false, 0, 0}, {"4", false, 0, 0},
                 {"a/4", false, 0, 0},  {"1/0", false, 0, 0}, {"-1/4", false, 0, 0},
                 {"1/4/", false, 0, 0}, {"/4", false, 0, 0},  {"99999999/99999999", false, 0, 0}};
    for (const auto& c : cases) {
        TShard shard;
        std::string error;
        EXPECT_EQ(ParseShard(c.text, shard, error), c.ok) << c.text;
        if (c.ok)
            EXPECT_EQ(std::make_pair(shard.Index, shard.Count), std::make_pair(c.k, c.n)) << c.text;
        else
            EXPECT_NE(error.find("--shard takes K/N"), std::string::npos) << c.text;
    }
}

// Whatever the work, the shards' parts follow each other without gap or
// overlap, and none holds much more than its share.
TEST(Shard, PartsCoverTheRunOnceWithNearlyEqualWork) {
    const std::vector<std::vector<uint32_t>> works = {{},
                                                      {5},
                                                      {1, 1, 1},
                                                      {1, 1, 1, 1, 1, 1, 1, 1, 1, 1},
                                                      {100, 1, 1, 1, 1, 1, 1, 1},
                                                      {1, 2, 3, 4, 5, 6, 7, 8, 9, 10},
                                                      std::vector<uint32_t>(1000, 7)};
    for (const auto& work : works)
        for (int n : {1, 2, 3, 4, 7, 16}) {
            const uint64_t total = std::accumulate(work.begin(), work.end(), uint64_t(0));
            const uint32_t biggest = work.empty() ? 0 : *std::max_element(work.begin(), work.end());
            int64_t next = 0;
            for (int k = 1; k <= n; ++k) {
                const TShardRange r = ShardOfWork(work, {k, n});
                EXPECT_EQ(r.First, next) << k << "/" << n << " of " << work.size();
                ASSERT_LE(r.First, r.Last);
                next = r.Last;
                const uint64_t part = std::accumulate(work.begin() + r.First, work.begin() + r.Last, uint64_t(0));
                EXPECT_LE(part, total / n + biggest) << k << "/" << n << " of " << work.size();
            }
            EXPECT_EQ(next, static_cast<int64_t>(work.size()));
        }
    EXPECT_EQ(ShardOfCount(10, {3, 4}).First, 5);
    EXPECT_EQ(ShardOfCount(10, {3, 4}).Last, 7);
    EXPECT_EQ(ShardOfCount(2, {1, 4}).Size(), 0);  // more shards than records: some write nothing
}

TEST(Shard, GameWorkIsTheDiagramsExpectedPlusTheReading) {
    TPositionRule entire, fixed, bothFen, noFen, custom;
    entire.Mode = TPositionMode::Entire;
    custom.Mode = TPositionMode::Custom;
    bothFen.FenFinal = true;
    noFen.FenStart = false;
    custom.Custom.FromStart.AddRange(1, 3);
    custom.Custom.FromEnd.AddUnique(1);
    const struct {
        const TPositionRule& rule;
        int positions;
        bool setup;
        uint32_t work;
    } cases[] = {{entire, 41, false, 42}, {fixed, 41, false, 2}, {fixed, 41, true, 2},   {bothFen, 41, true, 3},
                 {bothFen, 1, true, 2},   {noFen, 41, true, 1},  {custom, 41, false, 5}, {custom, 2, false, 3}};
    for (const auto& c : cases) EXPECT_EQ(GameWork(c.positions, c.setup, c.rule), c.work) << c.positions;
}

// The counting pass over a file cut into many parts gives what one part
// gives, and a reader started where a range's start says meets the range's
// first game with its number in the file.
TEST(Shard, CountingInPartsMatchesOnePartAndStartsFindTheirGames) {
    QTemporaryDir dir;
    const std::string file = dir.filePath("many.pgn").toStdString();
    {
        QFile f(QString::fromStdString(file));
        ASSERT_TRUE(f.open(QIODevice::WriteOnly));
        for (int i = 1; i <= 600; ++i) {
            f.write(QString("[Round \"%1\"]\n").arg(i).toUtf8());
            if (i % 7 == 0) f.write("[SetUp \"1\"]\n[FEN \"4k3/8/8/8/8/8/4P3/4K3 w - - 0 1\"]\n");
            f.write("\n1. e4 e5 2. Nf3 Nc6 ");
            for (int m = 0; m < i % 13; ++m) f.write("{a comment} ");
            f.write("*\n\n");
        }
    }
    TIntegerList chosen;
    chosen.AddRange(5, 20);
    chosen.AddRange(300, 590);
    TPositionRule rule;
    rule.Mode = TPositionMode::Entire;
    TCollectingReporter errors;
    TPgnWork whole, parts;
    ASSERT_TRUE(CountPgnWork(file, &chosen, rule, 1, errors, whole, UINT64_MAX / 2));
    ASSERT_TRUE(CountPgnWork(file, &chosen, rule, 2, errors, parts, 2048));
    EXPECT_EQ(whole.Starts.size(), 1u);
    EXPECT_GT(parts.Starts.size(), 10u);
    EXPECT_EQ(parts.Work, whole.Work);
    EXPECT_EQ(parts.Work.size(), 16u + 291u);
    for (int k = 1; k <= 5; ++k) {
        const TShardRange range = ShardOfWork(parts.Work, {k, 5});
        const TPgnStart& start = parts.StartOf(range);
        EXPECT_LE(start.PlacesBefore, range.First);
        // The games from the start on, numbered from its counts, are the run's.
        int inFile = start.GamesBefore, firstRound = 0;
        int64_t place = start.PlacesBefore;
        TPGNRec game;
        ReadPGNPart(
            file, start.Offset, parts.End, errors,
            [&] {
                ResetGame(game);
                return &game;
            },
            [&](TPGNRec& g) {
                ++inFile;
                EXPECT_EQ(g.Round, std::to_string(inFile));
                if (!chosen.Contains(inFile)) return;
                if (place++ == range.First) firstRound = inFile;
            });
        const int expected =
            range.First < 16 ? 5 + static_cast<int>(range.First) : 300 + static_cast<int>(range.First - 16);
        EXPECT_EQ(firstRound, expected) << k;
    }
    EXPECT_TRUE(errors.Messages.empty());
}

const QString kVorlix = QStringLiteral(VORLIX_BIN_DIR "/vorlix");
const QString kStyle = QStringLiteral(VORLIX_SOURCE_DIR "/resources/default.vxd");
const QString kData = QStringLiteral(VORLIX_TEST_DATA_DIR "/");

// Ordinary games, a game set up from a position and a game with an illegal move.
const char* const kMixedGames =
    "[White \"Ann\"]\n[Black \"Bo\"]\n\n1. e4 e5 2. Nf3 Nc6 3. Bb5 a6 1-0\n\n"
    "[White \"Cy\"]\n[Black \"Di\"]\n[SetUp \"1\"]\n[FEN \"4k3/8/8/8/8/8/4P3/4K3 w - - 0 1\"]\n\n1. e4 Kd7 2. Kd2 *\n\n"
    "[White \"Ed\"]\n[Black \"Fi\"]\n\n1. e4 Ke3 2. Nf3 *\n\n"
    "[White \"Gu\"]\n[Black \"Ho\"]\n\n1. d4 d5 2. c4 e6 3. Nc3 Nf6 1/2-1/2\n\n";

struct TRun {
    int Exit = -1;
    QString Out, Err;
};

class ShardRun : public testing::Test {
protected:
    void SetUp() override {
        if (!QFile::exists(kVorlix)) GTEST_SKIP() << "vorlix not built";
        QFile f(Dir.filePath("mixed.pgn"));
        ASSERT_TRUE(f.open(QIODevice::WriteOnly));
        for (int i = 0; i < 3; ++i) f.write(kMixedGames);
    }
    TRun Run(const QStringList& args) const {
        QProcess p;
        p.start(kVorlix, QStringList{"batch"} + args);
        p.waitForFinished(120000);
        return {p.exitStatus() == QProcess::NormalExit ? p.exitCode() : -1,
                QString::fromLocal8Bit(p.readAllStandardOutput()), QString::fromLocal8Bit(p.readAllStandardError())};
    }
    QString Folder(const QString& name) const {
        QDir(Dir.path()).mkpath(name);
        return Dir.filePath(name);
    }
    // Every file of the folder (manifests left out) with its bytes.
    static std::map<QString, QByteArray> Contents(const QString& folder) {
        std::map<QString, QByteArray> files;
        for (const QString& name : QDir(folder).entryList(QDir::Files | QDir::Hidden)) {
            if (name.endsWith(".jsonl")) continue;
            QFile f(folder + "/" + name);
            f.open(QIODevice::ReadOnly);
            files[name] = f.readAll();
        }
        return files;
    }
    QTemporaryDir Dir;
};

// The union of the shards' files is the single run's, byte for byte, with
// the single run's names and numbers, for every way of choosing positions
// and for EPD records; the manifests of the shards verify.
TEST_F(ShardRun, ShardsTogetherWriteExactlyTheFilesOfOneRun) {
    const QString mixed = Dir.filePath("mixed.pgn");
    const struct {
        const char* name;
        QStringList args;
    } runs[] = {
        {"entire", {kData + "Morphy_ANSI.pgn", "--games", "3-9", "--positions", "entire", "-o", "E.gif"}},
        {"fixed", {mixed, "--positions", "fixed", "--fen-final", "--header", "players,move", "-o", "F.gif"}},
        {"custom",
         {kData + "Morphy_ANSI.pgn", "--games", "20-60", "--positions", "custom", "--from-start", "1,10-12",
          "--from-end", "1", "-o", "C.vxd"}},
        {"mixed", {mixed, "--positions", "entire", "--scale", "50", "-o", "M.png"}},
        {"epd", {kData + "bratko-kopec.epd", "--records", "2-9,12-", "--header", "id", "-o", "R.gif"}},
    };
    for (const auto& run : runs) {
        SCOPED_TRACE(run.name);
        const QString single = Folder(QString(run.name) + "-single");
        QStringList args = run.args;
        args.last() = single + "/" + args.last();
        const TRun whole = Run(args + QStringList{"--style", kStyle, "--jobs", "1"});
        ASSERT_TRUE(whole.Exit == 0 || whole.Exit == 1) << whole.Err.toStdString();
        const auto expected = Contents(single);
        ASSERT_GT(expected.size(), 2u);
        for (int n : {1, 3, 4}) {
            SCOPED_TRACE(n);
            const QString folder = Folder(QString("%1-%2").arg(run.name).arg(n));
            args = run.args;
            args.last() = folder + "/" + args.last();
            QStringList manifests;
            int worst = 0;
            for (int k = 1; k <= n; ++k) {
                manifests << folder + QString("/part%1.jsonl").arg(k);
                const TRun part = Run(args + QStringList{"--style", kStyle, "--shard", QString("%1/%2").arg(k).arg(n),
                                                         "--manifest", manifests.last()});
                ASSERT_TRUE(part.Exit == 0 || part.Exit == 1) << part.Err.toStdString();
                worst = std::max(worst, part.Exit);
            }
            EXPECT_EQ(worst, whole.Exit);  // a faulty game fails its shard as it fails the run
            const auto got = Contents(folder);
            EXPECT_EQ(got.size(), expected.size());
            EXPECT_TRUE(got == expected);
            const TRun verify = Run(QStringList{"--verify"} + manifests);
            EXPECT_EQ(verify.Exit, 0) << verify.Err.toStdString();
            EXPECT_TRUE(verify.Out.startsWith(QString("%1 files of %2 manifests verified").arg(expected.size()).arg(n)))
                << verify.Out.toStdString();
        }
    }
}

// A second, different run into the folder stops before writing anything and
// names the first file it would have replaced; --overwrite replaces.
TEST_F(ShardRun, ASecondRunIntoTheFolderFailsLoudlyAndWritesNothing) {
    const QString folder = Folder("out");
    const QString morphy = kData + "Morphy_ANSI.pgn";
    const QStringList common{"--positions", "fixed", "-o", folder + "/D.gif", "--style", kStyle};
    TRun first = Run(QStringList{morphy, "--games", "1-3"} + common);
    ASSERT_EQ(first.Exit, 0) << first.Err.toStdString();
    const auto before = Contents(folder);
    ASSERT_EQ(before.size(), 3u);  // D0001.GIF, D0011.GIF, D0021.GIF

    // Games 2 to 5 number from 1 as well: the run's first file is the first clash.
    TRun second = Run(QStringList{morphy, "--games", "2-5"} + common);
    EXPECT_EQ(second.Exit, 1);
    EXPECT_EQ(second.Err.toStdString(), "vorlix batch: " + (folder + "/D0001.GIF").toStdString() +
                                            ": the file exists and this run did not write it; nothing was written "
                                            "(give --overwrite to replace it)\n");
    EXPECT_TRUE(Contents(folder) == before);

    // Only a later file in the way: still nothing written, and that file named.
    QFile::remove(folder + "/D0001.GIF");
    QFile::remove(folder + "/D0021.GIF");
    second = Run(QStringList{morphy, "--games", "2-5"} + common);
    EXPECT_EQ(second.Exit, 1);
    EXPECT_TRUE(second.Err.contains("/D0011.GIF: the file exists")) << second.Err.toStdString();
    EXPECT_EQ(Contents(folder).size(), 1u);

    second = Run(QStringList{morphy, "--games", "2-5", "--overwrite"} + common);
    EXPECT_EQ(second.Exit, 0) << second.Err.toStdString();
    const auto after = Contents(folder);
    EXPECT_EQ(after.size(), 4u);
    EXPECT_NE(after.at("D0011.GIF"), before.at("D0011.GIF"));  // game 3's final position in place of game 2's

    // A PDF file and a manifest are guarded alike.
    const QString pdf = folder + "/pages.pdf";
    QFile(pdf).open(QIODevice::WriteOnly);
    TRun printed = Run({morphy, "--games", "1", "-o", pdf, "--style", kStyle});
    EXPECT_EQ(printed.Exit, 1);
    EXPECT_TRUE(printed.Err.contains("pages.pdf: the file exists")) << printed.Err.toStdString();
    EXPECT_EQ(QFileInfo(pdf).size(), 0);
    const QString manifest = folder + "/m.jsonl";
    QFile(manifest).open(QIODevice::WriteOnly);
    printed = Run({morphy, "--games", "1", "-o", folder + "/Other.gif", "--style", kStyle, "--manifest", manifest});
    EXPECT_EQ(printed.Exit, 1);
    EXPECT_TRUE(printed.Err.contains("m.jsonl: the file exists")) << printed.Err.toStdString();
    EXPECT_FALSE(QFile::exists(folder + "/Other0001.GIF"));
}

// The check of a finished run finds every way its files can go wrong.
TEST_F(ShardRun, VerifyFindsBrokenMissingAndDoubledFilesAndMissingShards) {
    const QString folder = Folder("v");
    QStringList manifests;
    for (int k = 1; k <= 3; ++k) {
        manifests << folder + QString("/m%1.jsonl").arg(k);
        const TRun part = Run({kData + "bratko-kopec.epd", "-o", folder + "/P.gif", "--style", kStyle, "--shard",
                               QString("%1/3").arg(k), "--manifest", manifests.last()});
        ASSERT_EQ(part.Exit, 0) << part.Err.toStdString();
    }
    ASSERT_EQ(Run(QStringList{"--verify"} + manifests).Exit, 0);

    const auto verify = [&](const QStringList& which) { return Run(QStringList{"--verify"} + which); };
    {
        QFile broken(folder + "/P005.gif");
        ASSERT_TRUE(broken.open(QIODevice::Append));
        broken.write("x");
    }
    TRun r = verify(manifests);
    EXPECT_EQ(r.Exit, 1);
    EXPECT_TRUE(r.Err.contains("P005.gif: ")) << r.Err.toStdString();
    QFile::remove(folder + "/P005.gif");
    r = verify(manifests);
    EXPECT_TRUE(r.Err.contains("P005.gif: missing")) << r.Err.toStdString();

    r = verify({manifests[0], manifests[2]});
    EXPECT_EQ(r.Exit, 1);
    EXPECT_TRUE(r.Err.contains("shard 2/3 of this run has no manifest")) << r.Err.toStdString();
    r = verify({manifests[0], manifests[1], manifests[2], manifests[1]});
    EXPECT_TRUE(r.Err.contains("has been given already")) << r.Err.toStdString();

    // A shard that did not finish leaves no manifest behind, but a cut one is told.
    QFile cut(manifests[2]);
    ASSERT_TRUE(cut.open(QIODevice::ReadOnly));
    QByteArray text = cut.readAll();
    cut.close();
    text.chop(1);
    text.truncate(text.lastIndexOf('\n') + 1);
    ASSERT_TRUE(cut.open(QIODevice::WriteOnly | QIODevice::Truncate));
    cut.write(text);
    cut.close();
    r = verify({manifests[2]});
    EXPECT_EQ(r.Exit, 1);
    EXPECT_TRUE(r.Err.contains("has no closing line")) << r.Err.toStdString();
    r = verify({kData + "wacnew.epd"});
    EXPECT_EQ(r.Exit, 1);
}

// Shards of one PDF run write a file each, with the whole run's pages;
// many diagrams a page would fill pages differently and is refused.
TEST_F(ShardRun, PdfShardsWriteOwnFilesAndManyPerPageIsRefused) {
    const QString folder = Folder("pdf");
    const QStringList args{kData + "bratko-kopec.epd", "-o", folder + "/Book.pdf", "--style", kStyle, "--scale", "100"};
    TRun r = Run(args + QStringList{"--shard", "2/12"});
    EXPECT_EQ(r.Exit, 0) << r.Err.toStdString();
    EXPECT_TRUE(r.Out.contains("2 diagrams written on 2 pages of " + folder + "/Book-02-of-12.pdf"))
        << r.Out.toStdString();
    r = Run(args + QStringList{"--shard", "2/12", "--per-page"});
    EXPECT_EQ(r.Exit, 2);
    EXPECT_TRUE(r.Err.contains("--shard does not apply to PDF with --per-page")) << r.Err.toStdString();
    r = Run({kData + "bratko-kopec.epd", "-o", folder + "/x.gif", "--games", "1"});
    EXPECT_EQ(r.Exit, 2);
    r = Run({kData + "Morphy_ANSI.pgn", "-o", folder + "/x.gif", "--records", "1"});
    EXPECT_EQ(r.Exit, 2);
    EXPECT_TRUE(r.Err.contains("--records applies to EPD files")) << r.Err.toStdString();
    EXPECT_EQ(QDir(folder).entryList(QDir::Files).size(), 1);
}

// "1000-" chooses the games from the thousandth on, to the file's end, in a
// whole run and in its shards alike.
TEST_F(ShardRun, AnOpenGameRangeReachesTheEndOfALargeFile) {
    QFile f(Dir.filePath("many.pgn"));
    ASSERT_TRUE(f.open(QIODevice::WriteOnly));
    for (int i = 1; i <= 1005; ++i)
        f.write(QString("[Round \"%1\"]\n\n1. e4 e5 %2. Nf3 *\n\n").arg(i).arg(i % 50 + 2).toUtf8());
    f.close();
    const QString whole = Folder("whole"), parts = Folder("parts");
    TRun r = Run({f.fileName(), "--games", "1000-", "-o", whole + "/G.vxd", "--style", kStyle});
    EXPECT_EQ(r.Exit, 0) << r.Err.toStdString();
    EXPECT_TRUE(r.Out.startsWith("6 diagrams written")) << r.Out.toStdString();
    for (const char* shard : {"1/2", "2/2"}) {
        r = Run({f.fileName(), "--games", "1000-", "-o", parts + "/G.vxd", "--style", kStyle, "--shard", shard});
        EXPECT_EQ(r.Exit, 0) << r.Err.toStdString();
    }
    EXPECT_TRUE(Contents(parts) == Contents(whole));
    EXPECT_EQ(Contents(whole).size(), 6u);
}

}  // namespace
}  // namespace vorlix
