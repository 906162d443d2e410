#include <gtest/gtest.h>

#include "TempFiles.h"
#include "files/PGN.h"

using namespace vorlix;

struct TLoaded {
    bool Ok;
    std::string Message;
};

class PGNFile : public ::testing::Test {
protected:
    TLoaded LoadText(const std::string& text) {
        Path = Dir.Write("games.pgn", text);
        TCollectingReporter reporter;
        Pgn = std::make_unique<TPGN>(reporter);
        const bool ok = Pgn->LoadFromFile(Path);
        return {ok, reporter.Last()};
    }
    const TPGNRec& Game(int index) {
        TPGNRec* r = Pgn->First;
        for (int i = 0; i < index && r; ++i) r = r->Next;
        EXPECT_NE(r, nullptr);
        return *r;
    }
    TTempDir Dir;
    std::string Path;
    std::unique_ptr<TPGN> Pgn;
};

TEST_F(PGNFile, ReadsTagsAndMoves) {
    const TLoaded r = LoadText(
        "[Event \"Club\"]\n[Site \"Town\"]\n[Date \"2020.01.02\"]\n[Round \"3\"]\n[White \"A, B\"]\n"
        "[Black \"C\"]\n[Result \"1-0\"]\n[whiteelo \"2100\"]\n[WhiteTitle \"GM\"]\n[ECO \"C20\"]\n\n"
        "1. e4 e5\n  2. Nf3 1-0  \n");
    ASSERT_TRUE(r.Ok);
    ASSERT_EQ(Pgn->Count(), 1);
    const TPGNRec& g = Game(0);
    EXPECT_EQ(Pgn->Current, Pgn->First);
    EXPECT_EQ(g.Event, "Club");
    EXPECT_EQ(g.Site, "Town");
    EXPECT_EQ(g.Date, "2020.01.02");
    EXPECT_EQ(g.Round, "3");
    EXPECT_EQ(g.White, "A, B");
    EXPECT_EQ(g.Black, "C");
    EXPECT_EQ(g.Result, "1-0");
    EXPECT_EQ(g.WhiteElo, "2100");
    EXPECT_EQ(g.BlackElo, "?");
    EXPECT_EQ(g.ECO, "C20");
    EXPECT_FALSE(g.HasSetup);
    EXPECT_EQ(g.Moves, "1. e4 e5 2. Nf3 1-0 ");
}

TEST_F(PGNFile, SplitsGamesAtTheFirstTagAfterMoves) {
    ASSERT_TRUE(LoadText("[White \"a\"]\n1. e4 *\n[White \"b\"]\n[Black \"c\"]\n1. d4 *\n").Ok);
    ASSERT_EQ(Pgn->Count(), 2);
    EXPECT_EQ(Game(0).White, "a");
    EXPECT_EQ(Game(1).White, "b");
    EXPECT_EQ(Game(1).Black, "c");
    EXPECT_EQ(Game(1).Prev, &Game(0));
    Pgn->GoFirst();
    EXPECT_TRUE(Pgn->GoNext());
    EXPECT_FALSE(Pgn->GoNext());
    EXPECT_EQ(Pgn->Current, &Game(1));
}

TEST_F(PGNFile, RejectsTextBeforeTheFirstTag) {
    const TLoaded r = LoadText("\n\nhello\n[Event \"x\"]\n");
    EXPECT_FALSE(r.Ok);
    EXPECT_EQ(r.Message, Path + " does not seem to\r\n be a valid PGN file.");
    EXPECT_EQ(Pgn->Count(), 0);
}

TEST_F(PGNFile, CommentsBeforeTheFirstGameAreSkipped) {
    ASSERT_TRUE(LoadText("{ Licence: free to copy.\n [Event \"not a tag\"] }\n; a line comment\n%escape\n{x} [Event "
                         "\"e\"]\n1. e4 *\n")
                    .Ok);
    ASSERT_EQ(Pgn->Count(), 1);
    EXPECT_EQ(Game(0).Event, "e");
    EXPECT_EQ(Game(0).Moves, "1. e4 * ");
    EXPECT_FALSE(LoadText("{ about }\n1. e4 *\n").Ok);                    // still needs a tag line first
    EXPECT_FALSE(LoadText(std::string("\0\0\0[Event \"x\"]\n", 16)).Ok);  // binary
}

TEST_F(PGNFile, RepeatedTagStartsANewGame) {
    std::string text;
    for (int i = 0; i < 45; ++i) text += "[Event \"study\"]\n[White \"ch" + std::to_string(i) + "\"]\n\n";
    text += "1. e4 *\n";
    ASSERT_TRUE(LoadText(text).Ok);
    ASSERT_EQ(Pgn->Count(), 45);
    EXPECT_EQ(Game(0).White, "ch0");
    EXPECT_EQ(Game(0).Moves, "");
    EXPECT_EQ(Game(44).White, "ch44");
    EXPECT_EQ(Game(44).Moves, "1. e4 * ");
}

TEST_F(PGNFile, TextAfterATagIsReadAsTheNextLine) {
    ASSERT_TRUE(LoadText("[White \"a]\"] [Black \"b\"][Result \"1-0\"] 1. e4 e5\n2. Nf3 1-0\n").Ok);
    ASSERT_EQ(Pgn->Count(), 1);
    EXPECT_EQ(Game(0).White, "a]");
    EXPECT_EQ(Game(0).Black, "b");
    EXPECT_EQ(Game(0).Moves, "1. e4 e5 2. Nf3 1-0 ");
}

TEST_F(PGNFile, EveryKindOfLineEndAnywhere) {
    // LF first, CR later: the probe of the first bytes must not decide for the file.
    std::string text = "[White \"a\"]\n1. e4 *\n\n";
    for (int i = 0; i < 20; ++i)
        text += "[White \"b" + std::to_string(i) + "\"]\r1. d4 *\r\r[Black \"c\"]\r\n1. c4 *\r\n";
    ASSERT_TRUE(LoadText(text).Ok);
    ASSERT_EQ(Pgn->Count(), 41);
    EXPECT_EQ(Game(1).White, "b0");
    EXPECT_EQ(Game(1).Moves, "1. d4 * ");
    EXPECT_EQ(Game(2).Black, "c");
    EXPECT_EQ(Game(40).Moves, "1. c4 * ");
}

TEST_F(PGNFile, LongMoveLinesAreRead) {
    std::string moves;
    for (int i = 1; i <= 400; ++i) moves += std::to_string(i) + ". Nf3 Nf6 " + std::to_string(i) + "... Ng1 Ng8 ";
    ASSERT_TRUE(LoadText("[Event \"x\"]\n" + moves + "\n").Ok);
    EXPECT_EQ(Game(0).Moves, moves.substr(0, moves.size() - 1) + " ");
}

TEST_F(PGNFile, SemicolonCommentsAndEscapeLinesStayOut) {
    ASSERT_TRUE(LoadText("% produced by a tool\n[Event \"x\" ; note]\n; between tags\n[Site \"s{a}b\"]\n"
                         "1. e4 ; Nf3 would be a move here\n{ a ; kept\nstill inside } e5\n%escape Qh5\n2. Nf3 *\n")
                    .Ok);
    ASSERT_EQ(Pgn->Count(), 1);
    EXPECT_EQ(Game(0).Event, "x");
    EXPECT_EQ(Game(0).Site, "sb");
    EXPECT_EQ(Game(0).Moves, "1. e4 { a ; kept still inside } e5 2. Nf3 * ");
}

TEST_F(PGNFile, SetUpAndFenTagsDecideHasSetup) {
    ASSERT_TRUE(LoadText("[FEN \"8/8/8/8/8/8/8/K1k5 w - - 0 1\"]\n[SetUp \"0\"]\n*\n"
                         "[SetUp \"0\"]\n[FEN \"8/8/8/8/8/8/8/K1k5 w - - 0 1\"]\n*\n"
                         "[SetUp \"1\"]\n*\n")
                    .Ok);
    EXPECT_FALSE(Game(0).HasSetup);
    EXPECT_EQ(Game(0).FEN, "8/8/8/8/8/8/8/K1k5 w - - 0 1");
    EXPECT_TRUE(Game(1).HasSetup);
    EXPECT_TRUE(Game(2).HasSetup);
}

TEST_F(PGNFile, OddTagLines) {
    ASSERT_TRUE(LoadText("[Event \"never closed]\n[Black]\n[WhiteEloX \"7\"]\n*\n").Ok);
    EXPECT_EQ(Game(0).Event, "");
    EXPECT_EQ(Game(0).Black, "");
    EXPECT_EQ(Game(0).WhiteElo, "7");  // no blank needed after WhiteElo
}

TEST_F(PGNFile, ShortCrLfFileAndLongCrLfFile) {
    ASSERT_TRUE(LoadText("[White \"a\"]\r\n1. e4 *\r\n").Ok);
    EXPECT_EQ(Game(0).White, "a");
    EXPECT_EQ(Game(0).Moves, "1. e4 * ");
    std::string text;
    for (int i = 0; i < 30000; ++i) text += "[White \"p" + std::to_string(i) + "\"]\r\n\r\n1. e4 e5 *\r\n\r\n";
    ASSERT_TRUE(LoadText(text).Ok);  // crosses many read blocks
    ASSERT_EQ(Pgn->Count(), 30000);
    int i = 0;
    for (const TPGNRec* g = Pgn->First; g; g = g->Next, ++i) {
        ASSERT_EQ(g->White, "p" + std::to_string(i));
        ASSERT_EQ(g->Moves, "1. e4 e5 * ");
    }
}

TEST_F(PGNFile, ShortFileWithBareCrLineEnds) {
    ASSERT_TRUE(LoadText("[White \"a\"]\r[Black \"b\"]\r\r1. e4 e5 *\r").Ok);
    ASSERT_EQ(Pgn->Count(), 1);
    EXPECT_EQ(Game(0).Black, "b");
    EXPECT_EQ(Game(0).Moves, "1. e4 e5 * ");
}

TEST_F(PGNFile, WrappedClockCommentIsNoTagLine) {
    ASSERT_TRUE(LoadText("[White \"a\"]\n\n1. e4 { a long comment\n[%clk 0:03:00] } 1... e5 {\n[%clk 0:02:59] }\n"
                         "2. Nf3 *\n\n[White \"b\"]\n[%clk 0:00:01]\n1. d4 *\n")
                    .Ok);
    ASSERT_EQ(Pgn->Count(), 2);
    EXPECT_EQ(Game(0).Moves, "1. e4 { a long comment [%clk 0:03:00] } 1... e5 { [%clk 0:02:59] } 2. Nf3 * ");
    EXPECT_EQ(Game(1).White, "b");  // outside a comment the line is still read as a tag
    EXPECT_EQ(Game(1).Moves, "1. d4 * ");
}

TEST_F(PGNFile, Utf8WithBomAndWindows1252) {
    ASSERT_TRUE(LoadText("\xEF\xBB\xBF[White \"J\xC3\xBCrgen\"]\n*\n").Ok);
    EXPECT_EQ(Game(0).White, "J\xC3\xBCrgen");
    ASSERT_TRUE(LoadText("[White \"J\xFCrgen\"]\n[Black \"\x80\"]\n*\n").Ok);
    EXPECT_EQ(Game(0).White, "J\xC3\xBCrgen");
    EXPECT_EQ(Game(0).Black, "\xE2\x82\xAC");
}

TEST_F(PGNFile, IOErrors) {
    TCollectingReporter reporter;
    TPGN pgn(reporter);
    EXPECT_FALSE(pgn.LoadFromFile(Dir.File("missing.pgn")));
    EXPECT_EQ(reporter.Last(), "File not found!");
    EXPECT_FALSE(pgn.LoadFromFile(Dir.Path().string()));
    EXPECT_EQ(reporter.Last(), "Invalid file name!");
    EXPECT_FALSE(pgn.LoadFromFile(""));
    EXPECT_EQ(reporter.Last(), "Invalid file name!");
    EXPECT_EQ(pgn.Count(), 0);
}

TEST(PGNSamples, EveryGameOfTheSamplesLoads) {
    TPGN pgn;
    ASSERT_TRUE(pgn.LoadFromFile(VORLIX_TEST_DATA_DIR "/Morphy_ANSI.pgn"));
    EXPECT_GT(pgn.Count(), 100);
    EXPECT_EQ(pgn.First->White, "Morphy, Paul ");
    pgn.Clear();
    ASSERT_TRUE(pgn.LoadFromFile(VORLIX_TEST_DATA_DIR "/err.pgn"));
    ASSERT_EQ(pgn.Count(), 1);
    EXPECT_EQ(pgn.First->WhiteElo, "2526");
    EXPECT_GT(pgn.First->Moves.size(), 256u);
}
