// Printing the diagram from the editor, straight away and from the preview,
// into a PDF file chosen as the printer: the page holds the diagram as
// outlines and text, never as a picture, wherever the print scale puts it.
#include <gtest/gtest.h>

#include <QComboBox>
#include <QFile>
#include <QPrinter>
#include <QTimer>

#include "app/ui/PrintCommands.h"
#include "app/ui/PrintPreview.h"
#include "print/PrintScaling.h"
#include "tests/common/EditorFixture.h"

using namespace vorlix;

namespace {

class PrintJourney : public test::EditorFixture {
protected:
    void SetUp() override {
        EditorFixture::SetUp();
        answer = QMessageBox::Ok;
        StartEditor();
        commands = PrintCommandsOf(window.get());
        ASSERT_NE(commands, nullptr);
        commands->Printer().setOutputFormat(QPrinter::PdfFormat);
    }
    // Prints through the given command into a file of its own and returns the file's bytes.
    QByteArray PrintInto(const QString& name, const std::function<void()>& command) {
        commands->Printer().setOutputFileName(dir.filePath(name));
        messages.clear();
        command();
        EXPECT_EQ(messages, QStringList{"The diagram has been sent to the printer."});
        QFile f(dir.filePath(name));
        return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
    }
    static void ExpectVectorPage(const QByteArray& pdf) {
        ASSERT_TRUE(pdf.startsWith("%PDF"));
        EXPECT_EQ(pdf.count("/Type /Page") - pdf.count("/Type /Pages"), 1);
        EXPECT_EQ(pdf.count("/Subtype /Image"), 0);                  // no raster of the board
        EXPECT_EQ(pdf.count("/BaseFont /VorlixOutlinePieces0"), 2);  // the pieces, as outline glyphs
        EXPECT_GE(pdf.count("/FontFile2"), 2);                       // and the header's font
    }

    TPrintCommands* commands = nullptr;
};

TEST_F(PrintJourney, TheDiagramGoesOnPaperAsOutlinesFromThePrintCommandAndThePreview) {
    window->Board().SetStartPosition();
    window->Diagram().Header = THeaderFooterInfo{true, "Printed as text", taCenter};
    ExpectVectorPage(PrintInto("print.pdf", [&] { window->Item("mnuFilePrint")->trigger(); }));
    EXPECT_FALSE(window->Board().SelectedCount());

    // The preview draws the page picture from the same drawing and prints it at the scale chosen there.
    QImage atFourHundred;
    QByteArray fromPreview;
    QTimer::singleShot(0, [&] {
        auto* preview = window->findChild<TPrintPreview*>();
        ASSERT_NE(preview, nullptr);
        preview->cmbScaling()->setCurrentIndex(*PrintScaleIndexOfPercent(400));
        atFourHundred = preview->PagePicture();
        fromPreview = PrintInto("preview.pdf", [&] { preview->spbPrintClick(); });
        preview->reject();
    });
    window->Item("mnuFilePreview")->trigger();
    ExpectVectorPage(fromPreview);
    // Ink within the print rectangle at a fifth of the printer's pixels, filling most of it
    // (the white coordinate band and the header's line spacing are not ink).
    QRect inked;
    for (int y = 0; y < atFourHundred.height(); ++y)
        for (int x = 0; x < atFourHundred.width(); ++x)
            if (qGray(atFourHundred.pixel(x, y)) < 250) inked |= QRect(x, y, 1, 1);
    const QRect expected = PreviewDiagramRect(commands->Diagram().Size, 4.0f);
    EXPECT_TRUE(expected.adjusted(-1, -1, 1, 1).contains(inked)) << inked.width() << "x" << inked.height();
    EXPECT_GE(inked.width(), expected.width() * 9 / 10);
    EXPECT_GE(inked.height(), expected.height() * 9 / 10);
}

}  // namespace
