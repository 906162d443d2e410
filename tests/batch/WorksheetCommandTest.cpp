// The worksheet and caption templates from the command line, read back with
// the poppler tools and from the SVG text.
#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QImage>
#include <QProcess>
#include <QRegularExpression>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <map>

namespace vorlix {
namespace {

const QString kVorlix = QStringLiteral(VORLIX_BIN_DIR "/vorlix");
const QString kStyle = QStringLiteral(VORLIX_SOURCE_DIR "/resources/default.vxd");
const QString kWac = QStringLiteral(VORLIX_TEST_DATA_DIR "/wacnew.epd");

struct TRun {
    int Exit = -1;
    QString Out, Err;
};

TRun RunProgram(const QString& program, const QStringList& args) {
    QProcess p;
    p.start(program, args);
    p.waitForFinished(120000);
    return {p.exitStatus() == QProcess::NormalExit ? p.exitCode() : -1, QString::fromUtf8(p.readAllStandardOutput()),
            QString::fromUtf8(p.readAllStandardError())};
}

TRun Vorlix(const QString& command, const QStringList& args) {
    return RunProgram(kVorlix, QStringList{command} + args + QStringList{"--style", kStyle});
}

// The EPD file's lines: side to move and best moves of each record.
struct TEpdLine {
    QString Side, Bm, Id;
};
std::vector<TEpdLine> EpdLines() {
    QFile f(kWac);
    f.open(QIODevice::ReadOnly);
    std::vector<TEpdLine> lines;
    static const QRegularExpression bm(QStringLiteral(" bm ([^;]*);")), id(QStringLiteral("id \"([^\"]*)\""));
    for (const QByteArray& raw : f.readAll().split('\n')) {
        const QString line = QString::fromUtf8(raw);
        if (line.trimmed().isEmpty()) continue;
        lines.push_back({line.section(' ', 1, 1) == "w" ? "White" : "Black", bm.match(line).captured(1),
                         id.match(line).captured(1)});
    }
    return lines;
}

class WorksheetCommand : public testing::Test {
protected:
    void SetUp() override {
        if (!QFile::exists(kVorlix)) GTEST_SKIP() << "vorlix not built";
    }
    QTemporaryDir Dir;
};

TEST_F(WorksheetCommand, AHundredAndTwentyPositionsWithTheirKey) {
    for (const char* tool : {"pdftotext", "pdfimages", "pdffonts"})
        if (QStandardPaths::findExecutable(tool).isEmpty()) GTEST_SKIP() << tool << " not installed (poppler-utils)";
    const QString pdf = Dir.filePath("sheet.pdf");
    const TRun r =
        Vorlix("sheet", {kWac, "--records", "1-120", "--per-page", "6", "--key", "--title", "Tactics", "-o", pdf});
    ASSERT_EQ(r.Exit, 0) << r.Err.toStdString();
    EXPECT_EQ(r.Out, "120 diagrams written to " + pdf + "\n");

    // The text in the order drawn: the captions 1 to 120, then the key.
    const QString text = RunProgram("pdftotext", {"-raw", pdf, "-"}).Out;
    const std::vector<TEpdLine> epd = EpdLines();
    const int answers = text.indexOf("Answers");
    ASSERT_GT(answers, 0);
    static const QRegularExpression caption(QStringLiteral("(\\d+)\\. (White|Black) to move"));
    int n = 0;
    for (auto it = caption.globalMatch(text.left(answers)); it.hasNext();) {
        const auto m = it.next();
        ASSERT_EQ(m.captured(1).toInt(), ++n);
        EXPECT_EQ(m.captured(2), epd[n - 1].Side) << n;
    }
    EXPECT_EQ(n, 120);
    int from = answers;
    for (int k = 1; k <= 120; ++k) {
        const QString line = QString::number(k) + ". " + epd[k - 1].Bm;
        const int at = text.indexOf(line, from);
        ASSERT_GT(at, from) << line.toStdString();
        from = at + line.size();
    }
    EXPECT_EQ(text.count("Tactics"), 20 + 2);  // every page has the title: 20 of diagrams, 2 of the key

    // Pieces and text are vector drawing: no raster image, every font embedded.
    const QStringList images = RunProgram("pdfimages", {"-list", pdf}).Out.split('\n', Qt::SkipEmptyParts);
    EXPECT_EQ(images.size(), 2) << images.join('\n').toStdString();  // the two heading lines only
    const QStringList fonts = RunProgram("pdffonts", {pdf}).Out.split('\n', Qt::SkipEmptyParts).mid(2);
    ASSERT_FALSE(fonts.isEmpty());
    for (const QString& font : fonts)
        EXPECT_EQ(font.simplified().section(QLatin1Char(0x20), -5, -5), "yes") << font.toStdString();
}

TEST_F(WorksheetCommand, GamesGiveTheirNextMovesAsTheKey) {
    if (QStandardPaths::findExecutable("pdftotext").isEmpty()) GTEST_SKIP() << "pdftotext not installed";
    QFile pgn(Dir.filePath("g.pgn"));
    pgn.open(QIODevice::WriteOnly);
    pgn.write(
        "[White \"Ann\"]\n[Black \"Bo\"]\n\n1. e4 e5 2. Nf3 Nc6 3. Bb5 a6 1-0\n\n"
        "[White \"Cy\"]\n[Black \"Di\"]\n\n1. d4 d5 2. c4 1/2-1/2\n");
    pgn.close();
    const QString pdf = Dir.filePath("games.pdf");
    const TRun r =
        Vorlix("sheet", {pgn.fileName(), "--positions", "custom", "--from-start", "2", "--paper", "letter",
                         "--per-page", "4", "--key", "--caption", "{n}: {white}-{black}, {move}", "-o", pdf});
    ASSERT_EQ(r.Exit, 0) << r.Err.toStdString();
    const QString text = RunProgram("pdftotext", {"-raw", pdf, "-"}).Out;
    EXPECT_TRUE(text.contains("1: Ann-Bo, 1...")) << text.toStdString();
    EXPECT_TRUE(text.contains("2: Cy-Di, 1...")) << text.toStdString();
    EXPECT_TRUE(text.contains("1. 1... e5 2. Nf3 Nc6 3. Bb5 a6")) << text.toStdString();
    EXPECT_TRUE(text.contains("2. 1... d5 2. c4")) << text.toStdString();
    EXPECT_TRUE(RunProgram("pdfinfo", {pdf}).Out.contains("612 x 792 pts")) << "letter paper";
}

// Where a page's edge labels stand (in points, as pdftotext -bbox gives them).
struct TLabel {
    double Left = -1, Top = -1, Right = -1, Bottom = -1;
};
std::vector<std::map<QString, TLabel>> PageLabels(const QString& pdf) {
    std::vector<std::map<QString, TLabel>> pages;
    static const QRegularExpression word(QStringLiteral(
        "<page |<word xMin=\"([\\d.]+)\" yMin=\"([\\d.]+)\" xMax=\"([\\d.]+)\" yMax=\"([\\d.]+)\">([^<]*)</word>"));
    for (auto it = word.globalMatch(RunProgram("pdftotext", {"-bbox", pdf, "-"}).Out); it.hasNext();) {
        const auto m = it.next();
        if (m.captured(5).isEmpty()) {
            pages.emplace_back();
        } else if (!pages.empty()) {
            pages.back()[m.captured(5)] = {m.captured(1).toDouble(), m.captured(2).toDouble(), m.captured(3).toDouble(),
                                           m.captured(4).toDouble()};
        }
    }
    return pages;
}

enum class TMark { None, Empty, Filled };

// The mover mark beside a rank label, read from the page drawn at one pixel a point.
TMark MarkBeside(const QImage& page, const TLabel& label) {
    int dark = 0, left = page.width(), right = -1, top = page.height(), bottom = -1;
    for (int y = int(label.Top) - 30; y < int(label.Bottom) + 30; ++y)
        for (int x = int(label.Right) + 2; x < int(label.Right) + 60; ++x)
            if (qGray(page.pixel(x, y)) < 100) {
                ++dark;
                left = std::min(left, x), right = std::max(right, x), top = std::min(top, y),
                bottom = std::max(bottom, y);
            }
    if (dark == 0) return TMark::None;
    return qGray(page.pixel((left + right) / 2, (top + bottom) / 2)) < 100 ? TMark::Filled : TMark::Empty;
}

// The mark and the board's turn follow each record's side to move: record 1
// has White to move, record 2 Black.
TEST_F(WorksheetCommand, SideToMoveMarkedAndUpTheBoard) {
    for (const char* tool : {"pdftotext", "pdftoppm"})
        if (QStandardPaths::findExecutable(tool).isEmpty()) GTEST_SKIP() << tool << " not installed (poppler-utils)";
    const struct {
        QStringList Options;
        TMark Marks[2];
        bool Turned[2];  // file a on the right
    } cases[] = {
        {{}, {TMark::None, TMark::None}, {false, false}},
        {{"--mover-mark", "--orient", "mover", "--check"}, {TMark::Empty, TMark::Filled}, {false, true}},
        {{"--mover-mark"}, {TMark::Empty, TMark::Filled}, {false, false}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.Options.join(' ').toStdString());
        const QString pdf = Dir.filePath("mover.pdf");
        const TRun r = Vorlix("sheet", QStringList{kWac, "--records", "1-2", "--per-page", "1", "-o", pdf} + c.Options);
        ASSERT_EQ(r.Exit, 0) << r.Err.toStdString();
        const auto labels = PageLabels(pdf);
        ASSERT_EQ(labels.size(), 2u);
        ASSERT_EQ(RunProgram("pdftoppm", {"-r", "72", "-png", pdf, Dir.filePath("page")}).Exit, 0);
        for (int n = 0; n < 2; ++n) {
            auto page = labels[size_t(n)];
            ASSERT_TRUE(page.count("a") && page.count("h") && page.count("1") && page.count("8")) << n;
            EXPECT_EQ(page["a"].Left > page["h"].Left, c.Turned[n]) << n;
            // The mark stands at the mover's own edge of the board, wherever it is turned.
            const QImage image(Dir.filePath(QStringLiteral("page-%1.png").arg(n + 1)));
            ASSERT_FALSE(image.isNull());
            EXPECT_EQ(MarkBeside(image, page[n == 0 ? "1" : "8"]), c.Marks[n]) << n;
        }
    }
}

TEST_F(WorksheetCommand, BadInputIsRefusedAndWritesNothing) {
    const QString out = Dir.filePath("x.pdf");
    const struct {
        QStringList Args;
        int Exit;
        const char* Message;
    } cases[] = {
        {{kWac, "--per-page", "5", "-o", out}, 2, "--per-page takes 1, 2, 4, 6, 9 or 12"},
        {{kWac, "--paper", "a3", "-o", out}, 2, "--paper takes a4 or letter"},
        {{kWac, "-o", Dir.filePath("x.png")}, 2, "a worksheet is a PDF file"},
        {{kWac, "--games", "1", "-o", out}, 2, "apply to PGN files"},
        {{kWac, "--last-move", "-o", out}, 2, "--last-move applies to PGN files"},
        {{kWac, "--glyphs", "-o", out}, 2, "--glyphs does not apply to worksheets"},
        {{Dir.filePath("none.epd"), "-o", out}, 1, "none.epd"},
        {{kWac, "-o", Dir.filePath("no/x.pdf")}, 1, "no: the folder does not exist"},
    };
    for (const auto& c : cases) {
        const TRun r = Vorlix("sheet", c.Args);
        EXPECT_EQ(r.Exit, c.Exit) << c.Args.join(' ').toStdString();
        EXPECT_TRUE(r.Err.contains(c.Message)) << r.Err.toStdString();
        EXPECT_FALSE(QFile::exists(out));
    }
}

// Every record of a suite gets its own caption in a batch run, above and below the board.
TEST_F(WorksheetCommand, BatchCaptionsForEveryRecord) {
    const QString out = Dir.filePath("p.svg");
    TRun r = Vorlix("batch", {kWac, "--caption", "{n}. {side} to move", "--header-caption", "{id}: {bm}", "-o", out});
    ASSERT_EQ(r.Exit, 0) << r.Err.toStdString();
    const std::vector<TEpdLine> epd = EpdLines();
    ASSERT_EQ(epd.size(), 300u);
    static const QRegularExpression text(QStringLiteral(">([^<]+)</text>"));
    for (int n = 1; n <= 300; ++n) {
        QFile svg(Dir.filePath(QStringLiteral("p%1.svg").arg(n, 3, 10, QLatin1Char('0'))));
        ASSERT_TRUE(svg.open(QIODevice::ReadOnly)) << n;
        QStringList lines;
        for (auto it = text.globalMatch(QString::fromUtf8(svg.readAll())); it.hasNext();) {
            const QString t = it.next().captured(1);
            if (t.size() > 1) lines << t;  // not a coordinate
        }
        const TEpdLine& e = epd[n - 1];
        ASSERT_EQ(lines, QStringList({e.Id + ": " + e.Bm, QString::number(n) + ". " + e.Side + " to move"})) << n;
    }
    // A template takes the place of the line's other choice, and a shard cannot number a PGN run's diagrams.
    r = Vorlix("batch", {kWac, "--caption", "{n}", "--footer", "bm", "-o", out});
    EXPECT_EQ(r.Exit, 2);
    EXPECT_TRUE(r.Err.contains("give at most one of --footer and --caption")) << r.Err.toStdString();
    r = Vorlix("batch", {Dir.filePath("g.pgn"), "--caption", "{n}", "--shard", "1/2", "-o", out});
    EXPECT_EQ(r.Exit, 2);
    EXPECT_TRUE(r.Err.contains("{n} in a caption does not apply")) << r.Err.toStdString();
}

}  // namespace
}  // namespace vorlix
