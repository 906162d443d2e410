#include <gtest/gtest.h>

#include "files/PGN.h"
#include "files/PGNPos.h"
#include "files/PositionText.h"
#include "rules/Placement.h"

using namespace vorlix;

namespace {

TPGNRec Game(const std::string& moves, const std::string& result = "*", const std::string& fen = "") {
    TPGNRec g;
    g.Moves = moves;
    g.Result = result;
    if (!fen.empty()) {
        g.FEN = fen;
        g.HasSetup = true;
    }
    return g;
}

std::vector<std::string> MoveTexts(const TPGNPos& replay) {
    std::vector<std::string> texts;
    for (const TChessPosition* p = replay.First ? replay.First->Next : nullptr; p; p = p->Next)
        texts.push_back(p->MoveText);
    return texts;
}

using Texts = std::vector<std::string>;

}  // namespace

TEST(PGNPos, ResultOnlyGameIsOnePosition) {
    TPGNPos replay;
    const TPGNRec g = Game("1-0 ", "1-0");
    ASSERT_TRUE(replay.LoadGame(&g));
    EXPECT_EQ(replay.PositionCount(), 1);
    EXPECT_EQ(replay.First->MoveText, "-");
    EXPECT_EQ(replay.First->MoveNumber, 0);
}

TEST(PGNPos, SkipsCommentsVariationsAndNumbers) {
    TPGNPos replay;
    const TPGNRec g = Game("1. e4 e5 2. Nf3 {a comment} (2. f4 exf4) Nc6 1-0 ", "1-0");
    ASSERT_TRUE(replay.LoadGame(&g));
    EXPECT_EQ(MoveTexts(replay), (Texts{"e4", "e5", "Nf3", "Nc6"}));
    EXPECT_EQ(replay.CurrentIndex(), 0);
    EXPECT_EQ(replay.StepsToEnd(), 4);

    const TPGNRec nested = Game("1. e4 (1. d4 (1. c4 {a ) b} c5) d5) $1 1... c5!? {x}Nf3 2...d6 *");
    ASSERT_TRUE(replay.LoadGame(&nested));
    EXPECT_EQ(MoveTexts(replay), (Texts{"e4", "c5!?", "Nf3", "d6"}));
}

TEST(PGNPos, ResultTokenOnlyEndsTheGameWhenItMatches) {
    TPGNPos replay;
    const TPGNRec g = Game("1. e4 0-1 1/2-1/2 e5 1-0 Nf3", "1-0");
    ASSERT_TRUE(replay.LoadGame(&g));
    EXPECT_EQ(MoveTexts(replay), (Texts{"e4", "e5"}));
    const TPGNRec other = Game("1. e4 1-0 e5", "*");
    ASSERT_TRUE(replay.LoadGame(&other));
    EXPECT_EQ(MoveTexts(replay), (Texts{"e4", "e5"}));
}

TEST(PGNPos, SetupWithBlackToMove) {
    TPGNPos replay;
    const TPGNRec g = Game("12... Nf6 *", "*", "rnbqkbnr/pppppppp/8/8/4P3/8/PPPP1PPP/RNBQKBNR b KQkq e3 0 12");
    ASSERT_TRUE(replay.LoadGame(&g));
    ASSERT_EQ(replay.PositionCount(), 2);
    EXPECT_EQ(replay.First->MoveNumber, 12);
    EXPECT_FALSE(replay.First->WhiteToMove);
    EXPECT_EQ(replay.First->Next->MoveText, "Nf6");
    EXPECT_EQ(FenText(*replay.First->Next), "rnbqkb1r/pppppppp/5n2/8/4P3/8/PPPP1PPP/RNBQKBNR w KQkq - 1 13");
}

TEST(PGNPos, BadFenAndIllegalMoves) {
    TCollectingReporter reporter;
    TPGNPos replay(reporter);
    const TPGNRec badFen = Game("1. e4 *", "*", "not a fen");
    EXPECT_FALSE(replay.LoadGame(&badFen));
    EXPECT_EQ(reporter.Last(), "Illegal FEN data in PGN archive.");
    EXPECT_EQ(replay.PositionCount(), 0);
    EXPECT_EQ(replay.CurrentIndex(), -1);

    const TPGNRec illegal = Game("1. e4 e5 2. Ke3 Nc6 *");
    EXPECT_FALSE(replay.LoadGame(&illegal));
    EXPECT_EQ(reporter.Last(), "Illegal move data: 2. Ke3");
    EXPECT_EQ(MoveTexts(replay), (Texts{"e4", "e5"}));
    EXPECT_EQ(replay.Current, replay.First);

    // Every move that cannot be played is named by its number and text, and
    // the game by its number in the file when the caller gives it.
    const struct {
        TPGNRec Game;
        int Number;
        const char* Message;
    } kCases[] = {
        {Game("1. e4 e9 *"), 0, "Illegal move data: 1... e9"},                // no move's shape
        {Game("1. e4 e5 2. Ke3 *"), 7, "Game 7: Illegal move data: 2. Ke3"},  // no piece can make it
        {Game("1. Kg2 *", "*", "4k3/8/8/8/8/8/8/4R1K1 w - - 0 1"), 0,         // Black stands in check
         "Illegal move data: 1. Kg2"},
        {Game("30... Kd7 31. Kf3 Kxe7 *", "*", "8/4P3/3k4/8/8/8/8/4K3 b - - 0 30"), 2,
         "Game 2: Illegal move data: 31. Kf3"},  // numbered from the FEN
        {Game("1. e4 *", "*", "not a fen"), 12, "Game 12: Illegal FEN data in PGN archive."},
    };
    for (const auto& c : kCases) {
        EXPECT_FALSE(replay.LoadGame(&c.Game, c.Number)) << c.Message;
        EXPECT_EQ(reporter.Last(), c.Message);
    }
    EXPECT_FALSE(replay.LoadGame(nullptr));
}

TEST(PGNPos, Walking) {
    TPGNPos replay;
    const TPGNRec g = Game("1. e4 e5 2. Nf3 Nc6 3. Bb5 a6 *");
    ASSERT_TRUE(replay.LoadGame(&g));
    EXPECT_EQ(replay.PositionCount(), 7);
    EXPECT_FALSE(replay.GoPrev());
    EXPECT_TRUE(replay.Forward(2));
    EXPECT_EQ(replay.Current->MoveText, "e5");
    EXPECT_FALSE(replay.Forward(8));
    EXPECT_EQ(replay.StepsToEnd(), 0);
    EXPECT_EQ(replay.CurrentIndex(), 6);
    EXPECT_TRUE(replay.Back(3));
    EXPECT_EQ(replay.Current->MoveText, "Nf3");
    EXPECT_FALSE(replay.Back(9));
    EXPECT_EQ(replay.CurrentIndex(), 0);
    EXPECT_TRUE(replay.GoToPosition(5));
    EXPECT_EQ(replay.Current->MoveText, "Bb5");
    EXPECT_FALSE(replay.GoToPosition(-1));
    EXPECT_FALSE(replay.GoToPosition(7));
    replay.GoLast();
    EXPECT_EQ(replay.Current->MoveText, "a6");
    EXPECT_FALSE(replay.GoNext());
    replay.Clear();
    EXPECT_EQ(replay.PositionCount(), 0);
    EXPECT_EQ(replay.StepsToEnd(), -1);
}

TEST(PGNPos, SampleGamesReplay) {
    TPGN pgn;
    ASSERT_TRUE(pgn.LoadFromFile(VORLIX_TEST_DATA_DIR "/benchmark.pgn"));
    TCollectingReporter reporter;
    TPGNPos replay(reporter);
    int games = 0;
    for (const TPGNRec* g = pgn.First; g; g = g->Next, ++games)
        EXPECT_TRUE(replay.LoadGame(g)) << "game " << games + 1 << ": " << reporter.Last();
    EXPECT_EQ(games, 100);

    TPGN promoting;
    ASSERT_TRUE(promoting.LoadFromFile(VORLIX_TEST_DATA_DIR "/promoting.pgn"));
    ASSERT_TRUE(replay.LoadGame(promoting.First));
    bool promoted = false;
    for (const TChessPosition* p = replay.First; p; p = p->Next) promoted |= p->LastMove.Promotion != 0;
    EXPECT_TRUE(promoted);
}

TEST(PGNPos, ZeroCastlingIsCastlingAndNullMovesStopTheGame) {
    TPGNPos replay;
    const std::string opening = "1. e4 e5 2. Nf3 Nc6 3. Bc4 Bc5 4. d3 d6 ";
    for (const std::string castling : {"0-0", "0-0+", "5.0-0", "5. 0-0!"}) {
        const TPGNRec g = Game(opening + castling + " Nf6 6. Re1 0-0 *");
        ASSERT_TRUE(replay.LoadGame(&g)) << castling;
        replay.GoLast();
        EXPECT_EQ(PlacementText(replay.Current->Board), "r1bq1rk1/ppp2ppp/2np1n2/2b1p3/2B1P3/3P1N2/PPP2PPP/RNBQR1K1")
            << castling;
        EXPECT_EQ(replay.Current->MoveText, "0-0");
    }
    TCollectingReporter reporter;
    TPGNPos named(reporter);
    const TPGNRec longCastling = Game("1. d4 d5 2. Nc3 Nc6 3. Bf4 Bf5 4. Qd2 Qd7 5. 0-0-0 0-0-0# *");
    ASSERT_TRUE(named.LoadGame(&longCastling));
    named.GoLast();
    EXPECT_EQ(PlacementText(named.Current->Board), "2kr1bnr/pppqpppp/2n5/3p1b2/3P1B2/2N5/PPPQPPPP/2KR1BNR");
    for (const std::string bad : {"0-0-0", "--", "Z0"}) {  // no room to castle long; null moves
        const TPGNRec g = Game(opening + bad + " Nf6 *");
        EXPECT_FALSE(named.LoadGame(&g, 4)) << bad;
        EXPECT_EQ(named.PositionCount(), 9) << bad;  // the positions before it stay
        EXPECT_EQ(reporter.Last(), "Game 4: Illegal move data: 5. " + bad);
    }
    const TPGNRec results = Game("1. e4 0-1 1-0 1/2-1/2 e5 *", "*");
    ASSERT_TRUE(replay.LoadGame(&results));
    EXPECT_EQ(MoveTexts(replay), (Texts{"e4", "e5"}));
}

TEST(PGNPos, GameLongerThanTheChainLimitIsRefused) {
    std::string moves;
    for (int i = 0; i < TPGNPos::kMaxChainPlies / 4; ++i) moves += "Nf3 Nf6 Ng1 Ng8 ";
    TCollectingReporter reporter;
    TPGNPos replay(reporter);
    const TPGNRec limit = Game(moves);
    ASSERT_TRUE(replay.LoadGame(&limit));
    EXPECT_EQ(replay.PositionCount(), TPGNPos::kMaxChainPlies + 1);
    const TPGNRec longer = Game(moves + "Nf3");
    EXPECT_FALSE(replay.LoadGame(&longer));
    EXPECT_EQ(reporter.Last(), "The game is too long to replay: it has more than 100000 half-moves.");
    EXPECT_EQ(replay.PositionCount(), 1);
}
