#include <gtest/gtest.h>

#include <QFile>
#include <QProcess>
#include <QTemporaryDir>

#include "board/Bmp24Writer.h"
#include "board/ChessBoard.h"

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

    TkxChessBrd board;
    board.Render();
    EXPECT_EQ(written.convertToFormat(QImage::Format_RGB32), board.DiagramBitmap());
}

TEST_F(RenderCommand, OptionsGoThroughTheBoardSetters) {
    const QString out = Out("k.bmp");
    TRun run = RunVorlix({"--setup", "wKe1/bKe8", "-o", out, "--square-size", "48", "--grid", "2",
                          "--coords", "NWES", "--view", "black", "--piece-style", "roruvoz"});
    ASSERT_EQ(run.ExitCode, 0) << run.Errors.toStdString();
    EXPECT_EQ(QImage(out).size(), QSize(498, 498));

    run = RunVorlix({"--fen", "8/8/8/8/8/8/8/8", "-o", out, "--square-size", "33", "--coords", "-"});
    ASSERT_EQ(run.ExitCode, 0);
    EXPECT_EQ(QImage(out).size(), QSize(292, 292));  // odd size ignored: 8 * 36 + 2 * 2
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
    EXPECT_EQ(RunVorlix({"--fen", "8/8/8/8/8/8/8/8", "-o", Out("x.png")}).ExitCode, 2);
}

TEST_F(RenderCommand, UnwritableTargetIsAnErrorAndKeepsNoPartialFile) {
    const TRun run = RunVorlix({"--fen", "8/8/8/8/8/8/8/8", "-o", Out("missing/dir/x.bmp")});
    EXPECT_EQ(run.ExitCode, 1);
    EXPECT_TRUE(run.Errors.contains("cannot write")) << run.Errors.toStdString();
}

TEST(Bmp24Writer, RowsArePaddedAndBottomUp) {
    QImage image(5, 3, QImage::Format_RGB32);
    image.fill(0xFF102030);
    image.setPixel(0, 0, 0xFFFF0000);
    image.setPixel(4, 2, 0xFF0000FF);
    const QByteArray data = EncodeBmp24(image);
    EXPECT_EQ(data.size(), 14 + 40 + 16 * 3);
    QImage back;
    ASSERT_TRUE(back.loadFromData(data, "BMP"));
    EXPECT_EQ(back.convertToFormat(QImage::Format_RGB32), image);
}

}  // namespace
}  // namespace vorlix
