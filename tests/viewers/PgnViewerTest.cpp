#include <gtest/gtest.h>

#include <QApplication>
#include <QCheckBox>
#include <QFileInfo>
#include <QHeaderView>
#include <QLabel>
#include <QProgressDialog>
#include <QPushButton>
#include <QSlider>
#include <QTableView>
#include <QTableWidget>
#include <QTest>
#include <QTimer>
#include <QToolButton>
#include <fstream>

#include "FakeHost.h"
#include "batch/BatchSources.h"
#include "files/PGNRecord.h"
#include "viewers/GameListModel.h"
#include "viewers/ui/GameListView.h"
#include "viewers/ui/GameLoading.h"
#include "viewers/ui/MoveListWindow.h"
#include "viewers/ui/PgnViewer.h"

using namespace vorlix;

namespace {

std::string Game(const std::string& white, const std::string& black, const std::string& moves,
                 const std::string& extraTags = "") {
    return "[Event \"E\"]\n[White \"" + white + "\"]\n[Black \"" + black + "\"]\n[Result \"*\"]\n" + extraTags + "\n" +
           moves + " *\n\n";
}

// Ten moves of White and Black: 21 positions.
const std::string kTwentyPlies =
    "1. e4 e5 2. Nf3 Nc6 3. Bb5 a6 4. Ba4 Nf6 5. O-O Be7 6. Re1 b5 7. Bb3 d6 8. c3 O-O 9. h3 Nb8 10. d4 Nbd7";

class PGNViewer : public ::testing::Test {
protected:
    void Open(const std::string& text) {
        Path = Host.Dir.filePath("games.pgn");
        std::ofstream(Path.toStdString(), std::ios::binary) << text;
        Viewer = std::make_unique<TPgnViewer>(Host);
        ASSERT_TRUE(Viewer->LoadArchive(Path));
        Viewer->ShowArchive();
    }
    void ClickHeader(int column) {
        QHeaderView* header = Viewer->lvwPGN()->horizontalHeader();
        const int x = header->sectionViewportPosition(column) + header->sectionSize(column) / 2;
        QTest::mouseClick(header->viewport(), Qt::LeftButton, {}, QPoint(x, header->height() / 2));
    }
    QString Cell(int row, int column) { return Viewer->Model().index(row, column).data().toString(); }
    void Click(QToolButton* button) { QTest::mouseClick(button, Qt::LeftButton); }

    TFakeHost Host;
    QString Path;
    std::unique_ptr<TPgnViewer> Viewer;
};

}  // namespace

TEST_F(PGNViewer, ShowsTheGamesAndLoadsTheFirst) {
    Open(Game("Anna", "Bert", "1. e4 e5") + Game("Cleo", "Dora", "1. d4"));
    EXPECT_EQ(Viewer->windowTitle(), "PGN Archive: " + QFileInfo(Path).fileName());
    EXPECT_EQ(Viewer->Model().rowCount(), 2);
    EXPECT_EQ(Cell(1, gcNumber), "2");
    EXPECT_EQ(Cell(1, gcFirstTag), "Cleo");
    EXPECT_EQ(Viewer->LoadedRow(), 0);
    EXPECT_EQ(Host.Sounds, std::vector<QString>{"chirt.wav"});
    EXPECT_EQ(Viewer->lblMove()->text(), "-");
    EXPECT_FALSE(Viewer->spbBack()->isEnabled());
    EXPECT_TRUE(Viewer->spbForward()->isEnabled());
    EXPECT_TRUE(Viewer->MoveList()->isVisible());
    EXPECT_EQ(Viewer->ReplayTimer()->interval(), 1500);
    EXPECT_EQ(Host.BoardModel.GetPiece({4, 1}), pcWPawn);

    // Choosing the second game loads it; its first move reaches the board.
    Viewer->lvwPGN()->setCurrentIndex(Viewer->Model().index(1, gcNumber));
    EXPECT_EQ(Viewer->LoadedRow(), 1);
    Click(Viewer->spbForward());
    EXPECT_EQ(Viewer->lblMove()->text(), "1. d4");
    EXPECT_EQ(Host.BoardModel.GetPiece({3, 3}), pcWPawn);
    EXPECT_EQ(Host.BoardModel.GetPiece({3, 1}), pcEmpty);
}

TEST_F(PGNViewer, SparseEcoAndEloColumnsAreHiddenByTheQuarterRule) {
    for (int withEco : {20, 26}) {
        std::string text;
        for (int i = 0; i < 100; ++i)
            text +=
                Game("W", "B", "1. e4", (i < withEco ? "[ECO \"C20\"]\n" : "") + std::string("[WhiteElo \"2100\"]\n"));
        Open(text);
        EXPECT_EQ(Viewer->lvwPGN()->isColumnHidden(gcECO), withEco == 20) << withEco;
        EXPECT_FALSE(Viewer->lvwPGN()->isColumnHidden(gcEloWhite));
        EXPECT_TRUE(Viewer->lvwPGN()->isColumnHidden(gcEloBlack));
    }
}

TEST_F(PGNViewer, ClickingAColumnTwiceReversesItsSort) {
    Open(Game("bert", "Z", "1. e4") + Game("Anna", "Y", "1. d4") + Game("Cleo", "X", "1. c4"));
    // "Nr." counts as sorted ascending when the window shows, so its first click sorts descending.
    ClickHeader(gcNumber);
    EXPECT_EQ(Cell(0, gcNumber), "3");
    ClickHeader(gcFirstTag);
    EXPECT_EQ(Cell(0, gcFirstTag), "Anna");
    EXPECT_EQ(Cell(1, gcFirstTag), "bert");
    ClickHeader(gcFirstTag);
    EXPECT_EQ(Cell(0, gcFirstTag), "Cleo");
    EXPECT_EQ(Cell(2, gcFirstTag), "Anna");
    ClickHeader(gcFirstTag + 1);  // "Black" ascending
    EXPECT_EQ(Cell(0, gcFirstTag + 1), "X");
    EXPECT_FALSE(Viewer->Model().SortColumn() != gcFirstTag + 1 || !Viewer->Model().SortAscending());
    // The loaded game stays selected wherever it went.
    EXPECT_EQ(Viewer->lvwPGN()->currentIndex().row(), Viewer->LoadedRow());
    EXPECT_EQ(Cell(Viewer->LoadedRow(), gcFirstTag), "bert");
    ClickHeader(gcNumber);
    EXPECT_EQ(Cell(0, gcNumber), "1");
    ClickHeader(gcCheck);
    EXPECT_EQ(Cell(0, gcNumber), "1");
}

TEST_F(PGNViewer, ClickingACheckBoxChecksItsGameAndKeysMoveTheChoice) {
    Open(Game("Anna", "Bert", "1. e4") + Game("Cleo", "Dora", "1. d4") + Game("Emil", "Fred", "1. c4"));
    Viewer->show();
    TGameListView* list = Viewer->lvwPGN();
    const QRect box = list->visualRect(Viewer->Model().index(1, gcCheck));
    QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, box.center());
    EXPECT_TRUE(Viewer->Model().Checked(1));
    EXPECT_EQ(Viewer->CheckedGameCount(), 1);
    QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, box.center());
    EXPECT_EQ(Viewer->CheckedGameCount(), 0);
    list->setFocus();
    QTest::keyClick(list, Qt::Key_Down);
    QTest::keyClick(list, Qt::Key_Down);
    EXPECT_EQ(Viewer->LoadedRow(), 2);
    EXPECT_EQ(Viewer->LoadedGame().White, "Emil");
    QTest::keyClick(list, Qt::Key_Right);  // scrolls, the game stays
    EXPECT_EQ(Viewer->LoadedRow(), 2);
    QTest::keyClick(list, Qt::Key_Home);
    EXPECT_EQ(Viewer->LoadedRow(), 0);
    QTest::keyClick(list, Qt::Key_End);
    EXPECT_EQ(Viewer->LoadedRow(), 2);
}

TEST_F(PGNViewer, SortingKeepsTheOrderOfGamesWithTheSameValueIgnoringCase) {
    Open(Game("b", "1", "1. e4") + Game("A", "2", "1. e4") + Game("B", "3", "1. e4") + Game("a", "4", "1. e4") +
         Game("\xc3\x84rni", "5", "1. e4") + Game("\xc3\xa4rni", "6", "1. e4"));
    auto blacks = [&] {
        QString order;
        for (int row = 0; row < Viewer->Model().rowCount(); ++row) order += Cell(row, gcFirstTag + 1);
        return order;
    };
    ClickHeader(gcFirstTag);
    EXPECT_EQ(blacks(), "241356");
    ClickHeader(gcFirstTag);  // the same values stay in the order they had
    EXPECT_EQ(blacks(), "561324");
    uint32_t ranks = 0;
    const std::vector<uint32_t> rankOf = RankTagValues(Viewer->Games(), TPGNTag::White, ranks);
    EXPECT_EQ(ranks, 9u);  // White and Black share their values: six digits, then a, b and ärni
    EXPECT_EQ(rankOf[Viewer->Games().TagId(0, TPGNTag::White)], rankOf[Viewer->Games().TagId(2, TPGNTag::White)]);
    EXPECT_EQ(rankOf[Viewer->Games().TagId(4, TPGNTag::White)], 8u);
}

TEST_F(PGNViewer, FastForwardNeedsEightPositionsAndLandsOnTheLast) {
    Open(Game("W", "B", kTwentyPlies));
    for (int i = 0; i < 12; ++i) Click(Viewer->spbForward());
    EXPECT_EQ(Viewer->Chain().StepsToEnd(), 8);
    EXPECT_TRUE(Viewer->spbFForward()->isEnabled());
    EXPECT_TRUE(Viewer->spbFBack()->isEnabled());
    Click(Viewer->spbFForward());
    EXPECT_EQ(Viewer->Chain().StepsToEnd(), 0);
    EXPECT_FALSE(Viewer->spbForward()->isEnabled());
    EXPECT_EQ(Viewer->lblMove()->text(), "10... Nbd7");
    Click(Viewer->spbBack());
    EXPECT_EQ(Viewer->lblMove()->text(), "10. d4");
    EXPECT_FALSE(Viewer->spbFForward()->isEnabled());  // one left
    Click(Viewer->spbStart());
    for (int i = 0; i < 13; ++i) Click(Viewer->spbForward());
    EXPECT_EQ(Viewer->Chain().StepsToEnd(), 7);
    EXPECT_FALSE(Viewer->spbFForward()->isEnabled());
    Click(Viewer->spbFForward());  // disabled: nothing happens
    EXPECT_EQ(Viewer->Chain().StepsToEnd(), 7);
    Click(Viewer->spbEnd());
    EXPECT_EQ(Viewer->Chain().StepsToEnd(), 0);
}

TEST_F(PGNViewer, StepsAnimateWhenTheBoardAnimatesAndTakeUndoSnapshots) {
    Host.BoardModel.SetAnimate(true);
    Open(Game("W", "B", "1. e4 d5 2. exd5"));
    const int changes = Host.Changes;
    Click(Viewer->spbForward());
    Click(Viewer->spbForward());
    Click(Viewer->spbForward());
    ASSERT_EQ(Host.Animated.size(), 3u);
    EXPECT_EQ(Host.Animated[2].Piece, pcWPawn);
    EXPECT_TRUE(Host.Animated[2].Capture);
    EXPECT_EQ(Host.BoardModel.GetPiece({3, 4}), pcWPawn);
    Click(Viewer->spbBack());
    ASSERT_EQ(Host.TakenBack.size(), 1u);
    EXPECT_EQ(Host.Captured[0], pcBPawn);  // the captured pawn reappears
    EXPECT_EQ(Host.BoardModel.GetPiece({3, 4}), pcBPawn);
    EXPECT_EQ(Host.BoardModel.GetPiece({4, 3}), pcWPawn);
    EXPECT_EQ(Host.Changes, changes + 4);
    Click(Viewer->spbEnd());  // jumps never animate
    EXPECT_EQ(Host.Animated.size(), 3u);
    EXPECT_TRUE(Viewer->spbStart()->isEnabled());
}

TEST_F(PGNViewer, AutomaticReplayStepsAtTheTrackBarPaceAndReleasesAtTheEnd) {
    Open(Game("W", "B", "1. e4 e5"));
    QApplication::processEvents();  // window activation settles first
    Viewer->tbTimer()->setValue(100);
    EXPECT_EQ(Viewer->ReplayTimer()->interval(), 250);
    Viewer->spbAutoMove()->click();
    EXPECT_TRUE(Viewer->ReplayTimer()->isActive());
    QTRY_VERIFY_WITH_TIMEOUT(!Viewer->spbAutoMove()->isChecked(), 3000);
    EXPECT_EQ(Viewer->Chain().StepsToEnd(), 0);
    EXPECT_FALSE(Viewer->ReplayTimer()->isActive());
    Viewer->tbTimer()->setValue(0);
    EXPECT_EQ(Viewer->ReplayTimer()->interval(), 5250);
}

TEST_F(PGNViewer, StoredColumnWidthsOutsideOneTo799AreIgnored) {
    Host.Store.WriteInteger(kViewerColsKey, "PGNCol2", 800);
    Host.Store.WriteInteger(kViewerColsKey, "PGNCol3", 0);
    Host.Store.WriteInteger(kViewerColsKey, "PGNCol4", 150);
    Open(Game("W", "B", "1. e4"));
    QHeaderView* header = Viewer->lvwPGN()->horizontalHeader();
    EXPECT_EQ(header->sectionSize(2), 120);
    EXPECT_EQ(header->sectionSize(3), 120);
    EXPECT_EQ(header->sectionSize(4), 150);
    header->resizeSection(5, 77);
    Viewer.reset();
    EXPECT_EQ(Host.Store.ReadInteger(kViewerColsKey, "PGNCol5"), 77);
    EXPECT_EQ(Host.Store.ReadInteger(kViewerColsKey, "PGNCol11"), 0);  // the hidden ECO column
}

TEST_F(PGNViewer, AutoVorlixChecksTheGamesAndRestoresTheBoard) {
    Open(Game("W", "B", "1. e4") + Game("W2", "B2", "1. d4"));
    Viewer->btnAutoVorlix()->click();
    EXPECT_EQ(Host.Messages.Last(),
              "There are no PGN games selected for auto-capturing...\r\n"
              "You can select games by clicking the boxes in the list.");
    EXPECT_EQ(Host.Batches, 0);
    Viewer->Model().setData(Viewer->Model().index(1, gcCheck), Qt::Checked, Qt::CheckStateRole);
    EXPECT_EQ(Viewer->NextCheckedGame(0), 1);
    const int before = Host.BoardModel.GetPiece({0, 0});
    Viewer->btnAutoVorlix()->click();
    EXPECT_EQ(Host.Batches, 1);
    EXPECT_EQ(Host.BatchChecked, 1);
    EXPECT_EQ(Host.BoardModel.GetPiece({0, 0}), before);

    // The pop-up commands.
    Viewer->findChild<QAction*>("mnpSelAll")->trigger();
    EXPECT_EQ(Viewer->CheckedGameCount(), 2);
    Viewer->findChild<QAction*>("mnpSelInvert")->trigger();
    EXPECT_EQ(Viewer->CheckedGameCount(), 0);
    Viewer->findChild<QAction*>("mnpSelInvert")->trigger();
    Viewer->findChild<QAction*>("mnpSelNone")->trigger();
    EXPECT_EQ(Viewer->NextCheckedGame(0), -1);

    // The batch tool's view: the checked games in list order, from the game index.
    Viewer->Model().Sort(gcNumber, false);
    Viewer->findChild<QAction*>("mnpSelAll")->trigger();
    const TPgnBatchSource source = Viewer->BatchSource();
    ASSERT_EQ(source.CheckedGameCount(), 2);
    EXPECT_EQ(source.GameNumber(0), 2);
    TPGNRec tags, game;
    source.GameTags(0, tags);
    EXPECT_EQ(tags.White, "W2");
    TCollectingReporter readErrors;
    ASSERT_TRUE(source.ReadGame(1, game, readErrors));
    EXPECT_EQ(game.White, "W");
    TPGNPos chain;
    EXPECT_TRUE(chain.LoadGame(&game));
    EXPECT_EQ(chain.PositionCount(), 2);
    EXPECT_EQ(Viewer->Chain().PositionCount(), 2);  // the viewer's own game is untouched

    Viewer->CloseArchive();
    Viewer->btnAutoVorlix()->click();
    EXPECT_EQ(Host.Messages.Last(), "There are no PGN games in the archive...");
}

TEST_F(PGNViewer, ClosingEmptiesTheWindow) {
    Open(Game("W", "B", "1. e4 e5"));
    Click(Viewer->spbForward());
    Viewer->spbAutoMove()->click();
    Viewer->btnCancel()->click();
    EXPECT_FALSE(Viewer->isVisible());
    EXPECT_FALSE(Viewer->spbAutoMove()->isChecked());
    EXPECT_EQ(Viewer->windowTitle(), "PGN Archive: ");
    EXPECT_EQ(Viewer->Model().rowCount(), 0);
    EXPECT_EQ(Viewer->LoadedRow(), -1);
    EXPECT_FALSE(Viewer->spbStart()->isEnabled());
    EXPECT_FALSE(Viewer->spbForward()->isEnabled());
    EXPECT_EQ(Viewer->lblMove()->text(), "");
    EXPECT_FALSE(Viewer->MoveList()->isVisible());
    EXPECT_EQ(Host.Closed, 1);
}

TEST_F(PGNViewer, AFileThatIsNoPGNIsReportedAndTheWindowStaysEmpty) {
    Path = Host.Dir.filePath("bad.pgn");
    std::ofstream(Path.toStdString()) << "not a game\n";
    Viewer = std::make_unique<TPgnViewer>(Host);
    EXPECT_FALSE(Viewer->LoadArchive(Path));
    EXPECT_EQ(Host.Messages.Last(), Path.toStdString() + " does not seem to\r\n be a valid PGN file.");
    Viewer->CloseArchive();
    EXPECT_EQ(Viewer->Model().rowCount(), 0);
}

TEST_F(PGNViewer, CancellingALoadKeepsACompleteListOfTheGamesReadSoFar) {
    std::string text;
    for (int i = 0; i < 120000; ++i) text += Game("P" + std::to_string(i), "B", "1. e4 e5 2. Nf3 Nc6");
    Path = Host.Dir.filePath("many.pgn");
    std::ofstream(Path.toStdString(), std::ios::binary) << text;
    Viewer = std::make_unique<TPgnViewer>(Host);
    QTimer::singleShot(0, [] {
        for (QWidget* w : QApplication::topLevelWidgets())
            if (auto* progress = qobject_cast<QProgressDialog*>(w)) progress->cancel();
    });
    ASSERT_TRUE(Viewer->LoadArchive(Path));
    Viewer->ShowArchive();
    const int games = Viewer->Model().rowCount();
    EXPECT_EQ(games, Viewer->Games().Count());
    if (Viewer->Games().Stopped()) {
        EXPECT_LT(games, 120000);
    }
    ASSERT_GT(games, 0);
    // The last game listed is complete and replays.
    Viewer->lvwPGN()->setCurrentIndex(Viewer->Model().index(games - 1, gcNumber));
    EXPECT_EQ(Viewer->Chain().PositionCount(), 5);
    EXPECT_EQ(Cell(games - 1, gcFirstTag), "P" + QString::number(games - 1));
}

TEST_F(PGNViewer, ACancelPressedWhileReadingShowsOnlyTheCompleteGamesReadBefore) {
    std::string text;
    for (int i = 0; i < 60000; ++i) text += Game("P" + std::to_string(i), "B", "1. e4 e5 2. Nf3 Nc6");
    Path = Host.Dir.filePath("many.pgn");
    std::ofstream(Path.toStdString(), std::ios::binary) << text;
    Viewer = std::make_unique<TPgnViewer>(Host);
    Viewer->show();  // a window that shows while it loads

    // The load waits after its first part until Cancel is pressed in its dialog.
    HoldLoadsUntilCancelledForTests(true);
    int rowsWhileReading = -1, progressWhileReading = -1;
    QTimer watch;
    QObject::connect(&watch, &QTimer::timeout, [&] {
        for (QWidget* w : QApplication::topLevelWidgets()) {
            auto* progress = qobject_cast<QProgressDialog*>(w);
            if (!progress || !progress->isVisible() || progress->value() <= 0 || rowsWhileReading >= 0) continue;
            rowsWhileReading = Viewer->Model().rowCount();
            progressWhileReading = progress->value();
            QTest::mouseClick(progress->findChild<QPushButton*>(), Qt::LeftButton);
        }
    });
    watch.start(20);
    const bool loaded = Viewer->LoadArchive(Path);
    watch.stop();
    HoldLoadsUntilCancelledForTests(false);
    ASSERT_TRUE(loaded);
    EXPECT_EQ(rowsWhileReading, 0);  // nothing of the file is listed while it is read
    EXPECT_GT(progressWhileReading, 0);
    EXPECT_LT(progressWhileReading, 1000);
    ASSERT_TRUE(Viewer->Games().Stopped());
    for (QWidget* w : QApplication::topLevelWidgets())
        EXPECT_FALSE(qobject_cast<QProgressDialog*>(w) && w->isVisible());

    Viewer->ShowArchive();
    const int games = Viewer->Model().rowCount();
    EXPECT_EQ(games, Viewer->Games().Count());
    EXPECT_GT(games, 1000);
    EXPECT_LT(games, 60000);
    EXPECT_EQ(Viewer->windowTitle(), "PGN Archive: " + QFileInfo(Path).fileName());
    // The last game listed is complete: its tags and all its moves.
    EXPECT_EQ(Cell(games - 1, gcFirstTag), "P" + QString::number(games - 1));
    Viewer->lvwPGN()->setCurrentIndex(Viewer->Model().index(games - 1, gcNumber));
    EXPECT_EQ(Viewer->LoadedRow(), games - 1);
    EXPECT_EQ(Viewer->Chain().PositionCount(), 5);
    ClickHeader(gcFirstTag);  // the shorter list sorts like any other
    EXPECT_EQ(Cell(0, gcFirstTag), "P0");

    // The same window then reads the whole file.
    ASSERT_TRUE(Viewer->LoadArchive(Path));
    Viewer->ShowArchive();
    EXPECT_FALSE(Viewer->Games().Stopped());
    EXPECT_EQ(Viewer->Model().rowCount(), 60000);
}

TEST_F(PGNViewer, ArrowsAndColouredSquaresOfTheCommentsFollowTheSteps) {
    Host.BoardModel.SetAnimate(true);
    Open(Game("W", "B", "{[%csl Rd4]} 1. e4 {[%cal Gg1f3] [%csl Ye4]} e5 2. Nf3"));
    ASSERT_EQ(Host.BoardModel.Marks().Squares.size(), 1u);  // the start position's comment
    EXPECT_EQ(Host.BoardModel.Marks().Squares[0].Color, TMarkColor::Red);
    Click(Viewer->spbForward());  // animated: the marks are those of the position reached
    ASSERT_EQ(Host.BoardModel.Marks().Arrows.size(), 1u);
    EXPECT_EQ(Host.BoardModel.Marks().Squares.size(), 1u);
    Click(Viewer->spbForward());
    EXPECT_TRUE(Host.BoardModel.Marks().Arrows.empty());
    EXPECT_TRUE(Host.BoardModel.Marks().Squares.empty());
    Click(Viewer->spbStart());
    EXPECT_EQ(Host.BoardModel.Marks().Squares.size(), 1u);
}
