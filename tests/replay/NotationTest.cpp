// Moves written anew from the replayed position: every move of every sample
// game, written in English, matches the file's own token (annotation marks
// aside), and a fixed game written in German and in figurines matches its
// golden file.
#include <gtest/gtest.h>

#include <fstream>
#include <sstream>
#include <string>

#include "files/Exceptions.h"
#include "files/GameReplay.h"
#include "files/PGNReader.h"
#include "rules/MoveNotation.h"
#include "tests/replay/SampleGames.h"
#include "tests/rules/SourceToken.h"

using namespace vorlix;

namespace {

struct TTally {
    long Moves = 0;
    long Matching = 0;
};

// Replays each game of the file up to its end or its first move the rules
// refuse, comparing every move written with the token it came from.
void RoundTrip(const std::string& path, TTally& tally) {
    TCollectingReporter errors;
    TPGNRec game;
    int number = 0;
    ReadPGNFile(
        path, errors,
        [&] {
            ResetGame(game);
            return &game;
        },
        [&](TPGNRec& done) {
            ++number;
            try {
                TGameReplay replay(done);
                TChessPosition before = replay.Position();
                while (replay.Step()) {
                    const TChessPosition& after = replay.Position();
                    const std::string written = MoveToText(before, after.LastMove, TNotation::English);
                    ++tally.Moves;
                    if (oracle::SameMove(after.MoveText, written))
                        ++tally.Matching;
                    else
                        ADD_FAILURE() << path << " game " << number << ": " << after.MoveText << " written as "
                                      << written;
                    before = after;
                }
            } catch (const EIllegalMoveData&) {
                // The faulty samples stop at their bad move; the moves before it count.
            }
        });
}

// A game's moves in one notation, one move pair a line ("1. e4 c6").
std::string GameText(const TPGNRec& game, TNotation notation) {
    std::string text;
    TGameReplay replay(game);
    TChessPosition before = replay.Position();
    while (replay.Step()) {
        const TChessPosition& after = replay.Position();
        if (before.WhiteToMove) text += std::to_string(after.MoveNumber) + ". ";
        text += MoveToText(before, after.LastMove, notation);
        text += after.WhiteToMove ? "\n" : " ";
        before = after;
    }
    if (!text.empty() && text.back() == ' ') text.back() = '\n';
    return text;
}

std::string FileText(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    std::stringstream text;
    text << in.rdbuf();
    return text.str();
}

}  // namespace

TEST(Notation, WrittenMovesMatchTheTokensOfEverySampleGame) {
    TTally tally;
    for (const std::string& path : SamplePgnFiles()) RoundTrip(path, tally);
    const TSampleFile bench = TSampleFile::Unzipped("games2500-oneline.pgn.gz");
    ASSERT_TRUE(bench.Ok());
    RoundTrip(bench.Path(), tally);
    EXPECT_EQ(tally.Matching, tally.Moves);
    EXPECT_GT(tally.Moves, 200000);
}

TEST(Notation, FortyMovesInGermanAndInFigurinesMatchTheirGoldenFiles) {
    const std::string base = std::string(VORLIX_TEST_DATA_DIR) + "/notation-40-moves";
    TCollectingReporter errors;
    TPGNRec game;
    int games = 0;
    ASSERT_TRUE(ReadPGNFile(
        base + ".pgn", errors, [&] { return &game; }, [&](TPGNRec&) { ++games; }));
    ASSERT_EQ(games, 1);
    const struct {
        TNotation Notation;
        const char* Suffix;
    } kGolden[] = {{TNotation::German, ".de.txt"}, {TNotation::Figurine, ".figurine.txt"}};
    for (const auto& golden : kGolden) {
        const std::string written = GameText(game, golden.Notation);
        if (std::getenv("VORLIX_WRITE_GOLDEN")) std::ofstream(base + golden.Suffix, std::ios::binary) << written;
        EXPECT_EQ(written, FileText(base + golden.Suffix)) << golden.Suffix;
    }
}
