// Game books: an annotated game becomes text with diagrams exactly where the
// annotator asked ("[#]" in a comment, $201), each diagram carrying its FEN in
// the <desc> of its inline SVG; `vorlix book` writes the HTML and the PDF,
// follows the notation and diagram choices, and names a faulty game.
#include <gtest/gtest.h>

#include <QFile>
#include <QProcess>
#include <QRegularExpression>
#include <QSet>
#include <QStandardPaths>
#include <QTemporaryDir>

#include "batch/GameBook.h"

using namespace vorlix;

namespace {

const QString kVorlix = QStringLiteral(VORLIX_BIN_DIR "/vorlix");

// Three "[#]" comments (one of them in a variation, one after a comment with
// an arrow) and one $201 on a move followed by a comment.
const char* const kAnnotated = R"([Event "Book test"]
[Site "Here"]
[Date "2026.12.08"]
[Round "1"]
[White "Anna"]
[Black "Bert"]
[Result "1-0"]

1. e4 e5 2. Nf3 {[#] The knight attacks e5. [%cal Gf3e5]} 2... Nc6 (2... d6 {Philidor} 3. d4 $1 {[#]}
(3. Bc4) exd4) 3. Bb5 $201 {The Spanish} a6 4. Ba4 Nf6 5. O-O {[#]} Be7 6. Re1 b5!? 7. Bb3 d6 $14 1-0

)";

// Where the diagrams stand, and the mover mark's fill: black for Black to move.
const struct {
    const char* Placement;
    const char* Mover;
} kMarked[] = {
    {"rnbqkbnr/pppp1ppp/8/4p3/4P3/5N2/PPPP1PPP/RNBQKB1R", "#000000"},        // 2. Nf3
    {"rnbqkbnr/ppp2ppp/3p4/4p3/3PP3/5N2/PPP2PPP/RNBQKB1R", "#000000"},       // 3. d4 in the variation
    {"r1bqkbnr/pppp1ppp/2n5/1B2p3/4P3/5N2/PPPP1PPP/RNBQK2R", "#000000"},     // 3. Bb5
    {"r1bqkb1r/1ppp1ppp/p1n2n2/4p3/B3P3/5N2/PPPP1PPP/RNBQ1RK1", "#000000"},  // 5. O-O
};

struct TRun {
    int Exit = -1;
    QString Errors;
};

TRun Book(const QStringList& args) {
    QProcess p;
    p.start(kVorlix, QStringList{"book"} + args);
    p.waitForFinished(60000);
    return {p.exitStatus() == QProcess::NormalExit ? p.exitCode() : -1, QString::fromUtf8(p.readAllStandardError())};
}

QString Read(const QString& path) {
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? QString::fromUtf8(f.readAll()) : QString();
}

// The first line of every diagram's <desc>: its FEN placement.
QStringList DiagramPlacements(const QString& html) {
    QStringList placements;
    static const QRegularExpression desc("<desc>([^\\n<]*)");
    for (auto it = desc.globalMatch(html); it.hasNext();) placements << it.next().captured(1);
    return placements;
}

QString Attribute(const QString& element, const QString& name) {
    const QRegularExpression pattern(" " + name + "=\"([^\"]*)\"");
    return pattern.match(element).captured(1);
}

// Every diagram's mover mark fill: the rectangle drawn right after the
// column that closes the board on the right; empty when there is none.
QStringList DiagramMovers(const QString& html) {
    QStringList movers;
    static const QRegularExpression svgPattern("<svg width=\"(\\d+)\"[^>]*>(.*?)</svg>",
                                               QRegularExpression::DotMatchesEverythingOption);
    static const QRegularExpression rectPattern("<rect [^>]*>");
    for (auto svg = svgPattern.globalMatch(html); svg.hasNext();) {
        const auto match = svg.next();
        const int width = match.captured(1).toInt();
        QStringList rects;
        for (auto rect = rectPattern.globalMatch(match.captured(2)); rect.hasNext();) rects << rect.next().captured();
        QString fill;
        for (qsizetype i = 0; i + 1 < rects.size() && fill.isEmpty(); ++i)
            if (const int x = Attribute(rects[i], "x").toInt();
                Attribute(rects[i], "y") == "0" && x > 0 && x + Attribute(rects[i], "width").toInt() == width)
                fill = Attribute(rects[i + 1], "fill");
        movers << fill;
    }
    return movers;
}

class GameBook : public testing::Test {
protected:
    void SetUp() override {
        if (!QFile::exists(kVorlix)) GTEST_SKIP() << "vorlix not built";
        pgn = dir.filePath("annotated.pgn");
        QFile f(pgn);
        ASSERT_TRUE(f.open(QIODevice::WriteOnly));
        f.write(kAnnotated);
    }
    QTemporaryDir dir;
    QString pgn;
};

}  // namespace

TEST_F(GameBook, DiagramsStandWhereTheAnnotatorAskedWithTheirArrowsAndFen) {
    const QString html = dir.filePath("book.html");
    TRun run = Book({pgn, "-o", html});
    ASSERT_EQ(run.Exit, 0) << run.Errors.toStdString();
    const QString text = Read(html);
    QStringList placements, movers;
    for (const auto& m : kMarked) placements << m.Placement, movers << m.Mover;
    EXPECT_EQ(DiagramPlacements(text), placements);
    EXPECT_EQ(DiagramMovers(text).join(' ').toStdString(), movers.join(' ').toStdString());
    EXPECT_EQ(text.count("<figure"), 4);
    EXPECT_FALSE(text.contains("<?xml"));   // the SVG stands inline
    EXPECT_FALSE(text.contains("src=\""));  // one self-contained file
    EXPECT_TRUE(text.contains("<h2>Anna - Bert</h2>"));
    EXPECT_TRUE(text.contains("The Spanish</span> </p>\n<figure"));  // a diagram follows its move's comment
    EXPECT_TRUE(text.contains(">3. d4!<"));
    EXPECT_TRUE(text.contains(">b5!?<"));
    EXPECT_TRUE(text.contains(QString::fromUtf8("\xE2\xA9\xB2")));  // $14
    EXPECT_FALSE(text.contains("[#]"));
    EXPECT_FALSE(text.contains("%cal"));
    // The diagrams share one document: every id in it is its own, and every reference finds one.
    QStringList ids;
    static const QRegularExpression idPattern(" id=\"([^\"]+)\""), refPattern("(?:href=\"#|url\\(#)([^\")]+)");
    for (auto it = idPattern.globalMatch(text); it.hasNext();) ids << it.next().captured(1);
    EXPECT_EQ(ids.size(), QSet<QString>(ids.begin(), ids.end()).size());
    for (auto it = refPattern.globalMatch(text); it.hasNext();) {
        const QString ref = it.next().captured(1);
        EXPECT_TRUE(ids.contains(ref)) << ref.toStdString();
    }

    // The model behind it: the arrow of the comment stands on the first diagram only.
    TPGNRec game;
    const std::string annotated = kAnnotated;
    game.Moves = annotated.substr(annotated.find("1. e4"));
    game.Result = "1-0";
    const TBookGame book = BuildBookGame(game, TBookOptions{});
    ASSERT_EQ(book.Diagrams.size(), 4u);
    ASSERT_EQ(book.Diagrams[0].Marks.Arrows.size(), 1u);
    EXPECT_EQ(book.Diagrams[0].Marks.Arrows[0].From, SquareIndex(5, 2));
    EXPECT_EQ(book.Diagrams[0].Caption, "After 2. Nf3");
    EXPECT_TRUE(book.Diagrams[1].Marks.Empty());
    EXPECT_EQ(book.Diagrams[3].Caption, "After 5. O-O");

    // The other choices: notation, every N moves (after Black's moves: White to move), none, a theme.
    const struct {
        QStringList Args;
        int Diagrams;
        const char* Shows;
        const char* Mover;
    } kChoices[] = {
        {{"--notation", "de"}, 4, ">2. Sf3<", "#000000"},
        {{"--notation", "figurine", "--diagrams", "none"},
         0,
         ">2. \xE2\x99\x98"
         "f3<",
         ""},
        {{"--diagrams", "every:2", "--columns", "2", "--paper", "letter"}, 3, "column-count: 2", "#ffffff"},
        {{"--theme", "walnut"}, 4, "fill=\"#b58863\"", "#000000"},
    };
    for (const auto& c : kChoices) {
        SCOPED_TRACE(c.Args.join(' ').toStdString());
        run = Book(QStringList{pgn, "-o", html} + c.Args);
        ASSERT_EQ(run.Exit, 0) << run.Errors.toStdString();
        const QString shown = Read(html);
        EXPECT_EQ(DiagramPlacements(shown).size(), c.Diagrams);
        EXPECT_TRUE(shown.contains(QString::fromUtf8(c.Shows)));
        const QStringList movers = DiagramMovers(shown);
        EXPECT_EQ(movers.size(), c.Diagrams);
        for (const QString& mover : movers) EXPECT_EQ(mover.toStdString(), c.Mover);
    }
}

TEST_F(GameBook, PdfBookAndFaultsThatNameTheFile) {
    const QString pdf = dir.filePath("book.pdf");
    TRun run = Book({pgn, "-o", pdf, "--notation", "figurine", "--columns", "2"});
    ASSERT_EQ(run.Exit, 0) << run.Errors.toStdString();
    EXPECT_TRUE(Read(pdf).startsWith("%PDF"));
    if (!QStandardPaths::findExecutable("pdftotext").isEmpty()) {
        QProcess p;
        p.start("pdftotext", {pdf, "-"});
        ASSERT_TRUE(p.waitForFinished(30000));
        const QString text = QString::fromUtf8(p.readAllStandardOutput());
        EXPECT_TRUE(text.contains("Anna - Bert")) << text.toStdString();
        EXPECT_TRUE(text.contains("After 5. O-O")) << text.toStdString();
    }

    // A game with a move no piece can make: the book is written up to it, the
    // run fails and names the file and the game.
    QFile bad(dir.filePath("bad.pgn"));
    ASSERT_TRUE(bad.open(QIODevice::WriteOnly));
    bad.write(QByteArray(kAnnotated) + "[White \"C\"]\n[Black \"D\"]\n\n1. e4 e5 2. Ke3 Nc6 *\n");
    bad.close();
    const QString html = dir.filePath("bad.html");
    run = Book({bad.fileName(), "-o", html});
    EXPECT_EQ(run.Exit, 1);
    EXPECT_TRUE(run.Errors.contains("bad.pgn: game 2: Illegal move data: 2. Ke3")) << run.Errors.toStdString();
    EXPECT_TRUE(Read(html).contains("<h2>C - D</h2>"));

    // Bad arguments write nothing; an unreadable file keeps the old book.
    const QString old = dir.filePath("old.html");
    QFile keep(old);
    ASSERT_TRUE(keep.open(QIODevice::WriteOnly));
    keep.write("old");
    keep.close();
    for (const QStringList& args :
         {QStringList{pgn, "-o", dir.filePath("x.txt")}, QStringList{pgn, "-o", old, "--diagrams", "every:0"},
          QStringList{pgn, "-o", old, "--notation", "klingon"}, QStringList{pgn, "-o", old, "--columns", "3"},
          QStringList{pgn}})
        EXPECT_EQ(Book(args).Exit, 2) << args.join(' ').toStdString();
    run = Book({dir.filePath("missing.pgn"), "-o", old});
    EXPECT_EQ(run.Exit, 1);
    EXPECT_TRUE(run.Errors.contains("missing.pgn")) << run.Errors.toStdString();
    EXPECT_EQ(Read(old), "old");
    EXPECT_FALSE(QFile::exists(dir.filePath("x.txt")));
}
