#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include "print/BatchPrinter.h"
#include "print/PdfPrintTarget.h"
#include "tests/common/ImagePrintTarget.h"

namespace vorlix {
namespace {

// Records the jobs and what was drawn where.
class TFakePrinter : public TImagePrintTarget {
public:
    TFakePrinter() : TImagePrintTarget({2400, 3000}) {}
};

QImage Diagram(QColor color) {
    QImage image(100, 100, QImage::Format_RGB32);
    image.fill(color);
    return image;
}

TEST(BatchPrinter, ManyPerPageFillsPagesAndStartsNewOnes) {
    TFakePrinter printer;
    const TPageGrid grid = ComputePageGridForSize(2400, 3000, 5.0f, 100, 100);  // 500 x 500: 4 x 5 per page
    TBatchPrinter batch(printer, grid, true);
    std::string error;
    for (int i = 0; i < 21; ++i) ASSERT_TRUE(batch.Print(Diagram(Qt::red), error));
    ASSERT_TRUE(batch.EndPage(error));
    ASSERT_EQ(printer.Pages.size(), 2u);
    EXPECT_EQ(printer.Titles[0], "Chess Vorlix");
    EXPECT_EQ(printer.Pages[0].pixelColor(40, 60), QColor(Qt::red));
    EXPECT_EQ(printer.Pages[0].pixelColor(539, 559), QColor(Qt::red));
    EXPECT_EQ(printer.Pages[0].pixelColor(540, 560), QColor(Qt::white));
    EXPECT_EQ(printer.Pages[1].pixelColor(40, 60), QColor(Qt::red));
    EXPECT_EQ(printer.Pages[1].pixelColor(40 + 500 + grid.ColumnGap, 60), QColor(Qt::white));
    EXPECT_TRUE(batch.EndPage(error));  // nothing open: no empty page
    EXPECT_EQ(printer.Pages.size(), 2u);
}

TEST(BatchPrinter, OnePerJobAndAFailingPrinter) {
    TFakePrinter printer;
    const TPageGrid grid = ComputePageGridForSize(2400, 3000, 2.0f, 100, 100);
    TBatchPrinter batch(printer, grid, false);
    std::string error;
    ASSERT_TRUE(batch.Print(Diagram(Qt::blue), error));
    ASSERT_TRUE(batch.Print(Diagram(Qt::blue), error));
    EXPECT_EQ(printer.Pages.size(), 2u);
    EXPECT_EQ(printer.Pages[1].pixelColor(239, 259), QColor(Qt::blue));
    EXPECT_EQ(printer.Pages[1].pixelColor(240, 260), QColor(Qt::white));
    printer.FailAt = 3;
    EXPECT_FALSE(batch.Print(Diagram(Qt::blue), error));
    EXPECT_EQ(error, "printer jammed");
}

TEST(PdfPrintTarget, JobsBecomePagesOfOneFile) {
    QTemporaryDir dir;
    const QString file = dir.filePath("out.pdf");
    {
        TPdfPrintTarget pdf(file);
        EXPECT_EQ(pdf.PageSize(), QSize(2479, 3508));  // A4 (595 x 842 points) at 300 dpi
        const TPageGrid grid = ComputePageGridForSize(2480, 3508, 2.0f, 328, 328);
        TBatchPrinter batch(pdf, grid, true);
        std::string error;
        for (int i = 0; i < 30; ++i) ASSERT_TRUE(batch.Print(Diagram(Qt::green), error));
        ASSERT_TRUE(batch.EndPage(error));
        EXPECT_EQ(pdf.PageCount(), 3);  // 656-pixel diagrams: three across, four down
        ASSERT_TRUE(pdf.Finish(error)) << error;
    }
    QFile f(file);
    ASSERT_TRUE(f.open(QIODevice::ReadOnly));
    const QByteArray bytes = f.readAll();
    EXPECT_TRUE(bytes.startsWith("%PDF"));
    EXPECT_EQ(bytes.count("/Type /Page") - bytes.count("/Type /Pages"), 3);
    EXPECT_EQ(QDir(dir.path()).entryList(QDir::Files), QStringList{"out.pdf"});  // no temporary left
}

}  // namespace
}  // namespace vorlix
