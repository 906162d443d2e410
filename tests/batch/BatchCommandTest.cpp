#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QProcess>
#include <QTemporaryDir>
#include <QXmlStreamReader>

#include "board/DiagramBoard.h"
#include "board/DiagramFile.h"
#include "files/ErrorReporter.h"

namespace vorlix {
namespace {

const QString kVorlix = QStringLiteral(VORLIX_BIN_DIR "/vorlix");
const QString kStyle = QStringLiteral(VORLIX_SOURCE_DIR "/resources/default.vxd");

// Two short games and a third with an illegal move after 1. e4.
const char* const kGames =
    "[White \"Ann\"]\n[Black \"Bo\"]\n[Event \"Club\"]\n\n1. e4 e5 2. Nf3 Nc6 1-0\n\n"
    "[Event \"Open\"]\n[White \"Cy\"]\n[Black \"Di\"]\n[Result \"1/2-1/2\"]\n[WhiteElo \"2100\"]\n\n1. d4 d5 2. c4 "
    "1/2-1/2\n\n"
    "[White \"Ed\"]\n[Black \"Fi\"]\n\n1. e4 Ke3 2. Nf3 *\n";

struct TRun {
    int Exit = -1;
    QString Out, Err;
};

class BatchCommand : public testing::Test {
protected:
    void SetUp() override {
        if (!QFile::exists(kVorlix)) GTEST_SKIP() << "vorlix not built";
        Pgn = Write("games.pgn", kGames);
    }
    TRun Run(const QString& command, const QStringList& args) const {
        QProcess p;
        p.start(kVorlix, QStringList{command} + args);
        p.waitForFinished(120000);
        return {p.exitStatus() == QProcess::NormalExit ? p.exitCode() : -1,
                QString::fromLocal8Bit(p.readAllStandardOutput()), QString::fromLocal8Bit(p.readAllStandardError())};
    }
    TRun Batch(const QStringList& args) const { return Run("batch", args + QStringList{"--style", kStyle}); }
    QString Write(const QString& name, const QByteArray& text) const {
        QFile f(Dir.filePath(name));
        f.open(QIODevice::WriteOnly);
        f.write(text);
        return f.fileName();
    }
    QString Folder(const QString& name) const {
        QDir(Dir.path()).mkpath(name);
        return Dir.filePath(name);
    }
    static QStringList Files(const QString& folder) {
        return QDir(folder).entryList(QDir::Files | QDir::Hidden, QDir::Name);
    }
    static QByteArray Bytes(const QString& file) {
        QFile f(file);
        f.open(QIODevice::ReadOnly);
        return f.readAll();
    }
    QByteArray Rendered(const QString& fen, const QStringList& extra = {}, const QString& name = "render.gif") const {
        const QString out = Dir.filePath(name);
        const TRun r = Run("render", QStringList{"--vxd", kStyle, "--fen", fen, "-o", out} + extra);
        EXPECT_EQ(r.Exit, 0) << r.Err.toStdString();
        return Bytes(out);
    }
    QTemporaryDir Dir;
    QString Pgn;
};

TEST_F(BatchCommand, EntireGamesEqualTheRenderCommandWithOneOrTwoJobs) {
    const QString one = Folder("one"), two = Folder("two");
    // The bad game is reported, the run goes on, and the exit status tells.
    TRun r = Batch({Pgn, "-o", one + "/Cap.gif", "--positions", "entire", "--jobs", "1"});
    ASSERT_EQ(r.Exit, 1) << r.Err.toStdString();
    EXPECT_TRUE(r.Out.startsWith("11 diagrams written in ")) << r.Out.toStdString();
    EXPECT_EQ(r.Err, "vorlix: " + Pgn + ": Game 3: Illegal move data: 1... Ke3\n");
    r = Batch({Pgn, "-o", two + "/Cap.gif", "--positions", "entire", "--jobs", "2"});
    ASSERT_EQ(r.Exit, 1) << r.Err.toStdString();
    const QStringList names = Files(one);
    EXPECT_EQ(
        names.join(' ').toStdString(),
        (QStringList{"Cap00001.GIF", "Cap00002.GIF", "Cap00003.GIF", "Cap00004.GIF", "Cap00005.GIF", "Cap00501.GIF",
                     "Cap00502.GIF", "Cap00503.GIF", "Cap00504.GIF", "Cap01001.GIF", "Cap01002.GIF"})
            .join(' ')
            .toStdString());
    EXPECT_EQ(Files(two).join(' ').toStdString(), names.join(' ').toStdString());
    for (const QString& name : names) EXPECT_EQ(Bytes(one + "/" + name), Bytes(two + "/" + name)) << name.toStdString();
    EXPECT_EQ(Bytes(one + "/Cap00001.GIF"), Rendered("rnbqkbnr/pppppppp/8/8/8/8/PPPPPPPP/RNBQKBNR"));
    EXPECT_EQ(Bytes(one + "/Cap00505.GIF"), QByteArray());
    EXPECT_EQ(Bytes(one + "/Cap00005.GIF"), Rendered("r1bqkbnr/pppp1ppp/2n5/4p3/4P3/5N2/PPPP1PPP/RNBQKB1R"));
    EXPECT_EQ(Bytes(one + "/Cap00504.GIF"), Rendered("rnbqkbnr/ppp1pppp/8/3p4/2PP4/8/PP2PPPP/RNBQKBNR"));
    EXPECT_EQ(Bytes(one + "/Cap01002.GIF"), Rendered("rnbqkbnr/pppppppp/8/8/4P3/8/PPPP1PPP/RNBQKBNR"));
}

TEST_F(BatchCommand, FixedPositionsCustomListsGamesAndHeaders) {
    const QString fixed = Folder("fixed");
    TRun r = Batch({Pgn, "-o", fixed + "/Cap.gif"});
    ASSERT_EQ(r.Exit, 1) << r.Err.toStdString();
    // The third game stops after 1. e4: that is not its final position.
    EXPECT_EQ(Files(fixed).join(' ').toStdString(),
              (QStringList{"Cap0001.GIF", "Cap0011.GIF"}).join(' ').toStdString());

    const QString custom = Folder("custom");
    r = Batch({Pgn, "-o", custom + "/C.bmp", "--positions", "custom", "--from-start", "2", "--from-end", "1", "--games",
               "2-3", "--header", "players,elo,move", "--colors", "16"});
    ASSERT_EQ(r.Exit, 1) << r.Err.toStdString();  // the third game is counted from its start only
    EXPECT_EQ(Files(custom).join(' ').toStdString(),
              (QStringList{"C00002.BMP", "C00004.BMP", "C00502.BMP"}).join(' ').toStdString());

    const QString headed = Folder("headed");
    r = Batch({Pgn, "-o", headed + "/H.gif", "--games", "2", "--positions", "entire", "--header", "players,move",
               "--footer", "event,result"});
    ASSERT_EQ(r.Exit, 0) << r.Err.toStdString();
    EXPECT_EQ(Bytes(headed + "/H00002.GIF"), Rendered("rnbqkbnr/pppppppp/8/8/3P4/8/PPP1PPPP/RNBQKBNR",
                                                      {"--header", "Cy - Di, 1. d4", "--footer", "Open, 1/2-1/2"}));
}

TEST_F(BatchCommand, EpdRecordsWithTheirHeadersAndDiagramFiles) {
    const QString epd = Write("p.epd",
                              "8/8/8/8/8/8/8/K6k w - - bm Kb2; id \"one\";\n"
                              "8/8/8/8/8/8/8/k6K b - -; id \"two\";\n");
    const QString out = Folder("epd");
    TRun r = Batch({epd, "-o", out + "/Pos.gif", "--header", "bm", "--footer", "id"});
    ASSERT_EQ(r.Exit, 0) << r.Err.toStdString();
    EXPECT_EQ(Files(out).join(' ').toStdString(), (QStringList{"Pos001.gif", "Pos002.gif"}).join(' ').toStdString());
    EXPECT_EQ(Bytes(out + "/Pos002.gif"),
              Rendered("8/8/8/8/8/8/8/k6K", {"--header", "Black to move", "--footer", "two"}));
    r = Batch({epd, "-o", out + "/D.vxd", "--header", "text:   "});
    ASSERT_EQ(r.Exit, 0) << r.Err.toStdString();
    TDiagram written;
    TSilentReporter silent;
    ASSERT_TRUE(LoadDiagramFile(out + "/D001.VXD", written, silent));
    EXPECT_EQ(written.Board.GetPiece({0, 0}), 1);
    EXPECT_FALSE(written.Header.Enabled);
}

TEST_F(BatchCommand, ManyDiagramsPerPdfPage) {
    const QString pdf = Dir.filePath("all.pdf");
    TRun r = Batch({Pgn, "-o", pdf, "--positions", "entire", "--per-page", "--scale", "100"});
    ASSERT_EQ(r.Exit, 1) << r.Err.toStdString();  // with the third game's two positions
    EXPECT_TRUE(r.Out.contains("11 diagrams written on 1 pages")) << r.Out.toStdString();
    r = Batch({Pgn, "-o", pdf, "--positions", "entire", "--overwrite"});  // the file of the run before
    EXPECT_TRUE(r.Out.contains("11 diagrams written on 11 pages")) << r.Out.toStdString();
    EXPECT_TRUE(Bytes(pdf).startsWith("%PDF"));
}

TEST_F(BatchCommand, PngFilesEqualTheRenderCommandAndSvgFilesAreXml) {
    const QString png = Folder("png"), svg = Folder("svg");
    TRun r = Batch({Pgn, "-o", png + "/Cap.png", "--games", "2", "--positions", "entire", "--header", "players,move"});
    ASSERT_EQ(r.Exit, 0) << r.Err.toStdString();
    EXPECT_EQ(Files(png).join(' ').toStdString(), "Cap00001.PNG Cap00002.PNG Cap00003.PNG Cap00004.PNG");
    EXPECT_EQ(Bytes(png + "/Cap00002.PNG"),
              Rendered("rnbqkbnr/pppppppp/8/8/3P4/8/PPP1PPPP/RNBQKBNR", {"--header", "Cy - Di, 1. d4"}, "render.png"));
    r = Batch({Pgn, "-o", png + "/Big.png", "--games", "1", "--positions", "custom", "--from-start", "1", "--scale",
               "250", "--transparent"});
    ASSERT_EQ(r.Exit, 0) << r.Err.toStdString();
    EXPECT_EQ(Bytes(png + "/Big00001.PNG"),
              Rendered("rnbqkbnr/pppppppp/8/8/8/8/PPPPPPPP/RNBQKBNR", {"--scale", "250", "--transparent"}, "big.png"));

    r = Batch(
        {Pgn, "-o", svg + "/S.svg", "--games", "1", "--positions", "custom", "--from-start", "1-2", "--jobs", "2"});
    ASSERT_EQ(r.Exit, 0) << r.Err.toStdString();
    EXPECT_EQ(Files(svg).join(' ').toStdString(), "S00001.SVG S00002.SVG");
    QXmlStreamReader xml(Bytes(svg + "/S00002.SVG"));
    int paths = 0;
    while (!xml.atEnd())
        if (xml.readNext() == QXmlStreamReader::StartElement && xml.name() == QLatin1String("path")) ++paths;
    EXPECT_FALSE(xml.hasError()) << xml.errorString().toStdString();
    EXPECT_GT(paths, 32);  // the pieces are outlines
    EXPECT_EQ(Bytes(svg + "/S00002.SVG"), Rendered("rnbqkbnr/pppppppp/8/8/4P3/8/PPPP1PPP/RNBQKBNR", {}, "r.svg"));
}

// A game annotated with drawing commands and the same game with %cal/%csl
// give the same images, byte for byte, and the marks are in them.
TEST_F(BatchCommand, DrawingCommandsGiveTheImagesOfCalAndCsl) {
    const QByteArray head = "[White \"Ann\"]\n[Black \"Bo\"]\n\n";
    const QString drawn =
        Write("drawn.pgn", head +
                               "{[%draw full,d4,yellow]} 1. e4 {[%draw arrow,g1,f3,green] [%draw arrow,d8,h4,red] "
                               "[%mark e4 blue][%draw circle,c5,red]} e5 {[%draw full,e5,green]} *\n");
    const QString coded =
        Write("coded.pgn", head + "{[%csl Yd4]} 1. e4 {[%cal Gg1f3,Rd8h4] [%csl Be4,Rc5]} e5 {[%csl Ge5]} *\n");
    const QString plain = Write("plain.pgn", head + "1. e4 e5 *\n");
    for (const auto& [pgn, folder] :
         {std::pair{drawn, QString("drawn")}, std::pair{coded, QString("coded")}, std::pair{plain, QString("plain")}}) {
        const TRun r = Batch({pgn, "-o", Folder(folder) + "/D.svg", "--positions", "entire"});
        ASSERT_EQ(r.Exit, 0) << r.Err.toStdString();
    }
    ASSERT_EQ(Files(Dir.filePath("drawn")).join(' ').toStdString(), "D00001.SVG D00002.SVG D00003.SVG");
    for (const QString& name : Files(Dir.filePath("drawn"))) {
        const QByteArray bytes = Bytes(Dir.filePath("drawn/" + name));
        EXPECT_EQ(bytes, Bytes(Dir.filePath("coded/" + name))) << name.toStdString();
        EXPECT_NE(bytes, Bytes(Dir.filePath("plain/" + name))) << name.toStdString();
    }
}

TEST_F(BatchCommand, BadArgumentsAndFileErrors) {
    const QString out = Folder("bad") + "/X.gif";
    for (const QStringList& args :
         {QStringList{Pgn, "-o", out, "--positions", "custom"}, QStringList{Pgn, "-o", out, "--colors", "24"},
          QStringList{Pgn, "-o", out, "--games", "x"},
          QStringList{Pgn, "-o", out, "--games", "4294967297"},  // not read as 1
          QStringList{Pgn, "-o", out, "--games", "1-4294967297"},
          QStringList{Pgn, "-o", out, "--positions", "custom", "--from-start", "2147483648"},
          QStringList{Pgn, "-o", Dir.filePath("X.tif")},
          QStringList{Pgn, "-o", Dir.filePath("X.png"), "--colors", "256"},
          QStringList{Pgn, "-o", Dir.filePath("X.svg"), "--scale", "5"},
          QStringList{Pgn, "-o", out, "--frobnicate", "1"}, QStringList{Pgn, "-o", out, "--header", "weather"},
          QStringList{Pgn, "-o", out, "--scale", "300"}})
        EXPECT_EQ(Batch(args).Exit, 2) << args.join(' ').toStdString();
    EXPECT_EQ(Batch({Dir.filePath("missing.pgn"), "-o", out}).Exit, 1);
    const TRun r = Batch({Pgn, "-o", Dir.filePath("nowhere/X.gif")});
    EXPECT_EQ(r.Exit, 1);
    EXPECT_TRUE(r.Err.contains("nowhere")) << r.Err.toStdString();
    EXPECT_TRUE(Files(Folder("bad")).isEmpty());
}

// Castling with zeros plays on; a game with an illegal move is named, gives
// its positions before that move and no final position; marks of the games'
// comments are drawn on their own positions only, never the style's.
TEST_F(BatchCommand, FaultyGamesAreNamedAndMarksStayOnTheirPositions) {
    const QString pgn = QStringLiteral(VORLIX_TEST_DATA_DIR "/castling-with-zeros.pgn");
    TDiagram styled;
    TSilentReporter silent;
    ASSERT_TRUE(LoadDiagramFile(kStyle, styled, silent));
    styled.Board.SetMarks({{{0, 63, TMarkColor::Red}}, {{27, TMarkColor::Blue}}});
    const std::vector<uint8_t> bytes = EncodeDiagram(styled);
    const QString style =
        Write("marked.vxd", QByteArray(reinterpret_cast<const char*>(bytes.data()), int(bytes.size())));

    const QString entire = Folder("entire");
    TRun r = Run("batch", {pgn, "-o", entire + "/Cap.vxd", "--positions", "entire", "--style", style});
    EXPECT_EQ(r.Exit, 1);
    EXPECT_EQ(r.Err, "vorlix: " + pgn + ": Game 2: Illegal move data: 3. Ke3\n");
    EXPECT_TRUE(r.Out.startsWith("39 diagrams written in ")) << r.Out.toStdString();
    QStringList expected;
    for (const auto& [game, positions] : {std::pair{0, 21}, {1, 5}, {2, 13}})
        for (int p = 1; p <= positions; ++p) expected << QString("Cap%1.VXD").arg(game * 500 + p, 5, 10, QChar('0'));
    EXPECT_EQ(Files(entire), expected);

    const TBoardMarks knightMarks{{{SquareIndex(5, 2), SquareIndex(3, 3), TMarkColor::Green}},
                                  {{SquareIndex(3, 3), TMarkColor::Green}}};
    for (const QString& name : expected) {
        TDiagram written;
        const TDiagramBoard& board = written.Board;
        ASSERT_TRUE(LoadDiagramFile(entire + "/" + name, written, silent)) << name.toStdString();
        // Only the position after 4. 0-0 carries the comment's marks.
        EXPECT_EQ(board.Marks(), name == "Cap00008.VXD" ? knightMarks : TBoardMarks{}) << name.toStdString();
        if (name == "Cap00008.VXD") {
            EXPECT_EQ(board.GetPiece({6, 0}), pcWKing);
            EXPECT_EQ(board.GetPiece({5, 0}), pcWRook);
        }
        if (name == "Cap01013.VXD") {
            EXPECT_EQ(board.GetPiece({2, 7}), pcBKing);
            EXPECT_EQ(board.GetPiece({3, 7}), pcBRook);
        }
    }

    const QString fixed = Folder("fixed");
    r = Batch({pgn, "-o", fixed + "/F.gif"});
    EXPECT_EQ(r.Exit, 1);
    EXPECT_EQ(Files(fixed), (QStringList{"F0001.GIF", "F0021.GIF"}));
}

}  // namespace
}  // namespace vorlix
