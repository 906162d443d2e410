#include <gtest/gtest.h>

#include "batch/CaptionTemplate.h"
#include "files/EPDRecord.h"
#include "files/PGNPos.h"
#include "files/PGNRecord.h"

namespace vorlix {
namespace {

TCaptionRecord Sample() {
    TCaptionRecord r;
    r.N = "7";
    r.Game = "3";
    r.White = "Dorlan";
    r.Black = "Mirvel";
    r.Event = "Open";
    r.Date = "1989.10.04";
    r.Move = "12...";
    r.Side = "Black";
    r.LastMove = "Nf3+";
    r.Id = "BK.01";
    r.Bm = "Qd1+ Rxd1";
    r.Fen = "8/8/8/8/8/8/8/K6k b - - 0 12";
    return r;
}

TEST(CaptionTemplate, ExpandsFieldsAndKeepsTheRest) {
    const struct {
        const char* Template;
        const char* Expected;
    } cases[] = {
        {"{n}. {side} to move", "7. Black to move"},
        {"{white} - {black}, {event} {date}", "Dorlan - Mirvel, Open 1989.10.04"},
        {"Game {game}: {move} after {lastmove}", "Game 3: 12... after Nf3+"},
        {"{id}: {bm}", "BK.01: Qd1+ Rxd1"},
        {"{fen}", "8/8/8/8/8/8/8/K6k b - - 0 12"},
        {"{nn} {N} {} {side", "{nn} {N} {} {side"},  // not fields: as written
        {"{{n}} {{{n}}} }} {{", "{n} {7} } {"},
        {"}{n}{", "}7{"},
        {"{n}{n}{n}", "777"},
        {"", ""},
        {"no fields at all", "no fields at all"},
        {"Zug {side} \xC3\xA4", "Zug Black \xC3\xA4"},  // UTF-8 passes through
    };
    for (const auto& c : cases) EXPECT_EQ(ExpandCaption(c.Template, Sample()), c.Expected) << c.Template;
}

TEST(CaptionTemplate, NamesTheFieldsItUses) {
    using TNames = std::vector<std::string>;
    const struct {
        const char* Template;
        TNames Names;
    } cases[] = {{"{n}. {side}", {"n", "side"}},
                 {"x {bm} y {bm}", {"bm", "bm"}},
                 {"{{n}}", {}},
                 {"{x} {N}", {}},
                 {"plain", {}},
                 {"{", {}}};
    for (const auto& c : cases) EXPECT_EQ(CaptionFieldsOf(c.Template), c.Names) << c.Template;
}

TEST(CaptionTemplate, GameFieldsFollowTheSideToMove) {
    TPGNRec game;
    game.White = "A";
    game.Black = "B";
    game.Event = "Club";
    game.Date = "2001.01.01";
    game.Moves = "1. e4 e5 2. Nf3 Nc6 3. Bb5 ";
    TPGNPos replay;
    ASSERT_TRUE(replay.LoadGame(&game));
    const char* tmpl = "{n}/{game} {move} {side} [{lastmove}] {white}-{black} {event} {date} [{id}{bm}]";
    const TChessPosition* p = replay.First;
    EXPECT_EQ(ExpandCaption(tmpl, CaptionRecordOfGame(game, 4, *p, 1)), "1/4 1. White [] A-B Club 2001.01.01 []");
    p = p->Next;
    EXPECT_EQ(ExpandCaption(tmpl, CaptionRecordOfGame(game, 4, *p, 2)), "2/4 1... Black [e4] A-B Club 2001.01.01 []");
    p = p->Next;
    EXPECT_EQ(ExpandCaption(tmpl, CaptionRecordOfGame(game, 4, *p, 3)), "3/4 2. White [e5] A-B Club 2001.01.01 []");
    EXPECT_EQ(CaptionRecordOfGame(game, 4, *p, 3).Fen, "rnbqkbnr/pppp1ppp/8/4p3/4P3/8/PPPP1PPP/RNBQKBNR w KQkq e6 0 2");
    // The key: the moves after a position, numbered as a reader expects.
    EXPECT_EQ(NextMovesText(*replay.First, 3), "1. e4 e5 2. Nf3");
    EXPECT_EQ(NextMovesText(*p, 8), "2. Nf3 Nc6 3. Bb5");
    EXPECT_EQ(NextMovesText(*p->Next, 2), "2... Nc6 3. Bb5");
    const TChessPosition* last = p;
    while (last->Next) last = last->Next;
    EXPECT_EQ(NextMovesText(*last, 8), "");
}

TEST(CaptionTemplate, EpdFields) {
    TEPDRec rec;
    rec.Board[0] = 1;   // white king a1
    rec.Board[63] = 7;  // black king h8
    rec.WhiteToMove = false;
    rec.Id = "WAC.001";
    rec.BestMove = "Qg6";
    EXPECT_EQ(ExpandCaption("{n}. {move} {side} {id} {bm} {fen}", CaptionRecordOfEpd(rec, 5)),
              "5. 1... Black WAC.001 Qg6 7k/8/8/8/8/8/8/K7 b - - 0 1");
    rec.Counters = "3 41";
    rec.WhiteToMove = true;
    rec.CastleBlackShort = true;
    EXPECT_EQ(ExpandCaption("{move} {fen}", CaptionRecordOfEpd(rec, 5)), "41. 7k/8/8/8/8/8/8/K7 w k - 3 41");
}

TEST(CaptionTemplate, FenFieldsFillWhatTheTextLeavesOut) {
    const struct {
        const char* Fen;
        const char* Expected;
    } cases[] = {
        {"7k/8/8/8/8/8/8/K7", "White 1. 7k/8/8/8/8/8/8/K7 w - - 0 1"},
        {"7k/8/8/8/8/8/8/K7 b", "Black 1... 7k/8/8/8/8/8/8/K7 b - - 0 1"},
        {"  7k/8/8/8/8/8/8/K7   b  - -  5 33 ", "Black 33... 7k/8/8/8/8/8/8/K7 b - - 5 33"},
        {"7k/8/8/8/8/8/8/K7 w - - 0 0", "White 1. 7k/8/8/8/8/8/8/K7 w - - 0 0"},
        {"not a fen", "  not a fen"},  // what cannot be read stays as given, side and move left empty
    };
    for (const auto& c : cases)
        EXPECT_EQ(ExpandCaption("{side} {move} {fen}", CaptionRecordOfFen(c.Fen, 1)), c.Expected) << c.Fen;
}

}  // namespace
}  // namespace vorlix
