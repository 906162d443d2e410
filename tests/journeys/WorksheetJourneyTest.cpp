// Worksheets from the batch dialogs of the EPD and PGN viewers: the settings
// chosen in the dialog reach the PDF file, read back with pdftotext.
#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QDir>
#include <QFileDialog>
#include <QLabel>
#include <QLineEdit>
#include <QProcess>
#include <QPushButton>
#include <QRadioButton>
#include <QStandardPaths>
#include <QThread>
#include <QTimer>
#include <functional>

#include "batch/ui/EpdBatchDialog.h"
#include "batch/ui/PgnBatchDialog.h"
#include "batch/ui/WorksheetChoice.h"
#include "tests/common/EditorFixture.h"
#include "viewers/ui/EpdViewer.h"
#include "viewers/ui/PgnViewer.h"

using namespace vorlix;
using vorlix::test::EditorFixture;

namespace {

const QByteArray kArchive =
    "4k3/8/8/8/8/8/8/3K3R w K - bm Rh8; id \"alpha\";\n"
    "8/8/8/8/8/8/8/K6k b - - bm Kg7; id \"bravo\";\n"
    "r3k2r/8/8/8/8/8/8/R3K2R w KQkq - bm O-O; id \"charlie\";\n";
const QByteArray kGames =
    "[Event \"Club\"]\n[White \"Ann\"]\n[Black \"Bo\"]\n[Result \"*\"]\n\n1. e4 e5 2. Nf3 Nc6 *\n\n"
    "[Event \"Open\"]\n[White \"Cy\"]\n[Black \"Di\"]\n[Result \"*\"]\n\n1. d4 d5 *\n";

QString PdfText(const QString& pdf) {
    QProcess p;
    p.start("pdftotext", {"-raw", pdf, "-"});
    p.waitForFinished(30000);
    return QString::fromUtf8(p.readAllStandardOutput());
}

class WorksheetJourney : public EditorFixture {
protected:
    void SetUp() override {
        if (QStandardPaths::findExecutable("pdftotext").isEmpty()) GTEST_SKIP() << "pdftotext not installed";
        EditorFixture::SetUp();
        StartEditor();
    }

    // Opens the viewer's batch dialog, chooses the worksheet with the settings
    // that choose sets, answers the file dialog with name and starts the run.
    template <class T>
    QString Run(QPushButton& autoVorlix, const QString& name, std::function<void(T&, TWorksheetChoice&)> choose) {
        QString status;
        QTimer::singleShot(0, [&] {
            auto* dialog = qobject_cast<T*>(QApplication::activeModalWidget());
            if (!dialog) return;
            dialog->rbtWorksheet->click();
            EXPECT_TRUE(dialog->Worksheet->isEnabled());
            EXPECT_FALSE(dialog->rbtImageFile->isEnabled());
            choose(*dialog, *dialog->Worksheet);
            QTimer::singleShot(0, [name] {
                auto* files = qobject_cast<QFileDialog*>(QApplication::activeModalWidget());
                if (!files) return;
                files->findChild<QLineEdit*>("fileNameEdit")->setText(name);
                static_cast<QDialog*>(files)->accept();
            });
            dialog->btnStart->click();
            status = dialog->lblStatus->text();
            dialog->reject();
        });
        autoVorlix.click();
        answer = QMessageBox::No;
        return status;
    }
};

TEST_F(WorksheetJourney, TheEpdViewersTickedRecordsBecomeAWorksheetWithItsKey) {
    window->OpenChessFile(WriteFile("suite.epd", kArchive));
    auto* viewer = dynamic_cast<TEpdViewer*>(&window->EpdViewer());
    ASSERT_TRUE(viewer && viewer->isVisible());
    viewer->mnpAllClick();
    const QString status =
        Run<TEpdBatchDialog>(*viewer->btnAutoVorlix(), dir.filePath("sheet"), [](auto&, TWorksheetChoice& sheet) {
            EXPECT_EQ(sheet.edtCaption->text(), "{n}. {side} to move");
            sheet.cmbPerPage->setCurrentText("4");
            sheet.edtTitle->setText("Endings");
            sheet.edtCaption->setText("{n}) {id}: {side}");
        });
    ASSERT_EQ(status, "Done.");
    // The name without an extension became a PDF file.
    const QString text = PdfText(dir.filePath("sheet.pdf"));
    for (const char* line : {"Endings", "1) alpha: White", "2) bravo: Black", "3) charlie: White", "Answers", "1. Rh8",
                             "2. Kg7", "3. O-O"})
        EXPECT_TRUE(text.contains(line)) << line << "\n" << text.toStdString();
    EXPECT_LT(text.indexOf("3) charlie"), text.indexOf("Answers"));
}

// A custom header or footer that names caption fields is filled per record.
TEST_F(WorksheetJourney, TheEpdDialogsCustomTextIsACaptionTemplate) {
    window->OpenChessFile(WriteFile("suite.epd", kArchive));
    auto* viewer = dynamic_cast<TEpdViewer*>(&window->EpdViewer());
    ASSERT_TRUE(viewer && viewer->isVisible());
    viewer->mnpAllClick();
    answer = QMessageBox::Ok;  // the note on numbered file names
    QString status;
    QTimer::singleShot(0, [&] {
        auto* dialog = qobject_cast<TEpdBatchDialog*>(QApplication::activeModalWidget());
        if (!dialog) return;
        dialog->SetPacing(0);
        dialog->FooterButtons.Custom->click();
        dialog->FooterButtons.Text->setText("{n}. {side} to move");
        dialog->HeaderButtons.Custom->click();
        dialog->HeaderButtons.Text->setText("Plain {text}");
        QTimer::singleShot(0, [this] {
            auto* files = qobject_cast<QFileDialog*>(QApplication::activeModalWidget());
            if (!files) return;
            auto* types = files->findChild<QComboBox*>("fileTypeCombo");
            types->setCurrentIndex(4);  // SVG: its text is read back below
            emit types->textActivated(types->currentText());
            files->findChild<QLineEdit*>("fileNameEdit")->setText(dir.filePath("pos"));
            static_cast<QDialog*>(files)->accept();
        });
        dialog->btnStart->click();
        for (int i = 0; i < 3000 && dialog->lblStatus->text() != "Done."; ++i) {
            QApplication::processEvents();
            QThread::msleep(1);
        }
        status = dialog->lblStatus->text();
        dialog->reject();
    });
    viewer->btnAutoVorlix()->click();
    answer = QMessageBox::No;
    ASSERT_EQ(status, "Done.");
    const char* sides[] = {"White", "Black", "White"};
    for (int n = 1; n <= 3; ++n) {
        QFile svg(dir.filePath(QStringLiteral("pos%1.svg").arg(n, 3, 10, QLatin1Char('0'))));
        ASSERT_TRUE(svg.open(QIODevice::ReadOnly))
            << svg.fileName().toStdString() << " in "
            << QDir(dir.path()).entryList().join(QLatin1Char(0x20)).toStdString();
        const QString text = QString::fromUtf8(svg.readAll());
        EXPECT_TRUE(text.contains(QStringLiteral(">%1. %2 to move<").arg(n).arg(sides[n - 1]))) << n;
        EXPECT_TRUE(text.contains(">Plain {text}<")) << n;
    }
    // The editor's own lines are as they were.
    EXPECT_NE(window->Diagram().Footer.Text, "{n}. {side} to move");
}

TEST_F(WorksheetJourney, ThePgnViewersGamesBecomeAWorksheetOfTheirChosenPositions) {
    window->OpenChessFile(WriteFile("games.pgn", kGames));
    auto* viewer = dynamic_cast<TPgnViewer*>(&window->PgnViewer());
    ASSERT_TRUE(viewer && viewer->isVisible());
    viewer->findChild<QAction*>("mnpSelAll")->trigger();
    const QString status = Run<TPgnBatchDialog>(*viewer->btnAutoVorlix(), dir.filePath("games.pdf"),
                                                [](TPgnBatchDialog& dialog, TWorksheetChoice& sheet) {
                                                    dialog.rbtCustom->click();
                                                    dialog.edtPositionsStart->setText("2");
                                                    sheet.cmbPaper->setCurrentText("Letter");
                                                    sheet.edtCaption->setText("{n}. {white}-{black} after {lastmove}");
                                                });
    ASSERT_EQ(status, "Done.");
    const QString text = PdfText(dir.filePath("games.pdf"));
    for (const char* line :
         {"1. Ann-Bo after e4", "2. Cy-Di after d4", "Answers", "1. 1... e5 2. Nf3 Nc6", "2. 1... d5"})
        EXPECT_TRUE(text.contains(line)) << line << "\n" << text.toStdString();
}

}  // namespace
