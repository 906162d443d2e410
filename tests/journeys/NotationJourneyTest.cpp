// The move list in another notation, through the real main window: the PGN
// viewer's "PGN Print Layout" dialog sets "Notation"; the move list, the
// last-move label and the printed move list follow at once, and the choice is
// kept for the next start.
#include <QApplication>
#include <QComboBox>
#include <QLabel>
#include <QPrinter>
#include <QProcess>
#include <QPushButton>
#include <QStandardPaths>
#include <QTableWidget>
#include <QTimer>
#include <QToolButton>

#include "tests/common/EditorFixture.h"
#include "viewers/PgnViewerSettings.h"
#include "viewers/ui/MoveListWindow.h"
#include "viewers/ui/PgnPrintDialog.h"
#include "viewers/ui/PgnViewer.h"

using namespace vorlix;
using vorlix::test::EditorFixture;

namespace {

const QString kGame = QStringLiteral(VORLIX_TEST_DATA_DIR "/notation-40-moves.pgn");

class NotationJourney : public EditorFixture {
protected:
    TPgnViewer& Viewer() { return dynamic_cast<TPgnViewer&>(window->PgnViewer()); }
    QString Cell(int row, int column) {
        const QTableWidgetItem* item = Viewer().MoveList()->sgrMoves()->item(row, column);
        return item ? item->text() : QString();
    }
    // Chooses a notation in the layout dialog of the move list's menu and confirms it.
    void ChooseNotation(int index) {
        QTimer::singleShot(0, [index] {
            auto* dialog = qobject_cast<TPgnPrintDialog*>(QApplication::activeModalWidget());
            if (!dialog) return;
            dialog->cbxNotation()->setCurrentIndex(index);
            dialog->findChild<QPushButton*>("btnOK")->click();
        });
        Viewer().MoveList()->mnuLayout()->trigger();
    }
};

}  // namespace

TEST_F(NotationJourney, TheMoveListItsLabelAndItsPrintFollowTheNotationAndKeepIt) {
    StartEditor();
    window->OpenChessFile(kGame);
    // As written in the file, until the user chooses otherwise.
    EXPECT_EQ(Cell(1, 1), "Nc3");
    EXPECT_EQ(Cell(34, 1), "f8=Q");

    Viewer().spbFForward()->click();  // eight half-moves: after 4... Bxf3
    QApplication::processEvents();
    ASSERT_EQ(Viewer().lblMove()->text(), "4... Bxf3");
    ChooseNotation(static_cast<int>(TNotation::German));
    EXPECT_EQ(Cell(1, 1), "Sc3");
    EXPECT_EQ(Cell(2, 2), "Lg4");
    EXPECT_EQ(Cell(18, 2), "O-O-O");
    EXPECT_EQ(Cell(34, 1), "f8=D");
    EXPECT_EQ(Cell(39, 1), "Df1+");
    EXPECT_EQ(Cell(39, 2), "1-0");
    EXPECT_EQ(Viewer().lblMove()->text(), "4... Lxf3");  // the replay stayed where it was

    // The printed move list is the one shown.
    const QString pdf = dir.filePath("moves.pdf");
    {
        QPrinter printer(QPrinter::HighResolution);
        printer.setOutputFormat(QPrinter::PdfFormat);
        printer.setOutputFileName(pdf);
        Viewer().MoveList()->PrintGame(printer);
    }
    if (!QStandardPaths::findExecutable("pdftotext").isEmpty()) {
        QProcess text;
        text.start("pdftotext", {pdf, "-"});
        ASSERT_TRUE(text.waitForFinished(30000));
        const QString printed = QString::fromUtf8(text.readAllStandardOutput());
        EXPECT_TRUE(printed.contains("Sc3")) << printed.toStdString();
        EXPECT_TRUE(printed.contains("f8=D")) << printed.toStdString();
        EXPECT_FALSE(printed.contains("Nc3")) << printed.toStdString();
    }

    // Figurines, then the choice outlives the editor.
    ChooseNotation(static_cast<int>(TNotation::Figurine));
    EXPECT_EQ(Cell(1, 1), QString::fromUtf8("\xE2\x99\x98"
                                            "c3"));
    window.reset();
    EXPECT_EQ(store->ReadInteger(kPGNLayoutKey, "Notation"), static_cast<int>(TNotation::Figurine));
    StartEditor();
    window->OpenChessFile(kGame);
    EXPECT_EQ(Cell(2, 1), QString::fromUtf8("\xE2\x99\x98"
                                            "f3"));
    ChooseNotation(static_cast<int>(TNotation::AsWritten));
    EXPECT_EQ(Cell(2, 1), "Nf3");
}
