#include <gtest/gtest.h>

#include "batch/EpdCaption.h"
#include "batch/GameCaption.h"
#include "batch/PositionPicker.h"
#include "files/EPDRecord.h"
#include "files/PGNPos.h"
#include "files/PGNRecord.h"

namespace vorlix {
namespace {

TEST(ExampleLine, EveryItemInItsOrder) {
    TCaptionItems all;
    all.Event = all.Site = all.Date = all.Move = all.White = all.Black = true;
    all.Result = all.ECO = all.WhiteElo = all.BlackElo = true;
    EXPECT_EQ(ComposeExampleCaption(all, "x"),
              "Moscow Open, Moscow, RUS, 1989.10.04, Dorlan, Ev. (2710) - Mirvel, T. (2645), A67, 1/2-1/2, 11... Bf8");
    TCaptionItems some;
    some.White = some.Black = some.WhiteElo = true;  // one rating alone shows none
    EXPECT_EQ(ComposeExampleCaption(some, "x"), "Dorlan, Ev. - Mirvel, T.");
    TCaptionItems black;
    black.Black = black.BlackElo = black.Result = true;
    EXPECT_EQ(ComposeExampleCaption(black, "x"), "Mirvel, T. (2645), 1/2-1/2");
    EXPECT_EQ(ComposeExampleCaption(TCaptionItems{}, "Main header"), "Main header");
}

TEST(GameCaption, MoveDataFollowsTheSideThatMoved) {
    TPGNRec game;
    game.Event = "Club";
    game.White = "A";
    game.Black = "B";
    game.WhiteElo = "";
    TPGNPos replay;
    game.Moves = "1. e4 e5 2. Nf3 ";
    ASSERT_TRUE(replay.LoadGame(&game));
    TCaptionItems items;
    items.Move = true;
    EXPECT_EQ(ComposeGameCaption(items, game, *replay.First), "");
    EXPECT_EQ(ComposeGameCaption(items, game, *replay.First->Next), "1. e4");
    EXPECT_EQ(ComposeGameCaption(items, game, *replay.First->Next->Next), "1... e5");
    items.Event = items.White = items.Black = items.WhiteElo = items.BlackElo = true;
    EXPECT_EQ(ComposeGameCaption(items, game, *replay.First), "Club, A (?) - B (?)");
}

TEST(EpdCaption, DescriptionAndBestMove) {
    TEPDRec rec;
    rec.WhiteToMove = false;
    EXPECT_EQ(EpdCaptionText(TEpdCaptionMode::Description, rec, "keep"), "");
    EXPECT_EQ(EpdCaptionText(TEpdCaptionMode::BestMove, rec, "keep"), "Black to move");
    rec.BestMove = "Nf6";
    EXPECT_EQ(EpdCaptionText(TEpdCaptionMode::BestMove, rec, "keep"), "B: Nf6");
    rec.WhiteToMove = true;
    EXPECT_EQ(EpdCaptionText(TEpdCaptionMode::BestMove, rec, "keep"), "W: Nf6");
    rec.Id = "BK.01";
    EXPECT_EQ(EpdCaptionText(TEpdCaptionMode::Description, rec, "keep"), "BK.01");
    EXPECT_EQ(EpdCaptionText(TEpdCaptionMode::Current, rec, "keep"), "keep");
}

class PickTest : public ::testing::Test {
protected:
    std::vector<int> Numbers(const TPGNRec& game, const TPositionRule& rule) {
        TPGNPos replay;
        const bool whole = replay.LoadGame(&game);
        std::vector<int> numbers;
        for (const TPickedPosition& p : PickPositions(replay.First, game.HasSetup, rule, whole))
            numbers.push_back(p.Number);
        return numbers;
    }
    TPGNRec Game(const std::string& moves, bool setup = false) {
        TPGNRec g;
        g.Moves = moves;
        if (setup) {
            g.HasSetup = true;
            g.FEN = "4k3/8/8/8/8/8/8/4K2R w K - 0 1";
        }
        return g;
    }
};

TEST_F(PickTest, EntireAndCustom) {
    const TPGNRec game = Game("1. e4 e5 2. Nf3 Nc6 ");
    TPositionRule rule;
    rule.Mode = TPositionMode::Entire;
    EXPECT_EQ(Numbers(game, rule), (std::vector<int>{1, 2, 3, 4, 5}));
    rule.Mode = TPositionMode::Custom;
    std::string error;
    ParsePositionText("2", rule.Custom.FromStart, error);
    ParsePositionText("1", rule.Custom.FromEnd, error);
    EXPECT_EQ(Numbers(game, rule), (std::vector<int>{2, 5}));
}

TEST_F(PickTest, FixedPositionsOfOrdinaryAndSetUpGames) {
    TPositionRule rule;  // fixed, FEN start only
    TPGNRec ordinary = Game("1. e4 e5 ");
    TPGNPos replay;
    replay.LoadGame(&ordinary);
    const auto picked = PickPositions(replay.First, false, rule);
    ASSERT_EQ(picked.size(), 1u);
    EXPECT_EQ(picked[0].Number, 1);
    EXPECT_EQ(picked[0].Position, replay.First->Next->Next);  // the final position, numbered 1

    const TPGNRec setup = Game("1. Kf1 Kd7 ", true);
    EXPECT_EQ(Numbers(setup, rule), (std::vector<int>{1}));
    rule.FenFinal = true;
    EXPECT_EQ(Numbers(setup, rule), (std::vector<int>{1, 2}));
    EXPECT_EQ(Numbers(Game("", true), rule), (std::vector<int>{1}));  // no moves: one diagram
    rule.FenStart = false;
    EXPECT_EQ(Numbers(setup, rule), (std::vector<int>{1}));
    rule.FenFinal = false;
    EXPECT_TRUE(Numbers(setup, rule).empty());
    EXPECT_TRUE(NothingToDo(true, rule));
    EXPECT_EQ(Numbers(ordinary, rule), (std::vector<int>{1}));  // the boxes matter only for set-up games
}

// A game cut short by an illegal move gives only positions it surely holds:
// those counted from its start, never a "final" or "from the end" one.
TEST_F(PickTest, GamesCutShortGiveNoFinalPosition) {
    const TPGNRec cut = Game("1. e4 e5 2. Ke3 Nc6 "), cutSetup = Game("1. Kf1 Kd7 2. Ka5 ", true);
    std::string error;
    TPositionRule entire, custom, fixed, bothFen, finalFen;
    entire.Mode = TPositionMode::Entire;
    custom.Mode = TPositionMode::Custom;
    ParsePositionText("2", custom.Custom.FromStart, error);
    ParsePositionText("1", custom.Custom.FromEnd, error);
    bothFen.FenFinal = true;
    finalFen.FenStart = false;
    finalFen.FenFinal = true;
    const struct {
        const TPGNRec& Game;
        const TPositionRule& Rule;
        std::vector<int> Numbers;
    } kCases[] = {
        {cut, entire, {1, 2, 3}}, {cut, custom, {2}},       {cut, fixed, {}},
        {cutSetup, bothFen, {1}}, {cutSetup, finalFen, {}}, {cutSetup, fixed, {1}},
    };
    for (size_t i = 0; i < std::size(kCases); ++i)
        EXPECT_EQ(Numbers(kCases[i].Game, kCases[i].Rule), kCases[i].Numbers) << i;
}

}  // namespace
}  // namespace vorlix
