#include <gtest/gtest.h>

#include <QLabel>
#include <QTableWidget>
#include <QTest>
#include <QToolButton>
#include <QTreeView>
#include <fstream>

#include "FakeHost.h"
#include "files/PGNPos.h"
#include "viewers/GameListModel.h"
#include "viewers/MoveGrid.h"
#include "viewers/ui/MoveListWindow.h"
#include "viewers/ui/PgnViewer.h"

using namespace vorlix;

namespace {

class MoveList : public ::testing::Test {
protected:
    void Open(const std::string& tags, const std::string& moves) {
        const QString path = Host.Dir.filePath("game.pgn");
        std::ofstream(path.toStdString(), std::ios::binary) << tags << "\n" << moves << "\n";
        Viewer = std::make_unique<TPgnViewer>(Host);
        ASSERT_TRUE(Viewer->LoadArchive(path));
        Viewer->ShowArchive();
        Grid = Viewer->MoveList()->sgrMoves();
    }
    QString Text(int row, int column) { return Grid->item(row - 1, column)->text(); }
    void ClickCell(int row, int column) {
        const QRect r = Grid->visualItemRect(Grid->item(row - 1, column));
        Grid->setFocus();
        QTest::mouseClick(Grid->viewport(), Qt::LeftButton, {}, r.center());
    }

    TFakeHost Host;
    std::unique_ptr<TPgnViewer> Viewer;
    QTableWidget* Grid = nullptr;
};

}  // namespace

TEST_F(MoveList, ThreeMovesGiveThreeRowsWithTheResultAfterTheLastMove) {
    Open("[Result \"1-0\"]\n", "1. e4 e5 2. Nf3 1-0");
    EXPECT_EQ(Viewer->MoveList()->Grid().Rows.size(), 3u);
    EXPECT_EQ(Grid->rowCount(), 2);
    EXPECT_EQ(Grid->horizontalHeaderItem(0)->text(), "Nr.");
    EXPECT_EQ(Text(1, 0), "1.");
    EXPECT_EQ(Text(1, 1), "e4");
    EXPECT_EQ(Text(1, 2), "e5");
    EXPECT_EQ(Text(2, 0), "2.");
    EXPECT_EQ(Text(2, 1), "Nf3");
    EXPECT_EQ(Text(2, 2), "1-0");
    EXPECT_TRUE(Grid->isEnabled());
    EXPECT_EQ(Grid->currentRow(), 0);
    EXPECT_EQ(Grid->currentColumn(), 1);

    // The selection follows the replay; a click jumps the replay.
    QTest::mouseClick(Viewer->spbEnd(), Qt::LeftButton);
    EXPECT_EQ(Grid->currentRow(), 1);
    EXPECT_EQ(Grid->currentColumn(), 1);
    const int changes = Host.Changes;
    ClickCell(1, 2);
    EXPECT_EQ(Viewer->Chain().CurrentIndex(), 2);
    EXPECT_EQ(Viewer->lblMove()->text(), "1... e5");
    EXPECT_EQ(Host.BoardModel.GetPiece({4, 4}), pcBPawn);
    EXPECT_EQ(Host.Changes, changes + 1);

    // Arrow keys wrap between the rows.
    QTest::keyClick(Grid, Qt::Key_Right);
    EXPECT_EQ(Grid->currentRow(), 1);
    EXPECT_EQ(Grid->currentColumn(), 1);
    EXPECT_EQ(Viewer->Chain().CurrentIndex(), 3);
    QTest::keyClick(Grid, Qt::Key_Left);
    EXPECT_EQ(Grid->currentRow(), 0);
    EXPECT_EQ(Grid->currentColumn(), 2);

    // A right-button press toggles the highlight of the focused cell.
    const bool highlighted = Viewer->MoveList()->FocusedCellHighlighted();
    QTest::mousePress(Grid->viewport(), Qt::RightButton, {}, QPoint(5, 5));
    EXPECT_NE(Viewer->MoveList()->FocusedCellHighlighted(), highlighted);
}

TEST_F(MoveList, AGameThatStartsWithBlackShowsDotsFirst) {
    Open("[SetUp \"1\"]\n[FEN \"4k3/8/8/8/8/8/4P3/4K3 b - - 0 12\"]\n[Result \"*\"]\n", "12... Kd7 13. e4 *");
    EXPECT_EQ(Text(1, 0), "12.");
    EXPECT_EQ(Text(1, 1), "...");
    EXPECT_EQ(Text(1, 2), "Kd7");
    EXPECT_EQ(Text(2, 1), "e4");
    EXPECT_EQ(Text(2, 2), "*");
    EXPECT_EQ(Viewer->lblMove()->text(), "-");
    ClickCell(1, 2);
    EXPECT_EQ(Viewer->Chain().CurrentIndex(), 1);
    EXPECT_EQ(Viewer->lblMove()->text(), "12... Kd7");
}

TEST_F(MoveList, WithoutAGameTheGridIsDisabledAndEmpty) {
    Open("[Result \"*\"]\n", "1. e4 *");
    Viewer->CloseArchive();
    EXPECT_FALSE(Grid->isEnabled());
    EXPECT_EQ(Grid->rowCount(), 0);
    EXPECT_EQ(Grid->horizontalHeaderItem(0)->text(), "Nr.");
}

TEST(MoveGridCells, MapPositionsToCellsBothWays) {
    EXPECT_EQ(CellOfPosition(0, true).Row, 1);
    EXPECT_EQ(CellOfPosition(0, true).Col, 1);
    EXPECT_EQ(CellOfPosition(2, true).Col, 2);
    EXPECT_EQ(CellOfPosition(3, true).Row, 2);
    EXPECT_EQ(CellOfPosition(1, false).Col, 2);
    for (bool whiteFirst : {true, false})
        for (int index = 1; index < 30; ++index)
            EXPECT_EQ(PositionOfCell(CellOfPosition(index, whiteFirst), whiteFirst), index);
}

TEST(MoveListPlacement, RightOfTheViewerThenLeftThenCentred) {
    const QRect screen(0, 0, 1600, 1000);
    EXPECT_EQ(MoveListPlace({100, 100, 600, 300}, {200, 300}, screen), QPoint(700, 100));
    EXPECT_EQ(MoveListPlace({1200, 100, 300, 300}, {200, 300}, screen), QPoint(1000, 100));
    EXPECT_EQ(MoveListPlace({50, 100, 1500, 300}, {200, 300}, screen), QPoint(700, 100));
    // Kept between the screen top and 40 pixels above its bottom.
    EXPECT_EQ(MoveListPlace({100, -200, 600, 300}, {200, 400}, screen).y(), 0);
    EXPECT_EQ(MoveListPlace({100, 900, 600, 100}, {200, 400}, screen).y(), 560);
}

TEST_F(MoveList, AClickOnTheFirstMoveRightAfterLoadingGoesThere) {
    Open("[Result \"*\"]\n", "1. e4 e5 *");
    // Loaded: the board shows the start, the first move's cell is current already.
    ASSERT_EQ(Viewer->Chain().CurrentIndex(), 0);
    ASSERT_EQ(Grid->currentRow(), 0);
    ASSERT_EQ(Grid->currentColumn(), 1);
    const int changes = Host.Changes;
    ClickCell(1, 1);
    EXPECT_EQ(Viewer->Chain().CurrentIndex(), 1);
    EXPECT_EQ(Viewer->lblMove()->text(), "1. e4");
    EXPECT_EQ(Host.BoardModel.GetPiece({4, 3}), pcWPawn);
    EXPECT_EQ(Host.Changes, changes + 1);
    // There already: a second click changes nothing, not even the undo history.
    ClickCell(1, 1);
    EXPECT_EQ(Viewer->Chain().CurrentIndex(), 1);
    EXPECT_EQ(Host.Changes, changes + 1);
    // The result's cell stands for the last position.
    ClickCell(2, 1);
    EXPECT_EQ(Viewer->Chain().CurrentIndex(), 2);
    ClickCell(2, 1);
    EXPECT_EQ(Host.Changes, changes + 2);
}
