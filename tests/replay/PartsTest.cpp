// A PGN file cut into parts (SplitPGNFile) and read part by part must give
// exactly the games of the whole file, whatever the cuts fall next to.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <random>
#include <string>
#include <vector>

#include "files/ErrorReporter.h"
#include "files/PGNParts.h"
#include "files/PGNReader.h"
#include "tests/replay/SampleGames.h"

using namespace vorlix;

namespace {

// Games whose surroundings a careless cut would misread.
const char* const kTrickyGames[] = {
    // A brace comment spanning a blank line, a comment command at a line start
    // inside it, and a tag line inside it (which does start a new game).
    "[Event \"brace\"]\n[White \"A\"]\n[Result \"*\"]\n\n1. e4 {a comment\n\n[%clk 0:01:00]\n\nstill} e5 *\n\n",
    "[Event \"inner tag\"]\n\n1. d4 {open\n\n[Event \"inside\"]\n\n} d5 *\n\n",
    // "%" escape lines and ";" comment lines between games.
    "[Event \"escape\"]\n\n1. c4 c5 *\n\n% an escape line\n\n[Site \"after escape\"]\n\n1. Nf3 *\n\n",
    "[Event \"semicolon\"]\n\n1. b3 *\n; a comment line\n\n[Site \"after comment\"]\n\n1. g3 *\n\n",
    // Escape and comment lines inside a tag section.
    "[Event \"escape in tags\"]\n% escape\n\n[Site \"same game\"]\n\n1. e3 *\n\n",
    "[Event \"comment in tags\"]\n; comment\n\n[Site \"same game\"]\n\n1. e3 *\n\n",
    // Tag sections split by a blank line, and repeated tags.
    "[Event \"split tags\"]\n\n[Site \"same game\"]\n\n1. a3 *\n\n[Event \"x\"]\n[Event \"y\"]\n\n1. h3 *\n\n",
    // CR and CR LF line ends.
    "[Event \"cr\"]\r[Result \"1-0\"]\r\r1. e4 e5 2. Qh5 Nc6 3. Bc4 Nf6 4. Qxf7# 1-0\r\r",
    "[Event \"crlf\"]\r\n[Result \"0-1\"]\r\n\r\n1. f3 e5 2. g4 Qh4# 0-1\r\n\r\n",
    // Move text straight after the tags on the same line, and a wrapped comment.
    "[Event \"glued\"] 1. e4 e5 *\n\n",
    "[Event \"wrapped\"]\n\n1. e4 {one\ntwo\n\nthree} 1... c5 *\n\n",
};

std::string GameLine(const TPGNRec& g) {
    return g.Event + "|" + g.Site + "|" + g.Date + "|" + g.Round + "|" + g.Result + "|" + g.White + "|" + g.WhiteElo +
           "|" + g.Black + "|" + g.BlackElo + "|" + g.ECO + "|" + (g.HasSetup ? "setup " : "") + g.FEN + "|" + g.Moves;
}

struct TRead {
    bool Ok = false;
    std::vector<std::string> Games;
    std::vector<std::string> Errors;
};

TRead ReadRange(const std::string& path, uint64_t begin, uint64_t end) {
    TRead read;
    TCollectingReporter errors;
    TPGNRec game;
    const auto newGame = [&] {
        ResetGame(game);
        return &game;
    };
    const auto done = [&](TPGNRec& g) { read.Games.push_back(GameLine(g)); };
    read.Ok = begin == 0 && end == UINT64_MAX ? ReadPGNFile(path, errors, newGame, done)
                                              : ReadPGNPart(path, begin, end, errors, newGame, done);
    read.Errors = errors.Messages;
    return read;
}

// Reads the file whole and in the parts of every given size; all must agree.
void ExpectPartsReadLikeTheWhole(const std::string& path, const std::vector<uint64_t>& partSizes, size_t& cuts) {
    const TRead whole = ReadRange(path, 0, UINT64_MAX);
    for (const uint64_t partSize : partSizes) {
        const std::vector<uint64_t> parts = SplitPGNFile(path, partSize);
        ASSERT_GE(parts.size(), 2u);
        cuts += parts.size() - 2;
        TRead joined;
        joined.Ok = true;
        for (size_t k = 0; k + 1 < parts.size() && joined.Ok; ++k) {
            const TRead part = ReadRange(path, parts[k], parts[k + 1]);
            joined.Games.insert(joined.Games.end(), part.Games.begin(), part.Games.end());
            joined.Errors.insert(joined.Errors.end(), part.Errors.begin(), part.Errors.end());
            joined.Ok = part.Ok;
        }
        ASSERT_EQ(joined.Games.size(), whole.Games.size()) << path << " in parts of " << partSize;
        for (size_t i = 0; i < whole.Games.size(); ++i)
            ASSERT_EQ(joined.Games[i], whole.Games[i]) << path << " in parts of " << partSize << ", game " << i + 1;
        EXPECT_EQ(joined.Ok, whole.Ok);
        EXPECT_EQ(joined.Errors, whole.Errors);
    }
}

class PGNParts : public ::testing::Test {
protected:
    PGNParts() {
        std::random_device rd;
        Dir = std::filesystem::temp_directory_path() / ("vorlix-parts-" + std::to_string(rd()));
        std::filesystem::create_directories(Dir);
    }
    ~PGNParts() override { std::filesystem::remove_all(Dir); }
    std::string Write(const std::string& name, const std::string& text) const {
        const std::string path = (Dir / name).string();
        std::ofstream(path, std::ios::binary) << text;
        return path;
    }
    std::filesystem::path Dir;
};

}  // namespace

TEST_F(PGNParts, CutsOnlyWhereAFreshReaderReadsTheSame) {
    std::string text;
    for (int round = 0; round < 3; ++round)
        for (const char* game : kTrickyGames) text += game;
    const std::string path = Write("tricky.pgn", text);
    std::vector<uint64_t> sizes;
    for (uint64_t size = 1; size < 400; size += 7) sizes.push_back(size);
    size_t cuts = 0;
    ExpectPartsReadLikeTheWhole(path, sizes, cuts);
    EXPECT_GT(cuts, 500u);  // small parts cut at every safe place many times over
}

TEST_F(PGNParts, NeverCutsNextToCommentCommandsEscapesOrTags) {
    EXPECT_EQ(FindGameCut("x\n1. e4 {c\n\n[%clk 0:01]\n} *\n", 2), std::string_view::npos);
    EXPECT_EQ(FindGameCut("x\n1. e4 *\n% escape\n\n[Event \"a\"]\n", 2), std::string_view::npos);
    EXPECT_EQ(FindGameCut("x\n1. e4 *\n; comment\n\n[Event \"a\"]\n", 2), std::string_view::npos);
    EXPECT_EQ(FindGameCut("x\n[Event \"a\"]\n\n[Site \"b\"]\n", 2), std::string_view::npos);
    EXPECT_EQ(FindGameCut("1. e4 *\n\n[Event \"a\"]\n", 0), std::string_view::npos);  // the line before is cut off
    EXPECT_EQ(FindGameCut("x\n1. e4 *\n\n[Event \"a\"]\n", 2), 11u);
    EXPECT_EQ(FindGameCut("x\r1. e4 *\r\r[Event \"a\"]\r", 2), 11u);
    EXPECT_EQ(FindGameCut("x\r\n1. e4 *\r\n\r\n[Event \"a\"]\r\n", 2), 14u);
}

TEST_F(PGNParts, SampleFilesReadInPartsLikeWhole) {
    size_t cuts = 0;
    for (const std::string& path : SamplePgnFiles()) ExpectPartsReadLikeTheWhole(path, {64, 1000, 4096}, cuts);
    EXPECT_GT(cuts, 100u);
}

TEST_F(PGNParts, FilesThatDoNotStartWithATagAreOnePart) {
    std::string text = "{ a description of the file }\n\n";
    for (int i = 0; i < 50; ++i) text += kTrickyGames[0];
    const std::string path = Write("leading.pgn", text);
    EXPECT_EQ(SplitPGNFile(path, 64), (std::vector<uint64_t>{0, text.size()}));
    EXPECT_EQ(SplitPGNFile("/dev/null", 64), (std::vector<uint64_t>{0, UINT64_MAX}));
}
