// Piece sets from SVG files: they load, stay inside their squares on every
// road, name the file that spoils them, and the commands draw them alike.
#include <gtest/gtest.h>
#include <sys/stat.h>

#include <QDir>
#include <QFile>
#include <QProcess>
#include <QTemporaryDir>

#include "board/DiagramBoard.h"
#include "board/DiagramPainter.h"
#include "board/VectorPieces.h"

namespace vorlix {
namespace {

const QString kPieces = QStringLiteral(VORLIX_TEST_DATA_DIR "/svg-pieces");
const QString kVorlix = QStringLiteral(VORLIX_BIN_DIR "/vorlix");
const QString kStyle = QStringLiteral(VORLIX_SOURCE_DIR "/resources/default.vxd");

std::shared_ptr<const TVectorPieces> LoadTestSet() {
    QString error;
    auto set = TVectorPieces::FromFolder(kPieces, error);
    EXPECT_TRUE(set) << error.toStdString();
    return set;
}

// The picture of a board on one road at a scale: the bitmap road or the vector painter.
QImage Drawn(TDiagramBoard& board, bool vector, qreal scale) {
    if (vector) return RenderDiagramForScreen(board, scale);
    board.Render();
    return board.DiagramBitmap().convertToFormat(QImage::Format_RGB32);
}

// Every piece alone on d4 (and on a1, by the edge) changes no pixel outside that square.
TEST(SvgPieceSet, EveryPieceStaysInsideItsSquareOnEveryRoad) {
    const auto set = LoadTestSet();
    ASSERT_TRUE(set);
    EXPECT_TRUE(set->IsComplete());
    EXPECT_EQ(set->Artwork().size(), QSize(6 * TVectorPieces::kCell, 2 * TVectorPieces::kCell));
    struct TRoad {
        bool Vector;
        qreal Scale;
        int SquareSize;
    };
    for (const TRoad road : {TRoad{false, 1, 36}, TRoad{false, 1, 32}, TRoad{true, 1, 36}, TRoad{true, 2.5, 40}}) {
        for (const QPoint at : {QPoint(3, 3), QPoint(0, 0)}) {
            TDiagramBoard board;
            board.SetSquareSize(road.SquareSize);
            board.SetPieceSet(set);
            for (int file = 0; file < 8; ++file)
                for (int rank = 0; rank < 8; ++rank) board.SetPiece(file, rank, 0);
            const QImage empty = Drawn(board, road.Vector, road.Scale).convertToFormat(QImage::Format_RGB32);
            const QRect square = board.SquareRect(at.x(), at.y());
            const QRectF inside(square.x() * road.Scale, square.y() * road.Scale, square.width() * road.Scale,
                                square.height() * road.Scale);
            for (int code = 1; code <= 12; ++code) {
                board.SetPiece(at.x(), at.y(), code);
                const QImage drawn = Drawn(board, road.Vector, road.Scale).convertToFormat(QImage::Format_RGB32);
                ASSERT_EQ(drawn.size(), empty.size());
                int changedInside = 0, changedOutside = 0;
                for (int y = 0; y < drawn.height(); ++y)
                    for (int x = 0; x < drawn.width(); ++x)
                        if (drawn.pixel(x, y) != empty.pixel(x, y))
                            ++(inside.adjusted(-0.5, -0.5, 0.5, 0.5).contains(QPointF(x + 0.5, y + 0.5))
                                   ? changedInside
                                   : changedOutside);
                EXPECT_GT(changedInside, 20) << "code " << code << " vector " << road.Vector;
                EXPECT_EQ(changedOutside, 0) << "code " << code << " vector " << road.Vector;
                board.SetPiece(at.x(), at.y(), 0);
            }
        }
    }
}

// A set that lacks a file, holds a folder or text in place of a picture, or a
// picture without a size is refused with the file's name.
TEST(SvgPieceSet, SpoiltFilesAreNamed) {
    struct TCase {
        const char* File;
        QByteArray
            Content;  // empty: the file is missing; "dir": a folder of that name; "fifo", "zero": a pipe, a device
    };
    const TCase cases[] = {
        {"bQ.svg", ""},
        {"wN.svg", "dir"},
        {"bP.svg", "this is not a picture"},
        {"wK.svg", "<svg xmlns=\"http://www.w3.org/2000/svg\"><rect x=\"1\" y=\"1\" width=\"2\" height=\"2\"/>"},
        {"bR.svg", "<svg xmlns=\"http://www.w3.org/2000/svg\" viewBox=\"0 0 45 45\"></svg>"},
        {"wB.svg", "fifo"},  // never waited on
        {"wR.svg", "zero"},  // never read to the end
    };
    for (const TCase& c : cases) {
        QTemporaryDir dir;
        for (const QString& name : QDir(kPieces).entryList({"*.svg"}))
            ASSERT_TRUE(QFile::copy(kPieces + "/" + name, dir.filePath(name)));
        const QString spoilt = dir.filePath(c.File);
        QFile::remove(spoilt);
        if (c.Content == "dir") {
            QDir().mkdir(spoilt);
        } else if (c.Content == "fifo") {
            ASSERT_EQ(::mkfifo(QFile::encodeName(spoilt).constData(), 0600), 0);
        } else if (c.Content == "zero") {
            ASSERT_TRUE(QFile::link("/dev/zero", spoilt));
        } else if (!c.Content.isEmpty()) {
            QFile f(spoilt);
            ASSERT_TRUE(f.open(QIODevice::WriteOnly));
            f.write(c.Content);
        }
        QString error;
        EXPECT_FALSE(TVectorPieces::FromFolder(dir.path(), error)) << c.File;
        EXPECT_TRUE(error.contains(spoilt)) << c.File << ": " << error.toStdString();
    }
}

struct TRun {
    int Exit = -1;
    QString Err;
};

TRun RunVorlix(const QStringList& args) {
    QProcess p;
    p.start(kVorlix, args);
    p.waitForFinished(120000);
    return {p.exitStatus() == QProcess::NormalExit ? p.exitCode() : -1,
            QString::fromLocal8Bit(p.readAllStandardError())};
}

QByteArray Bytes(const QString& file) {
    QFile f(file);
    f.open(QIODevice::ReadOnly);
    return f.readAll();
}

// The user's journey: a set of pieces drawn by render and batch alike, pixel
// for pixel; sheet and gif take it too; a bad folder is named and nothing written.
TEST(SvgPieceSet, RenderBatchSheetAndGifDrawTheSet) {
    if (!QFile::exists(kVorlix)) GTEST_SKIP() << "vorlix not built";
    QTemporaryDir dir;
    QFile pgn(dir.filePath("g.pgn"));
    ASSERT_TRUE(pgn.open(QIODevice::WriteOnly));
    pgn.write("[White \"Ann\"]\n[Black \"Bo\"]\n\n1. e4 e5 2. Nf3 Nc6 *\n");
    pgn.close();

    TRun r = RunVorlix({"batch", pgn.fileName(), "-o", dir.filePath("B.png"), "--style", kStyle, "--positions",
                        "custom", "--from-start", "2", "--pieces", kPieces});
    ASSERT_EQ(r.Exit, 0) << r.Err.toStdString();
    r = RunVorlix({"render", "--vxd", kStyle, "--fen", "rnbqkbnr/pppppppp/8/8/4P3/8/PPPP1PPP/RNBQKBNR", "-o",
                   dir.filePath("r.png"), "--pieces", kPieces});
    ASSERT_EQ(r.Exit, 0) << r.Err.toStdString();
    r = RunVorlix({"render", "--vxd", kStyle, "--fen", "rnbqkbnr/pppppppp/8/8/4P3/8/PPPP1PPP/RNBQKBNR", "-o",
                   dir.filePath("own.png")});
    ASSERT_EQ(r.Exit, 0) << r.Err.toStdString();
    const QImage batch(dir.filePath("B00002.PNG")), render(dir.filePath("r.png")), own(dir.filePath("own.png"));
    ASSERT_FALSE(render.isNull());
    EXPECT_EQ(batch.convertToFormat(QImage::Format_RGB32), render.convertToFormat(QImage::Format_RGB32));
    EXPECT_NE(render.convertToFormat(QImage::Format_RGB32), own.convertToFormat(QImage::Format_RGB32));

    r = RunVorlix({"sheet", pgn.fileName(), "-o", dir.filePath("s.pdf"), "--style", kStyle, "--pieces", kPieces});
    EXPECT_EQ(r.Exit, 0) << r.Err.toStdString();
    r = RunVorlix({"gif", pgn.fileName(), "-o", dir.filePath("a.gif"), "--pieces", kPieces});
    EXPECT_EQ(r.Exit, 0) << r.Err.toStdString();
    EXPECT_TRUE(Bytes(dir.filePath("a.gif")).startsWith("GIF89a"));

    const QString missing = dir.filePath("none");
    for (const char* command : {"render", "batch", "sheet", "gif"}) {
        QStringList args{command};
        if (QByteArray(command) == "render")
            args << "--fen"
                 << "8/8/8/8/8/8/8/K6k w - - 0 1";
        else
            args << pgn.fileName();
        if (QByteArray(command) == "batch" || QByteArray(command) == "sheet") args << "--style" << kStyle;
        args << "-o"
             << dir.filePath(QByteArray(command) == "render"  ? "x.png"
                             : QByteArray(command) == "batch" ? "X.png"
                             : QByteArray(command) == "sheet" ? "x.pdf"
                                                              : "x.gif")
             << "--pieces" << missing;
        r = RunVorlix(args);
        EXPECT_EQ(r.Exit, 1) << command;
        EXPECT_TRUE(r.Err.contains(missing + ": no such folder of pieces")) << command << ": " << r.Err.toStdString();
    }
    EXPECT_FALSE(QFile::exists(dir.filePath("x.png")));
    EXPECT_FALSE(QFile::exists(dir.filePath("X00001.PNG")));
}

}  // namespace
}  // namespace vorlix
