#include <gtest/gtest.h>

#include <QAction>
#include <QApplication>
#include <QComboBox>
#include <QFile>
#include <QLabel>
#include <QPrinter>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>

#include "app/ui/MainWindow.h"
#include "app/ui/PrintCommands.h"
#include "app/ui/PrintPreview.h"
#include "print/PrintScaling.h"
#include "settings/Settings.h"
#include "settings/SettingsStore.h"
#include "tests/common/EditorFixture.h"

using namespace vorlix;

namespace {

TEST(PrintScaling, PrintRectangleAndPreviewGeometry) {
    EXPECT_EQ(PrintScaleFactor(4), 2.0f);
    EXPECT_EQ(PrintScaleCaption(9), "400 %");
    EXPECT_EQ(PrintRect(QSize(328, 328), 2.0f), QRect(10, 10, 656, 656));
    EXPECT_EQ(PrintRect(QSize(301, 100), 1.25f), QRect(10, 10, 377, 125));
    EXPECT_EQ(PreviewPictureSize(QSize(4800, 6600)), QSize(970, 1330));
    EXPECT_EQ(PreviewBitmapSize(QSize(4800, 6600)), QSize(960, 1320));
    // From (10, 10) to (67, 67), the right and bottom edges excluded.
    EXPECT_EQ(PreviewDiagramRect(QSize(328, 328), 1.0f), QRect(QPoint(10, 10), QPoint(66, 66)));
    EXPECT_EQ(PrintScaleIndexOfFactor(2.75f), 7);
    EXPECT_FALSE(PrintScaleIndexOfFactor(1.1f));
}

class PrintTest : public test::EditorFixture {
protected:
    void SetUp() override {
        EditorFixture::SetUp();
        answer = QMessageBox::Ok;
        StartEditor();
        commands = PrintCommandsOf(window.get());
        ASSERT_NE(commands, nullptr);
        commands->Printer().setOutputFormat(QPrinter::PdfFormat);
        commands->Printer().setOutputFileName(dir.filePath("print.pdf"));
    }
    QByteArray Printed() {
        QFile f(dir.filePath("print.pdf"));
        return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
    }

    TPrintCommands* commands = nullptr;
};

TEST_F(PrintTest, PrintCommandWritesThePageAndReports) {
    window->Item("mnuFilePrint")->trigger();
    EXPECT_EQ(messages, QStringList{"The diagram has been sent to the printer."});
    EXPECT_TRUE(Printed().startsWith("%PDF"));
}

TEST_F(PrintTest, NoPrinterIsReportedAndNothingClaimsSuccess) {
    commands->Printer().setOutputFileName(QString());
    window->Item("mnuFilePrint")->trigger();
    ASSERT_EQ(messages.size(), 1);
    EXPECT_TRUE(messages[0].contains("No printer")) << messages[0].toStdString();
}

TEST_F(PrintTest, PreviewChangesTheScaleAndPrintsItsImage) {
    window->Board().ClearBoard();
    bool checked = false;
    QTimer::singleShot(0, [&] {
        auto* preview = window->findChild<TPrintPreview*>();
        ASSERT_NE(preview, nullptr);
        EXPECT_EQ(preview->windowTitle(), "Print Preview");
        EXPECT_EQ(preview->cmbScaling()->currentIndex(), 4);  // 200 %
        const QSize page(commands->Printer().width(), commands->Printer().height());
        EXPECT_EQ(preview->imgPreview()->size(), PreviewPictureSize(page));
        const QImage atTwice = preview->PagePicture();
        preview->cmbScaling()->setCurrentIndex(0);
        EXPECT_NE(preview->PagePicture(), atTwice);  // redrawn at 100 %
        EXPECT_EQ(preview->PagePicture().pixelColor(5, 5), QColor(Qt::white));
        preview->spbPrintClick();
        checked = true;
        QTest::keyClick(preview, Qt::Key_Escape);
    });
    window->Item("mnuFilePreview")->trigger();
    EXPECT_TRUE(checked);
    EXPECT_EQ(settings->PrintScale, 0);
    EXPECT_TRUE(window->Item("mnuPrintScale0")->isChecked());
    EXPECT_EQ(messages, QStringList{"The diagram has been sent to the printer."});
    EXPECT_TRUE(Printed().startsWith("%PDF"));
}

}  // namespace
