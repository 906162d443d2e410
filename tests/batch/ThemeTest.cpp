// Named themes: the files we ship read and change the board, a spoilt file is
// named with its line, and render and batch draw a theme alike.
#include <gtest/gtest.h>
#include <sys/stat.h>

#include <QDir>
#include <QFile>
#include <QProcess>
#include <QTemporaryDir>

#include "board/DiagramBoard.h"
#include "board/Theme.h"

namespace vorlix {
namespace {

const QString kShipped = QStringLiteral(VORLIX_SOURCE_DIR "/resources/themes");
const QString kVorlix = QStringLiteral(VORLIX_BIN_DIR "/vorlix");
const QString kStyle = QStringLiteral(VORLIX_SOURCE_DIR "/resources/default.vxd");

QString Write(const QTemporaryDir& dir, const QString& name, const QByteArray& text) {
    QFile f(dir.filePath(name));
    f.open(QIODevice::WriteOnly);
    f.write(text);
    return f.fileName();
}

QImage Rendered(TDiagramBoard& board) {
    board.Render();
    return board.DiagramBitmap().convertToFormat(QImage::Format_RGB32);
}

TEST(Theme, EveryShippedThemeReadsAndChangesTheBoard) {
    const QStringList names = ThemeNames({kShipped});
    ASSERT_GE(names.size(), 2);
    TDiagramBoard plain;
    const QImage before = Rendered(plain);
    for (const QString& name : names) {
        TTheme theme;
        QString error;
        ASSERT_TRUE(ReadTheme(FindTheme(name, {kShipped}), theme, error)) << error.toStdString();
        TDiagramBoard board;
        ApplyTheme(theme, board);
        EXPECT_NE(Rendered(board), before) << name.toStdString();
        // Each sets its colour for the last move and check.
        EXPECT_TRUE(theme.HighlightColor && board.MoveMarkColor() == theme.HighlightColor) << name.toStdString();
    }
}

TEST(Theme, SettingsAndTheUsersFolderComeFirst) {
    QTemporaryDir user;
    QImage tile(8, 8, QImage::Format_RGB32);
    tile.fill(0xFF102030);
    tile.save(user.filePath("tile.png"));
    const QString file = Write(user, "walnut.theme",
                               "[Theme]\nLightSquares = #102030\nDarkSquareImage = tile.png\nDarkImageFit = yes\n"
                               "DarkShading = vertical\nGridLineWidth = 2\nBorder = 3 #FF0000 #00FF00\n");
    EXPECT_EQ(FindTheme("walnut", {user.path(), kShipped}), file);
    EXPECT_EQ(FindTheme("lagoon", {user.path(), kShipped}), kShipped + "/lagoon.theme");
    EXPECT_EQ(FindTheme("none", {user.path(), kShipped}), QString());
    TTheme theme;
    QString error;
    ASSERT_TRUE(ReadTheme(file, theme, error)) << error.toStdString();
    TDiagramBoard board;
    ApplyTheme(theme, board);
    EXPECT_EQ(board.LightSquares(), TColor(0x302010));  // red in the low byte
    EXPECT_EQ(board.DarkSquareBitmap().size(), QSize(8, 8));
    EXPECT_TRUE(board.DarkSquareAutoFit());
    EXPECT_EQ(board.DarkShading(), shVertical);
    EXPECT_EQ(board.GridLineWidth(), 2);
    ASSERT_EQ(board.Border().Count(), 1);
    EXPECT_EQ(board.Border().Get(0), (TBorderInfo{3, 0x0000FF, 0x00FF00}));
}

TEST(Theme, SpoiltLinesAreNamedWithFileAndLine) {
    struct TCase {
        QByteArray Text;
        const char* Message;
    };
    const TCase cases[] = {
        {"LightSquares = #FFF\n", "line 1: LightSquares takes a colour"},
        {"[Theme]\n# note\nColour = #FFFFFF\n", "line 3: unknown key Colour"},
        {"DarkShading = dots\n", "line 1: DarkShading takes none"},
        {"Border = wide #000000\n", "line 1: Border takes WIDTH"},
        {"GridLineWidth = 999\n", "line 1: GridLineWidth takes 0 to"},
        {"\nLightSquareImage = missing.png\n", "line 2: LightSquareImage: cannot read the picture"},
        {"just words\n", "line 1: expected KEY = VALUE"},
        {"DarkSquareImage = pipe\n", "line 1: DarkSquareImage: cannot read the picture"},  // never waited on
    };
    QTemporaryDir dir;
    ASSERT_EQ(::mkfifo(QFile::encodeName(dir.filePath("pipe")).constData(), 0600), 0);
    for (const TCase& c : cases) {
        const QString file = Write(dir, "bad.theme", c.Text);
        TTheme theme;
        QString error;
        EXPECT_FALSE(ReadTheme(file, theme, error)) << c.Message;
        EXPECT_TRUE(error.startsWith(file + ": ")) << error.toStdString();
        EXPECT_TRUE(error.contains(c.Message)) << error.toStdString();
    }
    TTheme theme;
    QString error;
    EXPECT_FALSE(ReadTheme(dir.filePath("absent.theme"), theme, error));
    EXPECT_TRUE(error.contains(dir.filePath("absent.theme"))) << error.toStdString();
}

struct TRun {
    int Exit = -1;
    QString Err;
};

TRun RunVorlix(const QStringList& args, const QString& dataHome) {
    QProcess p;
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert("XDG_DATA_HOME", dataHome);
    p.setProcessEnvironment(env);
    p.start(kVorlix, args);
    p.waitForFinished(120000);
    return {p.exitStatus() == QProcess::NormalExit ? p.exitCode() : -1,
            QString::fromLocal8Bit(p.readAllStandardError())};
}

// The user's journey: a shipped theme and the user's own, each by name, give
// render and batch the same pixels; a theme that is not there is refused with the names.
TEST(Theme, RenderAndBatchDrawANamedThemeAlike) {
    if (!QFile::exists(kVorlix)) GTEST_SKIP() << "vorlix not built";
    QTemporaryDir dir;
    const QString home = dir.filePath("home");
    QDir().mkpath(home + "/chess-vorlix/themes");
    QFile::copy(kShipped + "/print.theme", home + "/chess-vorlix/themes/mine.theme");
    const QString pgn = Write(dir, "g.pgn", "[White \"Ann\"]\n[Black \"Bo\"]\n\n1. e4 e5 *\n");
    for (const char* theme : {"walnut", "mine"}) {
        const QString out = dir.filePath(theme);
        QDir().mkpath(out);
        TRun r = RunVorlix({"batch", pgn, "-o", out + "/B.png", "--style", kStyle, "--positions", "custom",
                            "--from-start", "2", "--theme", theme},
                           home);
        ASSERT_EQ(r.Exit, 0) << r.Err.toStdString();
        r = RunVorlix({"render", "--vxd", kStyle, "--fen", "rnbqkbnr/pppppppp/8/8/4P3/8/PPPP1PPP/RNBQKBNR", "-o",
                       out + "/r.png", "--theme", theme},
                      home);
        ASSERT_EQ(r.Exit, 0) << r.Err.toStdString();
        const QImage batch(out + "/B00002.PNG"), render(out + "/r.png");
        ASSERT_FALSE(render.isNull());
        EXPECT_EQ(batch.convertToFormat(QImage::Format_RGB32), render.convertToFormat(QImage::Format_RGB32)) << theme;
    }
    const TRun r =
        RunVorlix({"render", "--fen", "8/8/8/8/8/8/8/K6k", "-o", dir.filePath("x.png"), "--theme", "nope"}, home);
    EXPECT_EQ(r.Exit, 1);
    EXPECT_TRUE(r.Err.contains("no theme nope")) << r.Err.toStdString();
    EXPECT_TRUE(r.Err.contains("mine")) << r.Err.toStdString();
    EXPECT_FALSE(QFile::exists(dir.filePath("x.png")));
}

}  // namespace
}  // namespace vorlix
