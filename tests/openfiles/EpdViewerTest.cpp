#include <QApplication>
#include <QCheckBox>
#include <QDropEvent>
#include <QHeaderView>
#include <QLineEdit>
#include <QMimeData>
#include <QProcess>
#include <QPushButton>
#include <QTest>
#include <QTimer>
#include <QToolButton>
#include <QUrl>

#include "batch/ui/EpdBatchDialog.h"
#include "board/UndoList.h"
#include "files/EPD.h"
#include "tests/common/EditorFixture.h"
#include "viewers/EpdListModel.h"
#include "viewers/ui/EpdViewer.h"

using namespace vorlix;
using vorlix::test::EditorFixture;

namespace {

// Three positions; the second has lost its king from e1 but keeps the right.
const QByteArray kArchive =
    "rnbqkbnr/pppppppp/8/8/4P3/8/PPPP1PPP/RNBQKBNR b KQkq - bm e5; id \"Bravo\";\r\n"
    "4k3/8/8/8/8/8/8/3K3R w K - bm Rh8; id \"alpha\";\r\n"
    "8/8/8/8/8/8/8/K6k w - -; id \"Charlie\";\r\n";

class EpdViewerTest : public EditorFixture {
protected:
    void SetUp() override {
        EditorFixture::SetUp();
        file = WriteFile("Some.EPD", kArchive);
        StartEditor({file});
        viewer = window->findChild<TEpdViewer*>("frmEPD");
        ASSERT_NE(viewer, nullptr);
        ASSERT_TRUE(viewer->isVisible());
    }
    TEpdListView& List() { return *viewer->lvwEPD(); }
    QRect RowRect(int row, int column = TEpdListModel::colDescription) {
        return List().visualRect(viewer->ListModel().index(row, column));
    }
    void ClickRow(int row, int column = TEpdListModel::colDescription) {
        QTest::mouseClick(List().viewport(), Qt::LeftButton, {}, RowRect(row, column).center());
    }
    QString Column(int row, int column) {
        return viewer->ListModel().data(viewer->ListModel().index(row, column), Qt::DisplayRole).toString();
    }
    QStringList Descriptions() {
        QStringList texts;
        for (int row = 0; row < viewer->ListModel().rowCount(); ++row) texts << Column(row, 2);
        return texts;
    }
    int UndoCount() { return window->UndoList().Count(); }

    QString file;
    TEpdViewer* viewer = nullptr;
};

}  // namespace

TEST_F(EpdViewerTest, OpeningShowsTheViewerFilledAndHoldsTheOpenCommands) {
    EXPECT_EQ(viewer->windowTitle(), "EPD Archive: Some.EPD");  // as the user wrote it
    ASSERT_EQ(viewer->ListModel().rowCount(), 3);
    EXPECT_EQ(Column(0, 1), "1");
    EXPECT_EQ(Column(0, 2), "Bravo");
    EXPECT_EQ(Column(1, 3), "Rh8");
    EXPECT_EQ(viewer->CheckedPositionCount(), 0);
    EXPECT_TRUE(window->Opening());
    EXPECT_FALSE(window->Button("spbOpenFile")->isEnabled());
    EXPECT_EQ(settings->RecentEPD, QStringList{file});
    EXPECT_EQ(window->windowTitle(), "Chess Vorlix 2.21 - Untitled");
    EXPECT_EQ(viewer->lvwEPD()->columnWidth(0), 20);
    EXPECT_EQ(viewer->lvwEPD()->columnWidth(2), 90);

    // Dropped files are refused while the viewer holds its file.
    Drop("/tmp/other.pgn");
    EXPECT_EQ(messages, QStringList{"Cannot open:\n/tmp/other.pgn.\n\nPlease close the EPD window first."});
}

TEST_F(EpdViewerTest, SelectingARowPutsItOnTheBoardOnceWithOneUndoState) {
    const int before = UndoCount();
    ClickRow(2);
    EXPECT_EQ(window->Board().GetPiece(QPoint(0, 0)), 1);  // white king a1
    EXPECT_EQ(window->Board().GetPiece(QPoint(4, 0)), 0);
    EXPECT_EQ(UndoCount(), before + 1);
    EXPECT_EQ(window->windowTitle(), "Chess Vorlix 2.21 - Untitled*");
    EXPECT_EQ(viewer->edtGameInfo()->text(), "Charlie");

    window->Board().ClearBoard();
    ClickRow(2);  // the same row again
    EXPECT_EQ(window->Board().GetPiece(QPoint(0, 0)), 0);
    EXPECT_EQ(UndoCount(), before + 1);

    ClickRow(0);
    EXPECT_EQ(window->Board().GetPiece(QPoint(4, 3)), 6);  // white pawn e4
    EXPECT_EQ(UndoCount(), before + 2);
    EXPECT_FALSE(viewer->chkWhiteToMove()->isChecked());
}

TEST_F(EpdViewerTest, TickingABoxLeavesBoardAndSelectionAlone) {
    const auto codes = window->Board().Codes();
    ClickRow(1, TEpdListModel::colCheck);
    EXPECT_EQ(viewer->CheckedPositionCount(), 1);
    EXPECT_EQ(viewer->NextCheckedPosition(0), 1);
    EXPECT_EQ(viewer->NextCheckedPosition(2), -1);
    EXPECT_TRUE(List().selectionModel()->selectedRows().isEmpty());
    EXPECT_EQ(window->Board().Codes(), codes);

    viewer->mnpInvertClick();
    ASSERT_EQ(viewer->TickedRecords().size(), 2u);
    EXPECT_EQ(viewer->TickedRecords()[0]->Id, "Bravo");
    viewer->lvwEPDColumnClick(TEpdListModel::colNr);  // descending: list order follows
    EXPECT_EQ(viewer->TickedRecords()[0]->Id, "Charlie");
    viewer->mnpNoneClick();
    EXPECT_TRUE(viewer->NoPositionChecked());
}

TEST_F(EpdViewerTest, CastlingBoxesAreDisabledWithoutKingAndRookButShowTheRights) {
    ClickRow(1);
    EXPECT_TRUE(viewer->chkCastle(0)->isChecked());
    EXPECT_FALSE(viewer->chkCastle(0)->isEnabled());
    EXPECT_FALSE(viewer->chkCastle(1)->isEnabled());
    ClickRow(0);
    for (int i = 0; i < 4; ++i) EXPECT_TRUE(viewer->chkCastle(i)->isEnabled() && viewer->chkCastle(i)->isChecked());
}

TEST_F(EpdViewerTest, SortingTheSameColumnTwiceReversesIt) {
    viewer->lvwEPDColumnClick(TEpdListModel::colNr);
    EXPECT_EQ(Descriptions(), (QStringList{"Charlie", "alpha", "Bravo"}));
    viewer->lvwEPDColumnClick(TEpdListModel::colNr);
    EXPECT_EQ(Descriptions(), (QStringList{"Bravo", "alpha", "Charlie"}));
    QTest::mouseClick(List().horizontalHeader()->viewport(), Qt::LeftButton, {},
                      QPoint(List().horizontalHeader()->sectionViewportPosition(2) + 10, 5));
    EXPECT_EQ(Descriptions(), (QStringList{"alpha", "Bravo", "Charlie"}));  // first time ascending, any case
    EXPECT_EQ(Column(0, 1), "2");                                           // the numbers stay with their rows
    viewer->lvwEPDColumnClick(TEpdListModel::colCheck);
    EXPECT_EQ(Descriptions(), (QStringList{"alpha", "Bravo", "Charlie"}));
}

TEST_F(EpdViewerTest, ClosingWithoutChangesAsksNothing) {
    ClickRow(0);
    viewer->close();
    EXPECT_TRUE(messages.isEmpty());
    EXPECT_FALSE(viewer->isVisible());
    EXPECT_EQ(viewer->windowTitle(), "EPD Archive: ");
    EXPECT_FALSE(window->Opening());
    EXPECT_TRUE(window->Button("spbOpenFile")->isEnabled());
}

TEST_F(EpdViewerTest, CancellingTheSaveQuestionKeepsTheWindowWithItsEdits) {
    ClickRow(1);
    QTest::keyClicks(viewer->edtBestMove(), "x");
    EXPECT_EQ(Column(1, 3), "Rh8x");
    answer = QMessageBox::Cancel;
    viewer->close();
    EXPECT_EQ(messages, QStringList{"You have made some changes to the EPD file.\nDo you want to save these changes?"});
    EXPECT_TRUE(viewer->isVisible());
    EXPECT_TRUE(viewer->Modified());
    EXPECT_EQ(viewer->RecordOfRow(1)->BestMove, "Rh8x");
    EXPECT_TRUE(window->Opening());
}

TEST_F(EpdViewerTest, SavingOnCloseWritesTheEditsThatReadBack) {
    ClickRow(0);
    viewer->edtGameInfo()->selectAll();
    QTest::keyClicks(viewer->edtGameInfo(), "Renamed");
    QTest::mouseClick(viewer->chkWhiteToMove(), Qt::LeftButton);
    QTest::mouseClick(viewer->chkCastle(3), Qt::LeftButton);
    answer = QMessageBox::Yes;
    viewer->close();
    EXPECT_FALSE(viewer->isVisible());

    TEPD reread;
    ASSERT_TRUE(reread.LoadFromFile(QFile::encodeName(file).toStdString()));
    ASSERT_EQ(reread.Count(), 3);
    EXPECT_EQ(reread.First->Id, "Renamed");
    EXPECT_TRUE(reread.First->WhiteToMove);
    EXPECT_FALSE(reread.First->CastleBlackLong);
    QDir folder(dir.path());
    EXPECT_EQ(folder.entryList({"*.tmp", ".*.tmp", "*~"}, QDir::Files | QDir::Hidden).size(), 0);

    QProcess cli;
    cli.start(VORLIX_BIN_DIR "/vorlix", {"epd", file});
    ASSERT_TRUE(cli.waitForFinished(10000));
    EXPECT_TRUE(cli.readAllStandardOutput().contains(
        "rnbqkbnr/pppppppp/8/8/4P3/8/PPPP1PPP/RNBQKBNR w KQk - bm e5; id \"Renamed\";"));
}

TEST_F(EpdViewerTest, DeletingTheLastRowSelectsTheNewLastAndAnEmptyArchiveMayGo) {
    ClickRow(2);
    viewer->mnpDeleteClick();
    ASSERT_EQ(viewer->ListModel().rowCount(), 2);
    EXPECT_EQ(List().selectionModel()->selectedRows().first().row(), 1);
    EXPECT_EQ(viewer->edtGameInfo()->text(), "alpha");
    ClickRow(0);
    List().setFocus();
    QTest::keyClick(&List(), Qt::Key_Delete);
    ASSERT_EQ(viewer->ListModel().rowCount(), 1);
    EXPECT_EQ(Column(0, 1), "2");  // not renumbered
    viewer->mnpDeleteClick();
    EXPECT_EQ(viewer->ListModel().rowCount(), 0);
    EXPECT_EQ(viewer->EPD().Count(), 0);

    answer = QMessageBox::Yes;
    viewer->close();
    EXPECT_EQ(messages,
              QStringList{"You have deleted all positions from the \nEPD archive. Do you want to delete the file?"});
    EXPECT_FALSE(QFile::exists(file));
    EXPECT_TRUE(settings->RecentEPD.isEmpty());
}

TEST_F(EpdViewerTest, AutoVorlixNeedsPositionsAndTicksAndGivesTheBoardBack) {
    viewer->btnAutoVorlix()->click();
    EXPECT_EQ(messages, QStringList{"There are no EPD positions selected for auto-capturing...\n"
                                    "You can select positions by clicking the boxes in the list."});
    viewer->mnpAllClick();
    const auto codes = window->Board().Codes();
    messages.clear();
    bool opened = false;
    QTimer::singleShot(0, [&] {
        // The batch dialog is modal: close it again.
        for (QWidget* w : QApplication::topLevelWidgets())
            if (auto* dialog = qobject_cast<TEpdBatchDialog*>(w)) {
                opened = true;
                dialog->reject();
            }
    });
    viewer->btnAutoVorlix()->click();
    EXPECT_TRUE(opened);
    EXPECT_TRUE(messages.isEmpty());
    EXPECT_EQ(window->Board().Codes(), codes);
}

TEST_F(EpdViewerTest, ColumnWidthsAreKeptAndOutOfRangeValuesIgnored) {
    viewer->lvwEPD()->setColumnWidth(2, 150);
    window.reset();  // the viewer goes with the main window and writes its widths
    EXPECT_EQ(store->ReadInteger(kViewerColsKey, "EPDCol2"), 150);
    store->WriteInteger(kViewerColsKey, "EPDCol1", 800);
    store->WriteInteger(kViewerColsKey, "EPDCol3", 0);
    StartEditor();
    auto* again = window->findChild<TEpdViewer*>("frmEPD");
    EXPECT_EQ(again->lvwEPD()->columnWidth(1), 32);
    EXPECT_EQ(again->lvwEPD()->columnWidth(2), 150);
    EXPECT_EQ(again->lvwEPD()->columnWidth(3), 70);
}

TEST_F(EpdViewerTest, AFailedSaveKeepsTheWindowOpenWithItsEditsAndLeavesNoTemporaryFile) {
    ClickRow(0);
    QTest::keyClicks(viewer->edtBestMove(), "!");
    // Something that cannot be replaced by a file now stands where the archive was.
    ASSERT_TRUE(QFile::remove(file));
    ASSERT_TRUE(QDir().mkdir(file));
    answer = QMessageBox::Yes;
    viewer->close();
    ASSERT_EQ(messages.size(), 2);
    EXPECT_TRUE(messages[1].startsWith(file + ": "));
    EXPECT_TRUE(messages[1].endsWith("The file was not changed."));
    EXPECT_TRUE(viewer->isVisible());
    EXPECT_TRUE(viewer->Modified());
    EXPECT_EQ(viewer->RecordOfRow(0)->BestMove, "e5!");
    EXPECT_EQ(QDir(dir.path()).entryList(QDir::Files | QDir::Hidden | QDir::NoDotAndDotDot),
              (QStringList{"default.vxd", "settings.ini"}));
    answer = QMessageBox::No;
    viewer->close();
    EXPECT_FALSE(viewer->isVisible());
}
