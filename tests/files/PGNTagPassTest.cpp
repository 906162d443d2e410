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

const std::string kCafeUtf8 = "Caf\xC3\xA9";              // "Café" in UTF-8
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
        const std::string games = "[White \"" + kCafeUtf8 + "\"]" + end + "[Black \"B\"]" + end + end + "1. e4 *" +
                                  end + end + "[White \"W\"]" + end + end + "1. d4 *" + end;
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

// Tag names match in any case when a blank follows them; the two rating tags
// also match as the start of a longer name. Values with comment marks or
// non-ASCII bytes past the first few bytes are cut and decoded as short ones.
TEST(PGNTagPass, TagNamesAndValuesOfEveryLength) {
    TTempDir dir;
    const TRead r = ReadBothWays(dir,
                                 "[eVeNt \"E\"]\n[SITE \"S\"]\n[date\t\"D\"]\n[Round\"R\"]\n[WhiteEloFide \"2700\"]\n"
                                 "[BLACKELO \"2600\"]\n[Resultx \"1-0\"]\n[eco \"B12\"]\n[White \"abcdefgh{x}ij\"]\n"
                                 "[Black \"abcdefghij; k\"]\n\n*\n\n[Event \"abcdefghijklmn\xE9\"]\n[SetUp \"1\"]\n"
                                 "[fen \"8/8/8/8/8/8/8/K1k5 w - - 0 1\"]\n\n*\n");
    ASSERT_EQ(r.Games.size(), 2u);
    const TPGNRec& g = r.Games[0];
    EXPECT_EQ(g.Event, "E");
    EXPECT_EQ(g.Site, "S");
    EXPECT_EQ(g.Date, "");
    EXPECT_EQ(g.Round, "");
    EXPECT_EQ(g.WhiteElo, "2700");
    EXPECT_EQ(g.BlackElo, "2600");
    EXPECT_EQ(g.Result, "");
    EXPECT_EQ(g.ECO, "B12");
    EXPECT_EQ(g.White, "abcdefghij");
    EXPECT_EQ(g.Black, "abcdefghij");
    EXPECT_FALSE(g.HasSetup);
    EXPECT_EQ(r.Games[1].Event, "abcdefghijklmn\xC3\xA9");
    EXPECT_TRUE(r.Games[1].HasSetup);
    EXPECT_EQ(r.Games[1].FEN, "8/8/8/8/8/8/8/K1k5 w - - 0 1");
}

namespace {

// A tag value as stored: brace comments dropped, cut at ";".
std::string StoredValue(const std::string& raw) {
    std::string value;
    bool inBrace = false;
    for (const char c : raw) {
        if (inBrace)
            inBrace = c != '}';
        else if (c == '{')
            inBrace = true;
        else if (c == ';')
            break;
        else
            value += c;
    }
    return value;
}

}  // namespace

// Tag lines up to and past the length that is looked at in blocks of sixteen
// bytes, with quotes, brackets, comment marks and non-ASCII bytes at every place.
TEST(PGNTagPass, TagLinesOfEveryLength) {
    TTempDir dir;
    for (size_t length = 0; length < 70; ++length) {
        std::string text;
        std::vector<std::string> expected;
        for (size_t at = 0; at <= length; ++at) {
            for (const char* insert : {"", "{c}", ";", "\xE9", "]", "[", "\t"}) {
                std::string raw(length, 'v');
                raw.insert(at, insert);
                text += "[White \"" + raw + "\"]\n[Black \"b\"] [Round \"" + raw.substr(0, at) + "\"]\n\n*\n\n";
                const std::string value = StoredValue(raw);
                expected.push_back(
                    std::string(insert) == "\xE9" ? value.substr(0, at) + "\xC3\xA9" + value.substr(at + 1) : value);
            }
        }
        const TRead r = ReadBothWays(dir, text);
        ASSERT_EQ(r.Games.size(), expected.size()) << length;
        for (size_t i = 0; i < expected.size(); ++i) {
            EXPECT_EQ(r.Games[i].White, expected[i]) << length << " " << i;
            EXPECT_EQ(r.Games[i].Black, "b") << length << " " << i;
        }
    }
}
