#include <gtest/gtest.h>
#include <sys/wait.h>

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <random>
#include <sstream>
#include <string>
#include <tuple>
#include <vector>

namespace {

const std::string kSamples = VORLIX_TEST_DATA_DIR;

struct TRun {
    int Exit;
    std::string Out;
    std::string Err;
    std::vector<std::string> Lines() const {
        std::vector<std::string> lines;
        std::istringstream in(Out);
        for (std::string line; std::getline(in, line);) lines.push_back(line);
        return lines;
    }
};

class CliTest : public ::testing::Test {
protected:
    CliTest() {
        std::random_device rd;
        Dir = std::filesystem::temp_directory_path() / ("vorlix-cli-" + std::to_string(rd()));
        std::filesystem::create_directories(Dir);
    }
    ~CliTest() override { std::filesystem::remove_all(Dir); }

    static std::string Quote(const std::string& s) {
        std::string q = "'";
        for (char c : s) q += c == '\'' ? std::string("'\\''") : std::string(1, c);
        return q + "'";
    }
    std::string Read(const std::string& path) const {
        std::ifstream in(path, std::ios::binary);
        return std::string(std::istreambuf_iterator<char>(in), {});
    }
    std::string Write(const std::string& name, const std::string& text) const {
        const std::string path = (Dir / name).string();
        std::ofstream(path, std::ios::binary) << text;
        return path;
    }
    TRun Run(const std::vector<std::string>& args) const {
        std::string cmd = Quote(VORLIX_BIN_DIR "/vorlix");
        for (const auto& a : args) {
            cmd += ' ';
            cmd += Quote(a);
        }
        const std::string out = (Dir / "stdout").string(), err = (Dir / "stderr").string();
        cmd += " >";
        cmd += Quote(out);
        cmd += " 2>";
        cmd += Quote(err);
        const int status = std::system(cmd.c_str());
        return {WIFEXITED(status) ? WEXITSTATUS(status) : -1, Read(out), Read(err)};
    }

    // Runs a shell command line; its standard output and error as with Run.
    TRun Shell(const std::string& line) const {
        const std::string out = (Dir / "stdout").string(), err = (Dir / "stderr").string();
        const std::string cmd = "bash -c " + Quote(line) + " >" + Quote(out) + " 2>" + Quote(err);
        const int status = std::system(cmd.c_str());
        return {WIFEXITED(status) ? WEXITSTATUS(status) : -1, Read(out), Read(err)};
    }
    static std::string Vorlix() { return Quote(VORLIX_BIN_DIR "/vorlix"); }

    std::filesystem::path Dir;
};

}  // namespace

TEST_F(CliTest, GamesListsTagsSeparatedByTabs) {
    const TRun r = Run({"games", kSamples + "/0004.pgn"});
    EXPECT_EQ(r.Exit, 0);
    EXPECT_EQ(r.Err, "");
    EXPECT_EQ(r.Out,
              "1\tAbbot\tCostello\tRated Bullet tournament https://lichess.org/tournament/yc1WW2Ox\t"
              "https://lichess.org/PpwPOZMq\t2017.04.01\t0-1\t-\t2100\t2000\tB30\n");
    const TRun m = Run({"games", kSamples + "/Morphy_ANSI.pgn"});
    EXPECT_EQ(m.Exit, 0);
    EXPECT_GT(m.Lines().size(), 100u);
    EXPECT_EQ(m.Lines()[1].substr(0, 2), "2\t");
}

TEST_F(CliTest, GamesOutputIsUtf8AndMissingEloIsQuestionMark) {
    const std::string file = Write("latin.pgn", "[White \"J\xFCrgen\"]\n[Black \"x\tb\"]\n*\n");
    const TRun r = Run({"games", file});
    EXPECT_EQ(r.Exit, 0);
    EXPECT_EQ(r.Out, "1\tJ\xC3\xBCrgen\tx b\t\t\t\t\t\t?\t?\t\n");
}

// Fields longer than a word, with the byte that needs escaping at every place.
TEST_F(CliTest, GamesEscapesControlBytesAnywhereInAField) {
    for (size_t at = 0; at < 19; ++at) {
        for (const char* bad : {"\x7F", "\x1B", "\t", "\xE9"}) {
            std::string white(18, 'w');
            white.replace(at, 1, bad);
            std::string expected = white;
            if (std::string(bad) == "\x7F") expected.replace(at, 1, "\\x7f");
            if (std::string(bad) == "\x1B") expected.replace(at, 1, "\\x1b");
            if (std::string(bad) == "\t") expected.replace(at, 1, " ");
            if (std::string(bad) == "\xE9") expected.replace(at, 1, "\xC3\xA9");
            const std::string file = Write("f.pgn", "[White \"" + white + "\"]\n\n*\n");
            const TRun r = Run({"games", file});
            EXPECT_EQ(r.Out, "1\t" + expected + "\t\t\t\t\t\t\t?\t?\t\n") << at << " " << int(bad[0]);
        }
    }
}

TEST_F(CliTest, FileLevelFailuresExitOne) {
    TRun r = Run({"games", kSamples + "/wacnew.epd"});
    EXPECT_EQ(r.Exit, 1);
    EXPECT_EQ(r.Out, "");
    EXPECT_EQ(r.Err, "vorlix: " + kSamples + "/wacnew.epd does not seem to\n be a valid PGN file.\n");
    r = Run({"replay", (Dir / "missing.pgn").string()});
    EXPECT_EQ(r.Exit, 1);
    EXPECT_EQ(r.Err, "vorlix: " + (Dir / "missing.pgn").string() + ": File not found!\n");
    r = Run({"epd", kSamples + "/3.pgn"});
    EXPECT_EQ(r.Exit, 1);
    EXPECT_EQ(r.Err, "vorlix: " + kSamples + "/3.pgn does not seem to\n be a valid EPD file.\n");
}

TEST_F(CliTest, BadArgumentsPrintUsage) {
    for (const auto& args : std::vector<std::vector<std::string>>{{},
                                                                  {"games"},
                                                                  {"games", "a", "b"},
                                                                  {"replay", "a", "--game"},
                                                                  {"replay", "a", "--game", "0"},
                                                                  {"replay", "a", "--game", "x"},
                                                                  {"epd", "a", "-o"},
                                                                  {"epd", "-x", "a"},
                                                                  {"nonsense"}}) {
        const TRun r = Run(args);
        EXPECT_EQ(r.Exit, 2);
        EXPECT_NE(r.Err.find("usage"), std::string::npos);
    }
}

TEST_F(CliTest, ReplayPrintsEveryPosition) {
    const TRun r = Run({"replay", kSamples + "/3.pgn"});
    EXPECT_EQ(r.Exit, 0);
    EXPECT_EQ(r.Out,
              "game 1\n"
              "r1bqk1nr/pppp1ppp/2n5/4p3/1bB1P3/2P2N2/P2P1PPP/RNBQK2R b KQkq - 0 1\n"
              "r1bqk1nr/pppp1ppp/2n5/b3p3/2B1P3/2P2N2/P2P1PPP/RNBQK2R w KQkq - 1 2\n"
              "r1bqk1nr/pppp1ppp/2n5/b3p3/2B1P3/2P2N2/P2P1PPP/RNBQ1RK1 b kq - 2 2\n"
              "r1bqk1nr/ppp2ppp/2np4/b3p3/2B1P3/2P2N2/P2P1PPP/RNBQ1RK1 w kq - 0 3\n"
              "r1bqk1nr/ppp2ppp/2np4/b3p3/2BPP3/2P2N2/P4PPP/RNBQ1RK1 b kq d3 0 3\n");
}

TEST_F(CliTest, ReplayStopsAtABadMoveAndPicksGames) {
    const std::string file = Write("two.pgn",
                                   "[Event \"a\"]\n1. e4 e5 2. Ke3 *\n\n"
                                   "[Event \"b\"]\n[Result \"1-0\"]\n1. d4 1-0\n");
    // The bad game is written up to its bad move and named on standard error;
    // the other games are written whole, and the exit status tells.
    TRun r = Run({"replay", file});
    EXPECT_EQ(r.Exit, 1);
    EXPECT_EQ(r.Out,
              "game 1\n"
              "rnbqkbnr/pppppppp/8/8/8/8/PPPPPPPP/RNBQKBNR w KQkq - 0 1\n"
              "rnbqkbnr/pppppppp/8/8/4P3/8/PPPP1PPP/RNBQKBNR b KQkq e3 0 1\n"
              "rnbqkbnr/pppp1ppp/8/4p3/4P3/8/PPPP1PPP/RNBQKBNR w KQkq e6 0 2\n"
              "error: Illegal move data: 2. Ke3\n"
              "game 2\n"
              "rnbqkbnr/pppppppp/8/8/8/8/PPPPPPPP/RNBQKBNR w KQkq - 0 1\n"
              "rnbqkbnr/pppppppp/8/8/3P4/8/PPP1PPPP/RNBQKBNR b KQkq d3 0 1\n");
    EXPECT_EQ(r.Err, "vorlix: " + file + ": Game 1: Illegal move data: 2. Ke3\n");
    r = Run({"replay", "--game", "2", file});
    EXPECT_EQ(r.Exit, 0);
    EXPECT_EQ(r.Err, "");
    EXPECT_EQ(r.Lines().front(), "game 2");
    EXPECT_EQ(r.Lines().size(), 3u);
    r = Run({"replay", "--game", "1", file});
    EXPECT_EQ(r.Exit, 1);
    EXPECT_EQ(r.Err, "vorlix: " + file + ": Game 1: Illegal move data: 2. Ke3\n");
    r = Run({"replay", file, "--game", "3"});
    EXPECT_EQ(r.Exit, 1);
    EXPECT_EQ(r.Out, "");

    r = Run({"replay", kSamples + "/err.pgn"});
    EXPECT_EQ(r.Exit, 1);
    EXPECT_EQ(r.Lines().back(), "error: Illegal move data: 46... Kg2");
    EXPECT_EQ(r.Err, "vorlix: " + kSamples + "/err.pgn: Game 1: Illegal move data: 46... Kg2\n");
}

TEST_F(CliTest, ReplayPlaysCastlingWithZerosAndNamesTheOneBadGame) {
    const std::string file = kSamples + "/castling-with-zeros.pgn";
    const TRun r = Run({"replay", file});
    EXPECT_EQ(r.Exit, 1);
    EXPECT_EQ(r.Err, "vorlix: " + file + ": Game 2: Illegal move data: 3. Ke3\n");
    const std::vector<std::string> lines = r.Lines();
    std::vector<int> positions;  // per game
    for (const std::string& line : lines) {
        if (line.rfind("game ", 0) == 0)
            positions.push_back(0);
        else if (line.rfind("error: ", 0) != 0)
            ++positions.back();
    }
    EXPECT_EQ(positions, (std::vector<int>{21, 5, 13}));
    // Both castlings of each side, and the clock restarted by the captures 9. Nxf6+ gxf6.
    const auto has = [&](const std::string& fen) { return std::find(lines.begin(), lines.end(), fen) != lines.end(); };
    EXPECT_TRUE(has("r1bq1rk1/pppp1ppp/2n2n2/2b1p3/2B1P3/3P1N2/PPP2PPP/RNBQ1RK1 w - - 1 6"));
    EXPECT_TRUE(has("r2q1rk1/ppp2ppp/3p1N2/2b1p1B1/2BnP1b1/3P1N2/PPP2PPP/R2Q1RK1 b - - 0 9"));
    EXPECT_TRUE(has("2kr1bnr/pppqpppp/2n5/3p1b2/3P1B2/2N5/PPPQPPPP/2KR1BNR w - - 8 6"));
}

TEST_F(CliTest, ReplayStreamsALongGameInLittleMemory) {
#if defined(__SANITIZE_ADDRESS__)
    GTEST_SKIP() << "the sanitizer's shadow memory does not fit under the data limit";
#endif
    std::string moves;
    for (int i = 0; i < 100000; ++i) moves += "Nf3 Nf6 Ng1 Ng8 ";
    const std::string file = Write("long.pgn", "[Event \"long\"]\n" + moves + "*\n");
    // Holding every position (some hundred bytes each) would need far more than this.
    const std::string cmd = "ulimit -d 60000; " + Quote(VORLIX_BIN_DIR "/vorlix") + " replay " + Quote(file) +
                            " | tail -n 1 >" + Quote((Dir / "last").string());
    ASSERT_EQ(std::system(("bash -c " + Quote("set -o pipefail; " + cmd)).c_str()), 0);
    EXPECT_EQ(Read((Dir / "last").string()), "rnbqkbnr/pppppppp/8/8/8/8/PPPPPPPP/RNBQKBNR w KQkq - 400000 200001\n");
}

TEST_F(CliTest, ReplayOfEverySampleGame) {
    for (const char* name :
         {"benchmark.pgn", "Morphy_ANSI.pgn", "promoting.pgn", "0004.pgn", "variations-nags-and-comments.pgn"}) {
        const TRun r = Run({"replay", kSamples + "/" + name});
        EXPECT_EQ(r.Exit, 0) << name;
        EXPECT_EQ(r.Out.find("error:"), std::string::npos) << name;
    }
}

TEST_F(CliTest, EpdListsRecordsAndWritesThemBack) {
    TRun r = Run({"epd", kSamples + "/bratko-kopec.epd"});
    EXPECT_EQ(r.Exit, 0);
    ASSERT_EQ(r.Lines().size(), 24u);
    EXPECT_EQ(r.Lines()[0], "1\tvalid\t1k1r4/pp1b1R2/3q2pp/4p3/2B5/4Q3/PPP2B2/2K5 b - - bm Qd1+; id \"BK.01\";");

    const std::string in = Write("mixed.epd",
                                 "8/8/8/8/8/8/8/7 w - -; id \"short rank\";\r\n"
                                 "4k3/8/8/8/8/8/8/4K3 w - - bm Kd2; id \"ok\";\r\n");
    const std::string out = (Dir / "out.epd").string();
    r = Run({"epd", in, "-o", out});
    EXPECT_EQ(r.Exit, 0);
    EXPECT_EQ(r.Out,
              "1\tinvalid\t8/8/8/8/8/8/8/8 w - -; id \"short rank\";\n"
              "2\tvalid\t4k3/8/8/8/8/8/8/4K3 w - - bm Kd2; id \"ok\";\n");
    EXPECT_EQ(Read(out), Read(in));  // the records are written back as they were

    r = Run({"epd", in, "-o", (Dir / "missing" / "out.epd").string()});
    EXPECT_EQ(r.Exit, 1);
    EXPECT_EQ(r.Err, "vorlix: " + (Dir / "missing" / "out.epd").string() + ": the folder " +
                         (Dir / "missing").string() + " does not exist\n");
}

TEST_F(CliTest, EpdFailureKeepsEarlierRecordsAndWritesNothing) {
    const std::string in = Write("broken.epd", "4k3/8/8/8/8/8/8/4K3 w - -;\n8/8/8/x/8/8/8/8 w - -;\n");
    const std::string out = (Dir / "out.epd").string();
    const TRun r = Run({"epd", in, "-o", out});
    EXPECT_EQ(r.Exit, 1);
    EXPECT_EQ(r.Out, "1\tvalid\t4k3/8/8/8/8/8/8/4K3 w - -;\n2\tinvalid\t8/8/8/8/8/8/8/8 w - -;\n");
    EXPECT_FALSE(std::filesystem::exists(out));
}

TEST_F(CliTest, WriteErrorsOnStandardOutputFail) {
    const TRun r = Shell(Vorlix() + " games " + Quote(kSamples + "/Morphy_ANSI.pgn") + " >/dev/full");
    EXPECT_EQ(r.Exit, 1);
    EXPECT_EQ(r.Err, "vorlix: write error: No space left on device\n");
    EXPECT_EQ(Shell(Vorlix() + " --help >/dev/full").Exit, 1);
}

TEST_F(CliTest, HelpGoesToStandardOutput) {
    for (const auto& args :
         std::vector<std::vector<std::string>>{{"--help"}, {"-h"}, {"games", "--help"}, {"render", "--help"}}) {
        const TRun r = Run(args);
        EXPECT_EQ(r.Exit, 0);
        EXPECT_EQ(r.Out.substr(0, 6), "usage:");
        EXPECT_EQ(r.Err, "");
    }
}

TEST_F(CliTest, BadOptionValuesAreRefusedWithTheirRange) {
    const std::string out = (Dir / "x.bmp").string();
    for (const auto& [option, value, range] :
         std::vector<std::tuple<std::string, std::string, std::string>>{{"--square-size", "0", "from 32 to 64"},
                                                                        {"--square-size", "33", "from 32 to 64"},
                                                                        {"--square-size", "100000", "from 32 to 64"},
                                                                        {"--grid", "256", "from 0 to 255"},
                                                                        {"--grid", "-1", "from 0 to 255"},
                                                                        {"--scale", "0", "from 10 to"}}) {
        const TRun r = Run({"render", "--fen", "8/8/8/8/8/8/8/8", "-o", out, option, value});
        EXPECT_EQ(r.Exit, 2) << option << value;
        EXPECT_NE(r.Err.find(range), std::string::npos) << r.Err;
    }
    EXPECT_FALSE(std::filesystem::exists(out));
}

TEST_F(CliTest, ControlCharactersFromFilesAreEscaped) {
    const std::string file = Write("esc.pgn",
                                   "[White \"a\x1b[31mred\x07"
                                   "b\xc2\x9b"
                                   "c\"]\n[Black \"tab\there\"]\n1. e4 *\n");
    const TRun r = Run({"games", file});
    EXPECT_EQ(r.Exit, 0);
    EXPECT_EQ(r.Out, "1\ta\\x1b[31mred\\x07b\\u009bc\ttab here\t\t\t\t\t\t?\t?\t\n");
    const std::string bad = Write("bad\x1b[2J.pgn", "hello\n");
    EXPECT_EQ(Run({"games", bad}).Err.find('\x1b'), std::string::npos);
}

TEST_F(CliTest, DashReadsStandardInputAndEndlessInputIsAStream) {
    TRun r = Shell("cat " + Quote(kSamples + "/3.pgn") + " | " + Vorlix() + " replay -");
    EXPECT_EQ(r.Exit, 0);
    EXPECT_EQ(r.Lines().size(), 6u);
    r = Shell("gzip -dc " + Quote(kSamples + "/games2500-oneline.pgn.gz") + " | " + Vorlix() + " games - | wc -l");
    EXPECT_EQ(r.Exit, 0);
    EXPECT_GT(std::stoi(r.Out), 1000);
    r = Shell(Vorlix() + " epd - <" + Quote(kSamples + "/bratko-kopec.epd"));
    EXPECT_EQ(r.Lines().size(), 24u);
    r = Run({"games", "/dev/zero"});
    EXPECT_EQ(r.Exit, 1);
    EXPECT_EQ(r.Err, "vorlix: /dev/zero does not seem to\n be a valid PGN file.\n");
    EXPECT_EQ(Run({"epd", "/dev/zero"}).Exit, 1);
}

TEST_F(CliTest, EpdRoundTripsPlainLinesAndScoredSuites) {
    const std::string plain = "4k3/8/8/8/8/8/8/4K3 w - -\r\n4k3/8/8/8/8/8/8/3K4 b - -\r\n8/8/8/8/8/8/8/K1k5 w - -\r\n";
    const std::string scored =
        "4k3/8/8/8/8/8/8/4K3 w - - bm Kd2; id \"s.1\"; c0 \"Kd2=10, Ke2=5\"; c1 \"x\"; c9 \"y\"; ce 12; acd 20;\r\n"
        "4k3/8/8/8/8/8/8/3K4 b - - bm Kd7; id \"s.2\"; c0 \"Kd7=10\"; ce -3;\r\n";
    for (const std::string& text : {plain, scored}) {
        const std::string in = Write("in.epd", text), out = (Dir / "out.epd").string();
        const TRun r = Run({"epd", in, "-o", out});
        EXPECT_EQ(r.Exit, 0) << r.Err;
        EXPECT_EQ(Read(out), text);
    }
}

TEST_F(CliTest, SavingOntoDevicesWritesThemInPlace) {
    const std::string in = Write("in.epd", "4k3/8/8/8/8/8/8/4K3 w - -;\n");
    EXPECT_EQ(Run({"epd", in, "-o", "/dev/null"}).Exit, 0);
    EXPECT_TRUE(std::filesystem::is_character_file("/dev/null"));
    const TRun r = Shell(Vorlix() + " epd " + Quote(in) + " -o /dev/stdout | tail -n 1");
    EXPECT_EQ(r.Exit, 0);
    EXPECT_EQ(r.Out, "4k3/8/8/8/8/8/8/4K3 w - -;\n");
}

TEST_F(CliTest, FileNamesAreBytes) {
    const std::string a = (Dir / "a\xff.bmp").string(), b = (Dir / "a\xfe.bmp").string();
    EXPECT_EQ(Run({"render", "--fen", "8/8/8/8/8/8/8/8", "-o", a}).Exit, 0);
    EXPECT_EQ(Run({"render", "--fen", "k7/8/8/8/8/8/8/7K", "-o", b}).Exit, 0);
    ASSERT_TRUE(std::filesystem::exists(a));
    ASSERT_TRUE(std::filesystem::exists(b));
    EXPECT_NE(Read(a), Read(b));
    const std::string epd = Write("p\xe9.epd", "4k3/8/8/8/8/8/8/4K3 w - -;\n");
    EXPECT_EQ(Run({"epd", epd}).Exit, 0);
    const std::string vxd = Write("d\xff.vxd", Read(VORLIX_SOURCE_DIR "/resources/default.vxd"));
    const TRun r = Run({"render", "--vxd", vxd, "-o", (Dir / "d.bmp").string()});
    EXPECT_EQ(r.Exit, 0) << r.Err;
    EXPECT_EQ(Run({"render", "--vxd", (Dir / "d\xfe.vxd").string(), "-o", (Dir / "e.bmp").string()}).Exit, 1);
}

namespace {

// Captions are filled from the position each road draws: a FEN's own fields,
// a game's position (with the move that led to it) and each --fens line.
TEST_F(CliTest, RenderCaptionsComeFromThePositionDrawn) {
    const std::string game = VORLIX_TEST_DATA_DIR "/notation-40-moves.pgn";
    const std::string fens = Write("f.txt", "8/8/8/8/8/8/8/K6k b - - 0 40\n8/8/8/8/8/8/8/K6k w - - 0 7\n");
    const std::string caption = "{move} {side} to move after {lastmove}; {white}";
    const struct {
        std::vector<std::string> Source;
        std::string Svg, Expected;
    } cases[] = {
        {{"--fen", "8/8/8/8/8/8/8/K6k b - - 0 12"}, "a.svg", "12... Black to move after ; "},
        {{"--pgn", game, "--position", "6"}, "b.svg", "3... Black to move after Nf3; Bove,A"},
        {{"--pgn", game, "--position", "1"}, "c.svg", "1. White to move after ; Bove,A"},
        {{"--fens", fens}, "d%d.svg", "40... Black to move after ; "},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.Expected);
        std::vector<std::string> args = {"render", "--caption", caption, "-o", (Dir / c.Svg).string()};
        args.insert(args.begin() + 1, c.Source.begin(), c.Source.end());
        const TRun r = Run(args);
        ASSERT_EQ(r.Exit, 0) << r.Err;
        const std::string svg = Read((Dir / (c.Svg == "d%d.svg" ? "d1.svg" : c.Svg)).string());
        EXPECT_NE(svg.find(">" + c.Expected + "<"), std::string::npos)
            << svg.substr(svg.size() > 600 ? svg.size() - 600 : 0);
    }
}

}  // namespace
