// Reading games without their move text (as the game list does) must give
// exactly the tags of a full read, also where the text encoding of a game is
// only decided by a byte far into its move text.
#include <gtest/gtest.h>

#include <vector>

#include "TempFiles.h"
#include "files/PGNReader.h"
#include "files/TagNameSet.h"

using namespace vorlix;

namespace {

struct TRead {
    bool Ok = false;
    std::vector<TPGNRec> Games;
};

TRead ReadAll(const std::string& path, TMoveText moveText) {
    TRead read;
    TCollectingReporter errors;
    TPGNRec game;
    read.Ok = ReadPGNFile(
        path, errors,
        [&] {
            ResetGame(game);
            return &game;
        },
        [&](TPGNRec& done) { read.Games.push_back(done); }, nullptr, moveText);
    return read;
}

// Reads the text both ways, expects the same tags, and gives the full read.
TRead ReadBothWays(const TTempDir& dir, const std::string& text) {
    const std::string path = dir.Write("games.pgn", text);
    const TRead full = ReadAll(path, TMoveText::Keep);
    const TRead tags = ReadAll(path, TMoveText::Skip);
    EXPECT_EQ(full.Ok, tags.Ok);
    EXPECT_EQ(full.Games.size(), tags.Games.size());
    for (size_t i = 0; i < full.Games.size() && i < tags.Games.size(); ++i) {
        const TPGNRec& a = full.Games[i];
        const TPGNRec& b = tags.Games[i];
        EXPECT_EQ(a.Event, b.Event) << "game " << i;
        EXPECT_EQ(a.Site, b.Site) << "game " << i;
        EXPECT_EQ(a.Date, b.Date) << "game " << i;
        EXPECT_EQ(a.Round, b.Round) << "game " << i;
        EXPECT_EQ(a.Result, b.Result) << "game " << i;
        EXPECT_EQ(a.White, b.White) << "game " << i;
        EXPECT_EQ(a.Black, b.Black) << "game " << i;
        EXPECT_EQ(a.WhiteElo, b.WhiteElo) << "game " << i;
        EXPECT_EQ(a.BlackElo, b.BlackElo) << "game " << i;
        EXPECT_EQ(a.ECO, b.ECO) << "game " << i;
        EXPECT_EQ(a.FEN, b.FEN) << "game " << i;
        EXPECT_EQ(a.HasSetup, b.HasSetup) << "game " << i;
        EXPECT_TRUE(b.Moves.empty()) << "game " << i;
    }
    return full;
}

const std::string kCafeUtf8 = "Caf\xC3\xA9";        // "Café" in UTF-8
const std::string kCafeAsCp1252 = "Caf\xC3\x83\xC2\xA9";  // the same bytes read as Windows-1252

}  // namespace

TEST(PGNTagPass, EncodingDecidedLateInTheMoveText) {
    TTempDir dir;
    // A Windows-1252 byte 300 KB into the move text makes the whole game
    // Windows-1252, its tags too; the next game is UTF-8 again.
    const std::string text = "[Event \"" + kCafeUtf8 + "\"]\n\n1. e4 {" + std::string(300000, 'x') +
                             " \xE9t\xE9} e5 1-0\n\n[Event \"" + kCafeUtf8 + "\"]\n\n1. d4 *\n";
    const TRead r = ReadBothWays(dir, text);
    ASSERT_EQ(r.Games.size(), 2u);
    EXPECT_EQ(r.Games[0].Event, kCafeAsCp1252);
    EXPECT_EQ(r.Games[1].Event, kCafeUtf8);
}

TEST(PGNTagPass, CharacterCutByALineEndIsNoUtf8) {
    TTempDir dir;
    const TRead cut = ReadBothWays(dir, "[Event \"" + kCafeUtf8 + "\"]\n\n1. e4 {a\xC3\n\xA9} e5 *\n");
    ASSERT_EQ(cut.Games.size(), 1u);
    EXPECT_EQ(cut.Games[0].Event, kCafeAsCp1252);
    // A ";" comment never reaches the move text, so its bytes do not count.
    const TRead comment = ReadBothWays(dir, "[Event \"" + kCafeUtf8 + "\"]\n\n1. e4 ; \xE9t\xE9\ne5 *\n");
    ASSERT_EQ(comment.Games.size(), 1u);
    EXPECT_EQ(comment.Games[0].Event, kCafeUtf8);
    // The same far into long lines, where they are looked at many bytes at a time.
    const std::string moves = "1. e4 e5 2. Nf3 Nc6 3. Bb5 a6 4. Ba4 Nf6 ";
    const TRead late = ReadBothWays(dir, "[Event \"" + kCafeUtf8 + "\"]\n\n" + moves + "; \xE9t\xE9\n" + moves +
                                             "{\xE9t\xE9\n" + moves + "}\n*\n\n[Event \"" + kCafeUtf8 + "\"]\n\n" +
                                             moves + "; \xE9t\xE9\n" + moves + "*\n");
    ASSERT_EQ(late.Games.size(), 2u);
    EXPECT_EQ(late.Games[0].Event, kCafeAsCp1252);
    EXPECT_EQ(late.Games[1].Event, kCafeUtf8);
}

TEST(PGNTagPass, ByteOrderMarkAndLineEnds) {
    TTempDir dir;
    for (const std::string end : {"\n", "\r", "\r\n"}) {
        const std::string games = "[White \"" + kCafeUtf8 + "\"]" + end + "[Black \"B\"]" + end + end + "1. e4 *" + end +
                                  end + "[White \"W\"]" + end + end + "1. d4 *" + end;
        const TRead r = ReadBothWays(dir, "\xEF\xBB\xBF" + games);
        ASSERT_EQ(r.Games.size(), 2u);
        EXPECT_EQ(r.Games[0].White, kCafeUtf8);
        EXPECT_EQ(r.Games[0].Black, "B");
        EXPECT_EQ(r.Games[1].White, "W");
    }
}

// Tag lines, CR LF pairs and UTF-8 characters at every place around the
// boundaries of the blocks the reader reads.
TEST(PGNTagPass, TagsAcrossReadBlocks) {
    TTempDir dir;
    for (const size_t boundary : {size_t{1} << 16, size_t{1} << 18, size_t{1} << 20}) {
        for (size_t shift = 0; shift < 24; shift += 3) {
            const std::string head = "[Event \"E\"]\r\n\r\n1. e4 {";
            const std::string tail = "} *\r\n\r\n[White \"" + kCafeUtf8 + "\"]\r\n[Black \"\xE9\"]\r\n\r\n1. d4 *\r\n";
            const size_t pad = boundary - head.size() - 20 + shift;
            const TRead r = ReadBothWays(dir, head + std::string(pad, 'p') + tail);
            ASSERT_EQ(r.Games.size(), 2u) << boundary << " " << shift;
            EXPECT_EQ(r.Games[1].White, "Caf\xC3\x83\xC2\xA9") << boundary << " " << shift;
            EXPECT_EQ(r.Games[1].Black, "\xC3\xA9") << boundary << " " << shift;
        }
    }
}

TEST(PGNTagPass, TagNameSetTellsRepeatedNames) {
    TTagNameSet names;
    std::vector<std::string> all = {"", "White", "white", "WhiteElo", "Black", "BlackElo"};
    for (int i = 0; i < 100; ++i) all.push_back("Tag" + std::to_string(i));
    for (const std::string& name : all) EXPECT_TRUE(names.Insert(name)) << name;
    for (const std::string& name : all) EXPECT_FALSE(names.Insert(name)) << name;
    names.Clear();
    EXPECT_TRUE(names.Insert("White"));
}
