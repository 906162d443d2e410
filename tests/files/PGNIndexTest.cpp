#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>

#include "TempFiles.h"
#include "files/PGN.h"
#include "files/PGNIndex.h"

using namespace vorlix;

namespace {

// Every game of the index must equal the game TPGN reads, moves included.
void ExpectSameAsTPGN(const std::string& path) {
    SCOPED_TRACE(path);
    TSilentReporter silent;
    TPGN pgn(silent);
    const bool pgnOk = pgn.LoadFromFile(path);
    TPGNIndex index;
    EXPECT_EQ(index.LoadFromFile(path, silent), pgnOk);
    ASSERT_EQ(index.Count(), pgn.Count());
    int i = 0;
    TPGNRec read;
    for (TPGNRec* g = pgn.First; g; g = g->Next, ++i) {
        ASSERT_TRUE(index.ReadGame(i, read, silent)) << "game " << i;
        EXPECT_EQ(read.White, g->White);
        EXPECT_EQ(read.Black, g->Black);
        EXPECT_EQ(read.Event, g->Event);
        EXPECT_EQ(read.Site, g->Site);
        EXPECT_EQ(read.Date, g->Date);
        EXPECT_EQ(read.Result, g->Result);
        EXPECT_EQ(read.Round, g->Round);
        EXPECT_EQ(read.WhiteElo, g->WhiteElo);
        EXPECT_EQ(read.BlackElo, g->BlackElo);
        EXPECT_EQ(read.ECO, g->ECO);
        EXPECT_EQ(read.FEN, g->FEN);
        EXPECT_EQ(read.HasSetup, g->HasSetup);
        EXPECT_EQ(read.Moves, g->Moves) << "game " << i;
        EXPECT_EQ(index.Tag(i, TPGNTag::White), g->White);
        EXPECT_EQ(index.Tag(i, TPGNTag::ECO), g->ECO);
        EXPECT_EQ(index.Tag(i, TPGNTag::BlackElo), g->BlackElo);
    }
}

}  // namespace

TEST(PGNIndex, ListsTheSameGamesAsTheReaderInEverySample) {
    for (const char* name : {"0004.pgn", "3.pgn", "Morphy_ANSI.pgn", "benchmark.pgn", "err.pgn", "promoting.pgn",
                             "variations-nags-and-comments.pgn"})
        ExpectSameAsTPGN(std::string(VORLIX_TEST_DATA_DIR) + "/" + name);
}

TEST(PGNIndex, ReadsGamesBackInEveryLineEndAndEncoding) {
    TTempDir dir;
    const std::string games =
        "[Event \"A\"]\n[White \"M\xfcller\"]\n[Result \"1-0\"]\n\n1. e4 {a comment\n[%clk 0:01]} e5 ; rest\n"
        "% escape\n2. Nf3 1-0\n[Event \"B\"]\n[SetUp \"1\"]\n[FEN \"8/8/8/8/8/8/8/K1k5 w - - 0 1\"]\n1. Kb1 *\n"
        "\n\n[Event \"C\"]\n[WhiteElo \"2000\"]\n1. d4\n"
        // Games that start in the middle of a line, and move text on a tag line.
        "[Event \"D\"] [White \"P\"] [White \"Q\"] [Site \"S\"]  1. e4 e5\n2. Nf3\n[Event \"E\"][Event \"F\"]\n1. c4\n";
    std::string crlf, cr, nul;
    for (char c : games) {
        crlf += c == '\n' ? std::string("\r\n") : std::string(1, c);
        cr += c == '\n' ? '\r' : c;
        nul += c == '\n' ? '\0' : c;
    }
    ExpectSameAsTPGN(dir.Write("lf.pgn", games));
    TSilentReporter silent;
    TPGNIndex index;
    index.LoadFromFile(dir.File("lf.pgn"), silent);
    ASSERT_EQ(index.Count(), 7);
    EXPECT_EQ(index.Tag(4, TPGNTag::White), "Q");
    EXPECT_EQ(index.Tag(4, TPGNTag::Site), "S");
    EXPECT_EQ(index.Tag(6, TPGNTag::Event), "F");
    ExpectSameAsTPGN(dir.Write("crlf.pgn", crlf));
    ExpectSameAsTPGN(dir.Write("cr.pgn", cr));
    ExpectSameAsTPGN(dir.Write("nul.pgn", nul));
    ExpectSameAsTPGN(dir.Write("bom.pgn", "\xEF\xBB\xBF" + games));
    // A tag value longer than a block of tag text.
    ExpectSameAsTPGN(dir.Write("long.pgn", "[White \"" + std::string(1 << 21, 'x') + "\"]\n1. e4\n" + games));
}

TEST(PGNIndex, FailuresKeepTheGamesBeforeAndReadGameNoticesAChangedFile) {
    TTempDir dir;
    TCollectingReporter reporter;
    TPGNIndex index;
    EXPECT_FALSE(index.LoadFromFile(dir.File("missing.pgn"), reporter));
    EXPECT_EQ(reporter.Last(), "File not found!");
    const std::string path = dir.Write("bad.pgn", "1. e4 e5\n");
    EXPECT_FALSE(index.LoadFromFile(path, reporter));
    EXPECT_EQ(reporter.Last(), path + " does not seem to\r\n be a valid PGN file.");
    EXPECT_EQ(index.Count(), 0);

    const std::string two = dir.Write("two.pgn", "[White \"A\"]\n1. e4\n[White \"B\"]\n1. d4\n");
    ASSERT_TRUE(index.LoadFromFile(two, reporter));
    dir.Write("two.pgn", "1. e4 e5 2. Nf3 Nc6 3. Bb5\n[White \"B\"]\n1. d4\n");
    TPGNRec game;
    EXPECT_FALSE(index.ReadGame(0, game, reporter));
    EXPECT_EQ(reporter.Last(), two + " does not seem to\r\n be a valid PGN file.");
}

TEST(PGNIndex, AStoppedLoadKeepsOnlyCompletedGames) {
    TTempDir dir;
    std::string text;
    for (int i = 0; i < 60000; ++i) text += "[White \"P" + std::to_string(i) + "\"]\n\n1. e4 e5 2. Nf3 Nc6 *\n\n";
    const std::string path = dir.Write("many.pgn", text);
    TSilentReporter silent;
    TPGNIndex index;
    int calls = 0;
    uint64_t lastTotal = 0;
    EXPECT_TRUE(index.LoadFromFile(path, silent, [&](uint64_t, uint64_t total) {
        lastTotal = total;
        return ++calls < 2;
    }));
    EXPECT_TRUE(index.Stopped());
    EXPECT_EQ(lastTotal, text.size());
    ASSERT_GT(index.Count(), 0);
    ASSERT_LT(index.Count(), 60000);
    TPGNRec game;
    const int last = index.Count() - 1;
    ASSERT_TRUE(index.ReadGame(last, game, silent));
    EXPECT_EQ(game.White, "P" + std::to_string(last));
    EXPECT_EQ(game.Moves, "1. e4 e5 2. Nf3 Nc6 * ");
    EXPECT_LT(index.MemoryUsed(), text.size());
}

TEST(PGNIndex, RepeatedTagValuesAreKeptOnceAndShared) {
    TTempDir dir;
    std::string text;
    for (int i = 0; i < 3000; ++i)
        text += "[Event \"Open " + std::to_string(i % 3) + "\"]\n[White \"P" + std::to_string(i % 50) +
                "\"]\n[Black \"P" + std::to_string((i + 1) % 50) + "\"]\n[WhiteElo \"2400\"]\n1. e4 *\n\n";
    TSilentReporter silent;
    TPGNIndex index;
    ASSERT_TRUE(index.LoadFromFile(dir.Write("repeats.pgn", text), silent));
    ASSERT_EQ(index.Count(), 3000);
    EXPECT_EQ(index.TagIdCount(TPGNTag::Event), 3u);
    EXPECT_EQ(index.TagIdCount(TPGNTag::White), 50u);  // the players of both colours
    EXPECT_EQ(index.TagId(0, TPGNTag::Black), index.TagId(1, TPGNTag::White));
    EXPECT_EQ(index.TagIdCount(TPGNTag::BlackElo), 2u);  // "2400" and "?"
    EXPECT_EQ(index.Tag(2999, TPGNTag::Event), "Open 2");
    EXPECT_EQ(index.Tag(2999, TPGNTag::Black), "P0");
    EXPECT_EQ(index.Tag(2999, TPGNTag::BlackElo), "?");
    EXPECT_EQ(index.TagValue(TPGNTag::Site, index.TagId(5, TPGNTag::Site)), "");
    EXPECT_LT(index.MemoryUsed(), text.size() / 3);  // a few bytes a game
}

namespace {

std::string SampleText(const char* name) {
    std::ifstream in(std::string(VORLIX_TEST_DATA_DIR) + "/" + name, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), {});
}

// The sample games over and over: many parts of a few kilobytes.
std::string ManySampleGames(int rounds) {
    std::string text;
    for (int round = 0; round < rounds; ++round)
        for (const char* name : {"Morphy_ANSI.pgn", "0004.pgn", "benchmark.pgn", "promoting.pgn",
                                 "variations-nags-and-comments.pgn", "3.pgn"})
            text += SampleText(name) + "\n";
    return text;
}

// Index b lists the first b.Count() games of a with the same tags, and reads each back the same.
void ExpectSameGames(const TPGNIndex& a, const TPGNIndex& b, int step) {
    ASSERT_LE(b.Count(), a.Count());
    TSilentReporter silent;
    TPGNRec fromA, fromB;
    for (int i = 0; i < b.Count(); ++i) {
        for (int t = 0; t < kPGNTagCount; ++t) {
            ASSERT_EQ(a.Tag(i, static_cast<TPGNTag>(t)), b.Tag(i, static_cast<TPGNTag>(t))) << i;
            ASSERT_EQ(a.TagId(i, static_cast<TPGNTag>(t)), b.TagId(i, static_cast<TPGNTag>(t))) << i;
        }
        if (i % step && i != b.Count() - 1) continue;
        ASSERT_EQ(a.ReadGame(i, fromA, silent), b.ReadGame(i, fromB, silent)) << i;
        EXPECT_EQ(fromA.Moves, fromB.Moves) << i;
        EXPECT_EQ(fromA.FEN, fromB.FEN) << i;
    }
}

}  // namespace

TEST(PGNIndex, PartsReadOnSeveralThreadsGiveTheIndexOfOneReader) {
    TTempDir dir;
    const std::string path = dir.Write("many.pgn", ManySampleGames(3));
    TSilentReporter silent;
    TPGNIndex one, parts;
    ASSERT_TRUE(one.LoadFromFile(path, silent));
    for (const int jobs : {2, 3}) {
        SCOPED_TRACE(jobs);
        uint64_t lastDone = 0;
        int reports = 0;
        ASSERT_TRUE(parts.LoadFromFile(
            path, silent,
            [&](uint64_t done, uint64_t total) {
                EXPECT_GT(done, lastDone);
                EXPECT_EQ(total, std::filesystem::file_size(path));
                lastDone = done;
                ++reports;
                return true;
            },
            jobs, 4096));
        EXPECT_FALSE(parts.Stopped());
        ASSERT_EQ(parts.Count(), one.Count());
        ExpectSameGames(one, parts, 17);
    }
}

TEST(PGNIndex, PartsEndTheListWhereOneReaderStops) {
    TTempDir dir;
    // Broken games in the middle of a file of many parts.
    const std::string path = dir.Write("bad.pgn", ManySampleGames(2) + SampleText("err.pgn") + ManySampleGames(2));
    TCollectingReporter oneMessages, partMessages;
    TPGNIndex one, parts;
    EXPECT_EQ(parts.LoadFromFile(path, partMessages, {}, 2, 4096), one.LoadFromFile(path, oneMessages));
    EXPECT_EQ(partMessages.Messages, oneMessages.Messages);
    ASSERT_EQ(parts.Count(), one.Count());
    ExpectSameGames(one, parts, 23);

    // A stop keeps the complete games read before it, in file order.
    const std::string good = dir.Write("good.pgn", ManySampleGames(16));  // progress is told every megabyte
    TSilentReporter silent;
    ASSERT_TRUE(one.LoadFromFile(good, silent));
    int reports = 0;
    ASSERT_TRUE(parts.LoadFromFile(
        good, silent, [&](uint64_t, uint64_t) { return ++reports < 2; }, 2, 4096));
    EXPECT_TRUE(parts.Stopped());
    EXPECT_GT(parts.Count(), 0);
    EXPECT_LT(parts.Count(), one.Count());
    ExpectSameGames(one, parts, 5);
}
