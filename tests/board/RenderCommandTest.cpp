#include <gtest/gtest.h>
#include <spawn.h>
#include <sys/stat.h>
#include <sys/wait.h>

#include <QFile>
#include <QProcess>
#include <QSet>
#include <QTemporaryDir>
#include <cstdio>
#include <filesystem>
#include <functional>
#include <string>
#include <vector>

#include "board/DiagramBoard.h"
#include "board/DiagramFile.h"
#include "board/HeaderFooter.h"

namespace vorlix {
namespace {

struct TRun {
    int ExitCode = -1;
    QString Errors;
};

TRun RunVorlix(const QStringList& args) {
    QProcess process;
    process.start(QStringLiteral(VORLIX_BIN_DIR "/vorlix"), QStringList{"render"} + args);
    process.waitForFinished(30000);
    return {process.exitStatus() == QProcess::NormalExit ? process.exitCode() : -1,
            QString::fromLocal8Bit(process.readAllStandardError())};
}

int DistinctColours(const QImage& image) {
    QSet<QRgb> colours;
    const QImage rgb = image.convertToFormat(QImage::Format_RGB32);
    for (int y = 0; y < rgb.height(); ++y)
        for (int x = 0; x < rgb.width(); ++x) colours.insert(rgb.pixel(x, y));
    return int(colours.size());
}

class RenderCommand : public testing::Test {
protected:
    void SetUp() override {
        if (!QFile::exists(VORLIX_BIN_DIR "/vorlix")) GTEST_SKIP() << "vorlix not built";
    }
    QString Out(const char* name) const { return dir_.filePath(name); }
    QTemporaryDir dir_;
};

TEST_F(RenderCommand, WritesExactlyTheBoardRenderingAsA24BitBmp) {
    const QString out = Out("start.bmp");
    const TRun run = RunVorlix({"--fen", "rnbqkbnr/pppppppp/8/8/8/8/PPPPPPPP/RNBQKBNR w KQkq - 0 1", "-o", out});
    ASSERT_EQ(run.ExitCode, 0) << run.Errors.toStdString();
    QImage written(out);
    ASSERT_EQ(written.size(), QSize(328, 328));
    EXPECT_EQ(written.depth(), 32);  // Qt reads 24-bit BMPs as RGB32
    QFile file(out);
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    EXPECT_EQ(uchar(file.read(30).at(28)), 24);  // bits per pixel

    TDiagramBoard board;
    board.Render();
    EXPECT_EQ(written.convertToFormat(QImage::Format_RGB32), board.DiagramBitmap());
}

// Without coordinates, header or footer the command draws with no GUI
// application at all: the pixels must still be the board's own, in every format.
TEST_F(RenderCommand, ADiagramWithoutTextIsDrawnAsTheBoardDrawsIt) {
    struct TCase {
        QStringList Args;
        std::function<void(TDiagramBoard&)> Style;
    };
    const TCase cases[] = {
        {{}, [](TDiagramBoard&) {}},
        {{"--grid", "2", "--view", "black", "--piece-style", "roviravo"},
         [](TDiagramBoard& b) {
             b.SetGridLineWidth(2);
             b.SetView(vwBlackUnder);
             b.SetPieceStyle(psRoviravo);
         }},
        {{"--square-size", "40"}, [](TDiagramBoard& b) { b.SetSquareSize(40); }},
    };
    for (const TCase& c : cases) {
        TDiagramBoard board;
        board.BeginUpdate();
        board.SetCoordenateOrientation(0);
        c.Style(board);
        board.EndUpdate();
        board.Render();
        for (const char* name : {"plain.bmp", "plain.gif", "plain.png"}) {
            SCOPED_TRACE(c.Args.join(' ').toStdString() + " " + name);
            const QString out = Out(name);
            const TRun run = RunVorlix(
                QStringList{"--fen", "rnbqkbnr/pppppppp/8/8/8/8/PPPPPPPP/RNBQKBNR", "--coords", "-", "-o", out} +
                c.Args);
            ASSERT_EQ(run.ExitCode, 0) << run.Errors.toStdString();
            EXPECT_TRUE(run.Errors.isEmpty()) << run.Errors.toStdString();
            EXPECT_EQ(QImage(out).convertToFormat(QImage::Format_RGB32), board.DiagramBitmap());
        }
    }
}

TEST_F(RenderCommand, OptionsGoThroughTheBoardSetters) {
    const QString out = Out("k.bmp");
    TRun run = RunVorlix({"--setup", "wKe1/bKe8", "-o", out, "--square-size", "48", "--grid", "2", "--coords", "NWES",
                          "--view", "black", "--piece-style", "roruvoz"});
    ASSERT_EQ(run.ExitCode, 0) << run.Errors.toStdString();
    EXPECT_EQ(QImage(out).size(), QSize(498, 498));

    run = RunVorlix({"--fen", "8/8/8/8/8/8/8/8", "-o", out, "--coords", "-"});
    ASSERT_EQ(run.ExitCode, 0);
    EXPECT_EQ(QImage(out).size(), QSize(292, 292));  // 8 * 36 + 2 * 2
    // A size the board would ignore is refused instead of silently giving another one.
    run = RunVorlix({"--fen", "8/8/8/8/8/8/8/8", "-o", out, "--square-size", "33", "--coords", "-"});
    EXPECT_EQ(run.ExitCode, 2);
    EXPECT_EQ(QImage(out).size(), QSize(292, 292));
}

TEST_F(RenderCommand, CoordinatesInsideKeepTheSizeOfABoardWithoutCoordinates) {
    for (const char* name : {"c.bmp", "c.svg", "c.png"}) {
        SCOPED_TRACE(name);
        const QString out = Out(name);
        ASSERT_EQ(RunVorlix({"--fen", "8/8/8/8/8/8/8/8", "-o", out, "--coords", "-"}).ExitCode, 0);
        const QImage bare(out);
        ASSERT_FALSE(bare.isNull());
        const TRun run = RunVorlix({"--fen", "8/8/8/8/8/8/8/8", "-o", out, "--coords", "inside"});
        ASSERT_EQ(run.ExitCode, 0) << run.Errors.toStdString();
        const QImage inside(out);
        EXPECT_EQ(inside.size(), bare.size());
        EXPECT_NE(inside, bare);  // the labels are drawn
    }
}

TEST_F(RenderCommand, RejectedPositionsExitOneAndWriteNothing) {
    const QString out = Out("bad.bmp");
    TRun run = RunVorlix({"--fen", "rnbqkbnr/pppppppp/8/8", "-o", out});
    EXPECT_EQ(run.ExitCode, 1);
    EXPECT_TRUE(run.Errors.contains("FEN")) << run.Errors.toStdString();
    run = RunVorlix({"--setup", "wKe1,", "-o", out});
    EXPECT_EQ(run.ExitCode, 1);
    EXPECT_TRUE(run.Errors.contains("setup")) << run.Errors.toStdString();
    EXPECT_FALSE(QFile::exists(out));
}

TEST_F(RenderCommand, BadArgumentsExitTwo) {
    const QString out = Out("x.bmp");
    EXPECT_EQ(RunVorlix({"-o", out}).ExitCode, 2);
    EXPECT_EQ(RunVorlix({"--fen", "8/8/8/8/8/8/8/8", "--setup", "wKe1", "-o", out}).ExitCode, 2);
    EXPECT_EQ(RunVorlix({"--fen", "8/8/8/8/8/8/8/8", "-o", out, "--coords", "X"}).ExitCode, 2);
    EXPECT_EQ(RunVorlix({"--fen", "8/8/8/8/8/8/8/8", "-o", out, "--view"}).ExitCode, 2);
    EXPECT_EQ(RunVorlix({"--fen", "8/8/8/8/8/8/8/8", "-o", out, "--square-size", "big"}).ExitCode, 2);
    EXPECT_EQ(RunVorlix({"--fen", "8/8/8/8/8/8/8/8", "-o", Out("x.tif")}).ExitCode, 2);
}

TEST_F(RenderCommand, ScalableOutputsTakeAnySizeAndRefuseBitmapOnlyOptions) {
    const QString fen = "8/8/8/8/8/8/8/8";
    TRun run = RunVorlix({"--fen", fen, "-o", Out("big.png"), "--size", "1200"});
    ASSERT_EQ(run.ExitCode, 0) << run.Errors.toStdString();
    EXPECT_EQ(QImage(Out("big.png")).size(), QSize(1200, 1200));
    run = RunVorlix({"--fen", fen, "-o", Out("half.PNG"), "--scale", "70", "--transparent"});
    ASSERT_EQ(run.ExitCode, 0) << run.Errors.toStdString();
    EXPECT_EQ(QImage(Out("half.PNG")).size(), QSize(230, 230));
    EXPECT_EQ(RunVorlix({"--fen", fen, "-o", Out("a.svg")}).ExitCode, 0);
    EXPECT_EQ(RunVorlix({"--fen", fen, "-o", Out("a.pdf"), "--dpi", "300"}).ExitCode, 0);
    EXPECT_EQ(RunVorlix({"--fen", fen, "-o", Out("a.svg"), "--dpi", "300"}).ExitCode, 2);
    EXPECT_EQ(RunVorlix({"--fen", fen, "-o", Out("a.pdf"), "--transparent"}).ExitCode, 2);
    EXPECT_EQ(RunVorlix({"--fen", fen, "-o", Out("a.png"), "--size", "500", "--scale", "200"}).ExitCode, 2);
    EXPECT_EQ(RunVorlix({"--fen", fen, "-o", Out("a.png"), "--colors", "16"}).ExitCode, 2);
    EXPECT_EQ(RunVorlix({"--fen", fen, "-o", Out("a.bmp"), "--size", "500"}).ExitCode, 2);
}

TEST_F(RenderCommand, SvgTextAsPathsLeavesNoTextElement) {
    const QString fen = "4k3/8/8/8/8/8/8/4K3";
    for (const char* mode : {"text", "paths"}) {
        const QString out = Out(QString("%1.svg").arg(mode).toUtf8().constData());
        const TRun run = RunVorlix({"--fen", fen, "-o", out, "--header", "A & B", "--svg-text", mode});
        ASSERT_EQ(run.ExitCode, 0) << run.Errors.toStdString();
        QFile file(out);
        ASSERT_TRUE(file.open(QIODevice::ReadOnly));
        const QByteArray svg = file.readAll();
        EXPECT_EQ(svg.contains("<text"), QByteArray(mode) == "text") << mode;
        EXPECT_TRUE(svg.contains("<title>A &amp; B</title>")) << mode;
        EXPECT_TRUE(svg.contains("<desc>4k3/8/8/8/8/8/8/4K3\nWhite: King e1; Black: King e8</desc>")) << mode;
    }
    EXPECT_EQ(RunVorlix({"--fen", fen, "-o", Out("b.png"), "--svg-text", "paths"}).ExitCode, 2);
    EXPECT_EQ(RunVorlix({"--fen", fen, "-o", Out("b.svg"), "--svg-text", "outlines"}).ExitCode, 2);
    EXPECT_FALSE(QFile::exists(Out("b.svg")));
}

TEST_F(RenderCommand, UnwritableTargetIsAnErrorAndKeepsNoPartialFile) {
    const TRun run = RunVorlix({"--fen", "8/8/8/8/8/8/8/8", "-o", Out("missing/dir/x.bmp")});
    EXPECT_EQ(run.ExitCode, 1);
    EXPECT_FALSE(run.Errors.isEmpty());
    EXPECT_FALSE(QFile::exists(Out("missing/dir/x.bmp")));
}

TEST_F(RenderCommand, OutputFormatFollowsTheExtension) {
    const char* fen = "r3k2r/8/8/8/8/8/8/R3K2R";
    TRun run = RunVorlix({"--fen", fen, "-o", Out("a.gif")});
    ASSERT_EQ(run.ExitCode, 0) << run.Errors.toStdString();
    QImage gif(Out("a.gif"));
    EXPECT_EQ(gif.size(), QSize(328, 328));
    EXPECT_LE(DistinctColours(gif), 256);
    EXPECT_GT(DistinctColours(gif), 2);

    ASSERT_EQ(RunVorlix({"--fen", fen, "-o", Out("a2.gif"), "--colors", "2"}).ExitCode, 0);
    EXPECT_LE(DistinctColours(QImage(Out("a2.gif"))), 2);

    ASSERT_EQ(RunVorlix({"--fen", fen, "-o", Out("a.JPEG"), "--quality", "20"}).ExitCode, 0);
    ASSERT_EQ(RunVorlix({"--fen", fen, "-o", Out("b.jpg"), "--quality", "95"}).ExitCode, 0);
    EXPECT_EQ(QImage(Out("a.JPEG"), "JPEG").size(), QSize(328, 328));
    EXPECT_LT(QFile(Out("a.JPEG")).size(), QFile(Out("b.jpg")).size());

    ASSERT_EQ(RunVorlix({"--fen", fen, "-o", Out("a4.bmp"), "--colors", "16"}).ExitCode, 0);
    QFile bmp(Out("a4.bmp"));
    ASSERT_TRUE(bmp.open(QIODevice::ReadOnly));
    EXPECT_EQ(uchar(bmp.read(30).at(28)), 4);
}

TEST_F(RenderCommand, ScaleHeaderAndFooterShapeTheImage) {
    TRun run = RunVorlix({"--fen", "8/8/8/8/8/8/8/8", "-o", Out("s.bmp"), "--scale", "40"});
    ASSERT_EQ(run.ExitCode, 0) << run.Errors.toStdString();
    EXPECT_EQ(QImage(Out("s.bmp")).size(), QSize(132, 132));

    run = RunVorlix({"--fen", "8/8/8/8/8/8/8/8", "-o", Out("h.bmp"), "--header", "Header", "--footer", "Footer",
                     "--header-align", "center", "--footer-align", "right"});
    ASSERT_EQ(run.ExitCode, 0) << run.Errors.toStdString();
    const QImage framed(Out("h.bmp"));
    EXPECT_EQ(framed.width(), 328);
    EXPECT_GT(framed.height(), 328 + 2 * 10);
}

TEST_F(RenderCommand, DiagramFileGivesStyleAndPositionUnlessReplaced) {
    TDiagram diagram;
    TDiagramBoard& board = diagram.Board;
    board.SetSquareSize(40);
    board.SetPositionFromPlacement("4k3/8/8/8/8/8/8/4K3");
    diagram.Header.Enabled = true;
    diagram.Header.Text = "Stored header";
    const QString vxd = Out("d.vxd");
    SaveDiagramFile(diagram, vxd);
    ASSERT_TRUE(QFile::exists(vxd));

    TRun run = RunVorlix({"--vxd", vxd, "-o", Out("d.bmp")});
    ASSERT_EQ(run.ExitCode, 0) << run.Errors.toStdString();
    const QImage stored(Out("d.bmp"));
    board.Render();
    EXPECT_EQ(stored.width(), board.DiagramBitmap().width());
    EXPECT_GT(stored.height(), stored.width());  // the stored header is shown

    run = RunVorlix({"--vxd", vxd, "--fen", "8/8/8/8/8/8/8/8", "-o", Out("e.bmp")});
    ASSERT_EQ(run.ExitCode, 0) << run.Errors.toStdString();
    EXPECT_EQ(QImage(Out("e.bmp")).size(), stored.size());
    EXPECT_NE(QImage(Out("e.bmp")), stored);  // only the pieces changed
}

TEST_F(RenderCommand, BadDiagramFileExitsOneWithTheReadersMessage) {
    QFile bad(Out("bad.vxd"));
    ASSERT_TRUE(bad.open(QIODevice::WriteOnly));
    bad.write("not a diagram");
    bad.close();
    TRun run = RunVorlix({"--vxd", Out("bad.vxd"), "-o", Out("x.bmp")});
    EXPECT_EQ(run.ExitCode, 1);
    EXPECT_TRUE(run.Errors.contains("Invalid diagram file.")) << run.Errors.toStdString();
    run = RunVorlix({"--vxd", Out("none.vxd"), "-o", Out("x.bmp")});
    EXPECT_EQ(run.ExitCode, 1);
    EXPECT_TRUE(run.Errors.contains("File not found!")) << run.Errors.toStdString();
}

// Many diagrams in one process: each line's image is the one a single render
// gives; a bad line is named and skipped, and its number stays taken.
TEST_F(RenderCommand, FensDrawEveryLineAsASingleRenderWould) {
    QFile list(Out("list.txt"));
    ASSERT_TRUE(list.open(QIODevice::WriteOnly));
    list.write("8/8/8/8/8/8/8/K6k w - - 0 1\n\nnot a position\r\nr3k2r/8/8/8/8/8/8/R3K2R b KQkq -\n");
    list.close();
    const TRun run = RunVorlix({"--fens", Out("list.txt"), "-o", Out("d%02d.gif")});
    EXPECT_EQ(run.ExitCode, 1);
    EXPECT_TRUE(run.Errors.contains("list.txt:3: not a FEN or setup text")) << run.Errors.toStdString();
    EXPECT_FALSE(QFile::exists(Out("d02.gif")));
    const struct {
        const char* Name;
        const char* Fen;
    } drawn[] = {{"d01.gif", "8/8/8/8/8/8/8/K6k"}, {"d03.gif", "r3k2r/8/8/8/8/8/8/R3K2R"}};
    for (const auto& d : drawn) {
        ASSERT_EQ(RunVorlix({"--fen", d.Fen, "-o", Out("single.gif")}).ExitCode, 0);
        QFile one(Out("single.gif")), many(Out(d.Name));
        ASSERT_TRUE(one.open(QIODevice::ReadOnly) && many.open(QIODevice::ReadOnly)) << d.Name;
        EXPECT_EQ(one.readAll(), many.readAll()) << d.Name;
    }
    for (const char* pattern : {"plain.gif", "two%d%d.gif", "odd%x.gif"})
        EXPECT_EQ(RunVorlix({"--fens", Out("list.txt"), "-o", Out(pattern)}).ExitCode, 2) << pattern;
}

TEST_F(RenderCommand, ImageOptionsThatDoNotFitTheFormatAreRejected) {
    const char* fen = "8/8/8/8/8/8/8/8";
    EXPECT_EQ(RunVorlix({"--fen", fen, "-o", Out("x.bmp"), "--transparent"}).ExitCode, 2);
    EXPECT_EQ(RunVorlix({"--fen", fen, "-o", Out("x.gif"), "--colors", "24"}).ExitCode, 2);
    EXPECT_EQ(RunVorlix({"--fen", fen, "-o", Out("x.gif"), "--scale", "70"}).ExitCode, 2);
    EXPECT_EQ(RunVorlix({"--fen", fen, "-o", Out("x.jpg"), "--quality", "0"}).ExitCode, 2);
    EXPECT_EQ(RunVorlix({"--fen", fen, "-o", Out("x.gif"), "--header-align", "middle"}).ExitCode, 2);
    EXPECT_FALSE(QFile::exists(Out("x.gif")));
}

}  // namespace
}  // namespace vorlix

namespace vorlix {
namespace {

// Runs vorlix with arguments passed as raw bytes (QProcess would recode them as UTF-8).
int RunVorlixBytes(const std::vector<std::string>& args) {
    std::vector<char*> argv{const_cast<char*>(VORLIX_BIN_DIR "/vorlix")};
    for (const std::string& a : args) argv.push_back(const_cast<char*>(a.c_str()));
    argv.push_back(nullptr);
    pid_t pid = 0;
    if (posix_spawn(&pid, argv[0], nullptr, nullptr, argv.data(), environ) != 0) return -1;
    int status = 0;
    waitpid(pid, &status, 0);
    return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
}

// A name that is not UTF-8 reaches the file system byte for byte, whatever the output.
TEST_F(RenderCommand, NamesThatAreNotUtf8AreWrittenByteForByte) {
    const std::string folder = QFile::encodeName(dir_.path()).toStdString() + "/d\xff";
    ASSERT_EQ(::mkdir(folder.c_str(), 0755), 0);
    const std::string pgn = folder + "/g\xfe.pgn";
    {
        FILE* f = std::fopen(pgn.c_str(), "w");
        ASSERT_NE(f, nullptr);
        std::fputs("[Event \"x\"]\n\n1. e4 e5 *\n", f);
        std::fclose(f);
    }
    for (const char* extension : {".png", ".svg", ".pdf", ".gif", ".bmp", ".jpg"}) {
        SCOPED_TRACE(extension);
        const std::string name = folder + "/\xff\xfe" + extension;
        EXPECT_EQ(RunVorlixBytes({"render", "--fen", "8/8/8/8/8/8/8/K6k", "-o", name}), 0);
        struct stat st {};
        EXPECT_EQ(::stat(name.c_str(), &st), 0);
        EXPECT_GT(st.st_size, 0);
    }
    const std::string animation = folder + "/a\xff.gif";
    EXPECT_EQ(RunVorlixBytes({"gif", pgn, "-o", animation}), 0);
    struct stat st {};
    EXPECT_EQ(::stat(animation.c_str(), &st), 0);
    std::filesystem::remove_all(folder);  // Qt cannot name it to clear it
}

}  // namespace
}  // namespace vorlix
