// The batch run and the PGN walk that feeds it, without a window: which
// positions of which games become jobs, and how a run ends.
#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include "batch/BatchSources.h"
#include "batch/PgnBatchJobs.h"
#include "board/Diagram.h"
#include "board/DiagramBoard.h"
#include "board/DiagramFile.h"
#include "files/PGNIndex.h"

namespace vorlix {
namespace {

// A set-up game, an ordinary game and a game whose second move is illegal.
const char kGames[] =
    "[White \"Setup\"]\n[SetUp \"1\"]\n[FEN \"8/8/8/8/8/8/8/K6k w - - 0 1\"]\n\n1. Kb2 *\n\n"
    "[White \"Plain\"]\n\n1. e4 e5 *\n\n"
    "[White \"Faulty\"]\n\n1. e4 e4 *\n";

std::array<int32_t, 64> CodesOf(const std::string& placement) {
    TDiagramBoard board;
    EXPECT_TRUE(board.SetPositionFromPlacement(placement));
    return board.Codes();
}

class PgnBatchWalk : public ::testing::Test {
protected:
    void SetUp() override {
        QFile file(dir.filePath("games.pgn"));
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
        file.write(kGames);
        file.close();
        ASSERT_TRUE(index.LoadFromFile(file.fileName().toStdString(), errors));
        ASSERT_EQ(index.Count(), 3);
    }

    struct TWalk {
        std::vector<TDiagramJob> Jobs;
        std::vector<int> GameOfJob;  // the counters' game number at each job
        int NothingToDo = 0;
        std::vector<std::string> Faulty;
    };
    // Every job of a run over the games in the given list order.
    TWalk Walk(const std::vector<int>& listOrder, const TPgnBatchOptions& options) {
        TPgnBatchSource source(index, listOrder);
        TPgnBatchJobs jobs(source, options);
        TWalk walk;
        if (!jobs.Start()) return walk;
        do {
            if (jobs.NothingToDo())
                ++walk.NothingToDo;
            else
                while (jobs.HasJob()) {
                    walk.Jobs.push_back(jobs.TakeJob());
                    walk.GameOfJob.push_back(jobs.Counters().GameNumber);
                }
        } while (jobs.NextGame());
        EXPECT_FALSE(jobs.InGame());
        walk.Faulty = jobs.FaultyGames();
        return walk;
    }

    QTemporaryDir dir;
    TCollectingReporter errors;
    TPGNIndex index;
};

TEST_F(PgnBatchWalk, GamesGiveTheirPositionsInListOrderWithNamesAndCaptions) {
    TPgnBatchOptions options;
    options.FileName = SplitChosenName("out/Cap.gif", true);
    options.Header = TCaptionItems{};
    options.Header->White = true;
    const struct {
        const char* Name;
        TPositionMode Mode;
        bool FenStart, FenFinal;
        std::vector<QString> Files;
        int NothingToDo;
    } rows[] = {
        // The set-up game is listed last; the faulty game gives no final position.
        {"fixed: a set-up game's start", TPositionMode::Fixed, true, false, {"out/Cap0001.GIF", "out/Cap0021.GIF"}, 0},
        {"fixed: both ends",
         TPositionMode::Fixed,
         true,
         true,
         {"out/Cap0001.GIF", "out/Cap0021.GIF", "out/Cap0022.GIF"},
         0},
        {"fixed: set-up game switched off", TPositionMode::Fixed, false, false, {"out/Cap0001.GIF"}, 1},
        {"entire",
         TPositionMode::Entire,
         true,
         false,
         {"out/Cap00001.GIF", "out/Cap00002.GIF", "out/Cap00003.GIF", "out/Cap00501.GIF", "out/Cap00502.GIF",
          "out/Cap01001.GIF", "out/Cap01002.GIF"},
         0},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.Name);
        options.Rule.Mode = row.Mode;
        options.Rule.FenStart = row.FenStart;
        options.Rule.FenFinal = row.FenFinal;
        const TWalk walk = Walk({1, 2, 0}, options);
        std::vector<QString> files;
        for (const TDiagramJob& job : walk.Jobs) files.push_back(job.FileName);
        EXPECT_EQ(files, row.Files);
        EXPECT_EQ(walk.NothingToDo, row.NothingToDo);
        ASSERT_EQ(walk.Faulty.size(), 1u);
        EXPECT_NE(walk.Faulty[0].find("3"), std::string::npos) << walk.Faulty[0];  // named by its number in the file
    }

    // The set-up game's starting position is its FEN, with its own caption.
    options.Rule = {};
    const TWalk fixed = Walk({0}, options);
    ASSERT_EQ(fixed.Jobs.size(), 1u);
    EXPECT_EQ(fixed.Jobs[0].Codes, CodesOf("8/8/8/8/8/8/8/K6k"));
    EXPECT_EQ(fixed.Jobs[0].HeaderText, "Setup");
    EXPECT_FALSE(fixed.Jobs[0].FooterText.has_value());  // a footer that is off keeps the style's text
}

TEST_F(PgnBatchWalk, CountersFollowTheCustomSelection) {
    TPgnBatchOptions options;
    options.Rule.Mode = TPositionMode::Custom;
    std::string error;
    ASSERT_TRUE(ParsePositionText("1,3", options.Rule.Custom.FromStart, error));
    TPgnBatchSource source(index, {1});
    TPgnBatchJobs jobs(source, options);
    ASSERT_TRUE(jobs.Start());
    EXPECT_EQ(jobs.Counters().GameCount, 1);
    EXPECT_EQ(jobs.Counters().PositionCount, 3);
    EXPECT_EQ(jobs.Counters().SelectedCount, 2);
    std::vector<std::pair<int, int>> seen;  // position number, captured count
    while (jobs.HasJob()) {
        const TDiagramJob job = jobs.TakeJob();
        EXPECT_TRUE(job.FileName.isEmpty());  // printed: no file names
        seen.emplace_back(jobs.Counters().PositionNumber, jobs.Counters().CapturedCount);
    }
    EXPECT_EQ(seen, (std::vector<std::pair<int, int>>{{1, 1}, {3, 2}}));
    EXPECT_FALSE(jobs.NextGame());
}

// The run over a board's style writes what the board itself gives, tells each
// diagram in order, and ends Done, Cancelled or Failed with the failure as a value.
TEST(BatchRun, EndsDoneCancelledOrFailedWithTheFailingJob) {
    QTemporaryDir dir;
    TDiagram diagram;
    TCollectingReporter reporter;
    ASSERT_TRUE(LoadDiagramFile(VORLIX_SOURCE_DIR "/resources/default.vxd", diagram, reporter));
    diagram.Header.Enabled = true;
    TImageOptions gif;
    enum class TStop { None, CancelAfterFirst, SecondUnwritable };
    const struct {
        const char* Name;
        TStop Stop;
        TBatchEnd End;
        int Written;
    } rows[] = {{"done", TStop::None, TBatchEnd::Done, 3},
                {"cancelled", TStop::CancelAfterFirst, TBatchEnd::Cancelled, 1},
                {"failed", TStop::SecondUnwritable, TBatchEnd::Failed, 1}};
    for (const auto& row : rows) {
        SCOPED_TRACE(row.Name);
        const QString folder = dir.filePath(row.Name);
        QDir().mkpath(folder);
        TBatchRunner runner(StyleOfDiagram(diagram, TOutputKind::Image, gif), 1);
        ASSERT_TRUE(runner.Prepare(reporter));
        std::vector<QString> told;
        runner.SetProgress([&](const TDiagramJob& job, int written) {
            told.push_back(job.FileName);
            EXPECT_EQ(written, int(told.size()));
            if (row.Stop == TStop::CancelAfterFirst) runner.Cancel();
        });
        bool accepted = true;
        for (int n = 1; n <= 3; ++n) {
            TDiagramJob job;
            job.Codes = CodesOf(n == 1 ? "8/8/8/8/8/8/8/K6k" : "rnbqkbnr/pppppppp/8/8/8/8/PPPPPPPP/RNBQKBNR");
            job.HeaderText = "Diagram " + std::to_string(n);
            job.FileName = folder + (n == 2 && row.Stop == TStop::SecondUnwritable ? "/missing/" : "/") +
                           QString("D%1.gif").arg(n);
            accepted = runner.Add(job) && runner.Flush();
        }
        EXPECT_EQ(accepted, row.End == TBatchEnd::Done);
        EXPECT_EQ(runner.End(), row.End);
        EXPECT_EQ(runner.Written(), row.Written);
        EXPECT_EQ(int(told.size()), row.Written);
        EXPECT_EQ(QDir(folder).entryList(QDir::Files).size(), row.Written);
        if (row.End == TBatchEnd::Failed) {
            ASSERT_TRUE(runner.Failure());
            EXPECT_EQ(runner.Failure()->Job, 1);
            EXPECT_NE(runner.Error().find("missing/D2.gif"), std::string::npos) << runner.Error();
        } else {
            EXPECT_FALSE(runner.Failure());
            EXPECT_TRUE(runner.Error().empty());
        }
    }

    // A diagram of the copied style is the file the board itself gives.
    diagram.Board.SetCodes(CodesOf("8/8/8/8/8/8/8/K6k"));
    diagram.Header.Text = "Diagram 1";
    std::vector<std::uint8_t> expected;
    std::string error;
    ASSERT_TRUE(EncodeBatchImage(diagram, gif, expected, error));
    QFile written(dir.filePath("done/D1.gif"));
    ASSERT_TRUE(written.open(QIODevice::ReadOnly));
    const QByteArray bytes = written.readAll();
    EXPECT_EQ(std::vector<std::uint8_t>(bytes.begin(), bytes.end()), expected);
}

}  // namespace
}  // namespace vorlix
