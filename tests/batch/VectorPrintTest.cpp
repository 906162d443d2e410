// Printed diagrams are drawn through the vector road: in the same place and
// size as the stretched bitmap was, and as outlines and text in a PDF.
#include <gtest/gtest.h>

#include <QFile>
#include <QPainter>
#include <QProcess>
#include <QTemporaryDir>
#include <cmath>

#include "board/Diagram.h"
#include "board/DiagramBoard.h"
#include "board/DiagramFile.h"
#include "export/DiagramImage.h"
#include "export/VectorDiagramImage.h"
#include "files/ErrorReporter.h"
#include "imaging/ImageScaling.h"
#include "print/BatchPrinter.h"
#include "print/DiagramPrint.h"
#include "print/PrintScaling.h"
#include "print/PrintTarget.h"
#include "tests/common/ImagePrintTarget.h"

namespace vorlix {
namespace {

using TImagePrinter = TImagePrintTarget;  // a page of printer pixels per job

// The smallest rectangle that holds every pixel that is not white.
QRect Inked(const QImage& page) {
    QRect box;
    for (int y = 0; y < page.height(); ++y) {
        const auto* row = reinterpret_cast<const QRgb*>(page.constScanLine(y));
        for (int x = 0; x < page.width(); ++x)
            if (qGray(row[x]) < 250) box |= QRect(x, y, 1, 1);
    }
    return box;
}

// The vector ink stays inside the diagram's rectangle and reaches as far as the
// bitmap's did, give or take one screen pixel (the bitmap rounds its text and
// lines to whole screen pixels before it is stretched).
void ExpectInkInPlace(const QImage& vectorPage, const QImage& bitmapPage, const QRect& rect, float factor) {
    const QRect vector = Inked(vectorPage), bitmap = Inked(bitmapPage);
    ASSERT_FALSE(vector.isEmpty());
    EXPECT_TRUE(rect.contains(vector)) << vector.x() << "," << vector.y() << " " << vector.width() << "x"
                                       << vector.height();
    const int slack = int(std::ceil(factor));
    EXPECT_NEAR(vector.left(), bitmap.left(), slack);
    EXPECT_NEAR(vector.top(), bitmap.top(), slack);
    EXPECT_NEAR(vector.right(), bitmap.right(), slack);
    EXPECT_NEAR(vector.bottom(), bitmap.bottom(), slack);
}

TPrintedDiagram Recorded(const TDiagram& diagram) {
    return RecordPrintedDiagram(DiagramImageSize(diagram), [&](QPainter& p) { PaintDiagramImage(p, diagram); });
}

TEST(VectorPrint, TheDiagramTakesThePlaceAndSizeOfTheStretchedBitmap) {
    TDiagram diagram;
    TDiagramBoard& board = diagram.Board;
    THeaderFooterInfo &header = diagram.Header, &footer = diagram.Footer;
    TSilentReporter silent;
    ASSERT_TRUE(LoadDiagramFile(VORLIX_SOURCE_DIR "/resources/default.vxd", diagram, silent));
    board.SetStartPosition();
    struct TCase {
        float Factor;
        bool Header, Footer;
    };
    for (const TCase c :
         {TCase{1.0f, false, false}, TCase{2.0f, true, true}, TCase{2.75f, true, false}, TCase{6.0f, false, true}}) {
        SCOPED_TRACE(testing::Message() << "factor " << c.Factor << " header " << c.Header << " footer " << c.Footer);
        header.Enabled = c.Header;
        header.Text = "Caption gjpq";
        footer.Enabled = c.Footer;
        footer.Text = "1. e4";
        const QImage bitmap = RenderDiagramImage(diagram);
        const TPrintedDiagram vector = Recorded(diagram);
        ASSERT_EQ(vector.Size, bitmap.size());

        TImagePrinter printer;
        std::string error;
        ASSERT_TRUE(PrintDiagram(printer, vector, c.Factor, "", error));
        const QRect rect = PrintRect(bitmap.size(), c.Factor);
        QImage stretched(printer.PageSize(), QImage::Format_RGB32);
        stretched.fill(Qt::white);
        {
            QPainter painter(&stretched);
            StretchBitmap(painter, rect, bitmap);
        }
        ExpectInkInPlace(printer.Pages.at(0), stretched, rect, c.Factor);
        // Many per page: the grid places the vector diagram where the bitmap went.
        const TPageGrid grid = ComputePageGrid(2480, 3508, c.Factor, board.Width(), board.Height(), header, footer);
        ASSERT_TRUE(grid.Fits);
        TImagePrinter many, manyBitmaps;
        TBatchPrinter vectors(many, grid, true), bitmaps(manyBitmaps, grid, true);
        ASSERT_TRUE(vectors.Print(vector, error) && bitmaps.Print(bitmap, error));  // the first place on the page
        ASSERT_TRUE(vectors.Print(vector, error) && bitmaps.Print(bitmap, error));
        ASSERT_TRUE(vectors.EndPage(error) && bitmaps.EndPage(error));
        TPagePlacement places(grid);
        const QRect first = *places.Place(), second = *places.Place();
        ExpectInkInPlace(many.Pages.at(0), manyBitmaps.Pages.at(0), first | second, c.Factor);
    }
}

// 300 real positions, 6 to an A4 page with captions and footers, as `vorlix batch` writes them.
TEST(VectorPrint, ABatchPdfHoldsOutlinesAndTextAndNoPictures) {
    const QString vorlix = QStringLiteral(VORLIX_BIN_DIR "/vorlix");
    if (!QFile::exists(vorlix)) GTEST_SKIP() << "vorlix not built";
    QTemporaryDir dir;
    const QString pdf = dir.filePath("wac.pdf");
    QProcess run;
    run.start(vorlix, {"batch", VORLIX_TEST_DATA_DIR "/wacnew.epd", "-o", pdf, "--per-page", "--scale", "250",
                       "--header", "id", "--footer", "bm", "--style", VORLIX_SOURCE_DIR "/resources/default.vxd"});
    ASSERT_TRUE(run.waitForFinished(120000));
    ASSERT_EQ(run.exitCode(), 0) << run.readAllStandardError().toStdString();
    EXPECT_TRUE(run.readAllStandardOutput().startsWith("300 diagrams written on 50 pages"));
    QFile file(pdf);
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    const QByteArray bytes = file.readAll();
    EXPECT_LT(bytes.size(), 1500 * 1024);
    EXPECT_EQ(bytes.count("/Subtype /Image"), 0);
    // The caption font and the pieces' outline font, each embedded once, with the
    // table that maps their glyphs back to text.
    EXPECT_EQ(bytes.count("/FontFile2"), 2);
    EXPECT_EQ(bytes.count("/BaseFont /VorlixOutlinePieces"), 2);  // the font and its glyph set
    EXPECT_GE(bytes.count("/ToUnicode"), 2);
    // The pieces read back as chess symbols, every kind once in the outline font's table.
    for (const char* symbol : {"<2654>", "<2655>", "<2656>", "<2657>", "<2658>", "<2659>", "<265A>", "<265B>", "<265C>",
                               "<265D>", "<265E>", "<265F>"})
        EXPECT_EQ(bytes.count(symbol), 1) << symbol;
}

}  // namespace
}  // namespace vorlix
