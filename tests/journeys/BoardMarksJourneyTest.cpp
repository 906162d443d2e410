// Arrows and coloured squares that a game's comments put on the board belong
// to the position shown with them: journeys through the main window with its
// PGN and EPD viewers, the batch dialogs, undo and diagram files.
#include <QApplication>
#include <QClipboard>
#include <QComboBox>
#include <QDir>
#include <QElapsedTimer>
#include <QFileDialog>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QPushButton>
#include <QRadioButton>
#include <QTest>
#include <QTimer>
#include <QToolButton>
#include <functional>

#include "batch/BatchFileName.h"
#include "batch/ui/EpdBatchDialog.h"
#include "batch/ui/ImageFileDialog.h"
#include "batch/ui/PgnBatchDialog.h"
#include "board/DiagramFile.h"
#include "board/UndoList.h"
#include "board/ui/BoardControl.h"
#include "export/DiagramImage.h"
#include "tests/common/EditorFixture.h"
#include "viewers/EpdListModel.h"
#include "viewers/GameListModel.h"
#include "viewers/ui/EpdViewer.h"
#include "viewers/ui/GameListView.h"
#include "viewers/ui/PgnViewer.h"

using namespace vorlix;
using vorlix::test::EditorFixture;

namespace {

// The first game marks its start and the position after 1. e4; the second has no marks.
const QByteArray kGames =
    "[Event \"Marked\"]\n[White \"A\"]\n[Black \"B\"]\n[Result \"*\"]\n\n"
    "{[%csl Rd4]} 1. e4 {Good. [%cal Gg1f3] [%csl Ye4]} e5 2. Nf3 *\n\n"
    "[Event \"Plain\"]\n[White \"C\"]\n[Black \"D\"]\n[Result \"*\"]\n\n"
    "1. d4 d5 *\n";
const TBoardMarks kStartMarks{{}, {{3 * 8 + 3, TMarkColor::Red}}};
const TBoardMarks kAfterE4{{{6 * 8 + 0, 5 * 8 + 2, TMarkColor::Green}}, {{4 * 8 + 3, TMarkColor::Yellow}}};

const QStringList kPlacements = {"4k3/8/8/8/8/8/8/3K3R", "8/8/8/8/8/8/8/K6k"};
const QByteArray kArchive =
    "4k3/8/8/8/8/8/8/3K3R w K - bm Rh8; id \"alpha\";\n"
    "8/8/8/8/8/8/8/K6k w - -; id \"bravo\";\n";

class BoardMarksJourney : public EditorFixture {
protected:
    void SetUp() override {
        EditorFixture::SetUp();
        pgn = WriteFile("games.pgn", kGames);
        epd = WriteFile("positions.epd", kArchive);
        StartEditor();
    }

    TDiagramBoard& board() { return window->Board(); }
    void Trigger(const char* item) {
        QApplication::setActiveWindow(window.get());  // the viewer took the focus
        window->UpdateCommandStates();
        window->Item(item)->trigger();
    }
    TBoardMarks SavedMarks(const QString& fileName) {
        TDiagram loaded;
        TCollectingReporter reporter;
        EXPECT_TRUE(LoadDiagramFile(fileName, loaded, reporter)) << reporter.Last();
        return loaded.Board.Marks();
    }

    // Opens the games and steps to the position after 1. e4, which carries marks.
    void ShowMarkedPosition() {
        window->OpenChessFile(pgn);
        viewer = dynamic_cast<TPgnViewer*>(&window->PgnViewer());
        ASSERT_TRUE(viewer && viewer->isVisible());
        EXPECT_EQ(board().Marks(), kStartMarks);
        viewer->spbForward()->click();
        ASSERT_EQ(board().Marks(), kAfterE4);
        ASSERT_TRUE(board().MarksFromGame());
    }
    TEpdViewer* OpenPositions() {
        window->PgnViewer().CloseArchive();
        window->OpenChessFile(epd);
        auto* positions = dynamic_cast<TEpdViewer*>(&window->EpdViewer());
        EXPECT_TRUE(positions && positions->isVisible());
        return positions;
    }
    void ShowRecord(TEpdViewer& positions, int row) {
        TEpdListView& list = *positions.lvwEPD();
        const QRect cell = list.visualRect(positions.ListModel().index(row, TEpdListModel::colDescription));
        QTest::mouseClick(list.viewport(), Qt::LeftButton, {}, cell.center());
    }
    QPoint Centre(int file, int rank) {
        const TRect32& r = board().Square(file, rank).Bounds;
        return {(r.Left + r.Right) / 2, (r.Top + r.Bottom) / 2};
    }
    void Drag(QPoint from, QPoint to) {
        TBoardControl& control = window->BoardControl();
        QTest::mousePress(&control, Qt::LeftButton, {}, from);
        QTest::mouseMove(&control, from + QPoint(6, 6));
        QTest::mouseMove(&control, to);
        QTest::mouseRelease(&control, Qt::LeftButton, {}, to);
    }

    // Runs a modal batch dialog of type T from the viewer's Auto Vorlix button:
    // prepare sets it up and answers the file dialog; the run ends the dialog.
    template <class T>
    QString RunBatch(QPushButton& autoVorlix, std::function<void(T&)> prepare) {
        answer = QMessageBox::Ok;  // the note on numbered file names
        QString status;
        QTimer::singleShot(0, [&] {
            auto* dialog = qobject_cast<T*>(QApplication::activeModalWidget());
            if (!dialog) return;
            prepare(*dialog);
            dialog->btnStart->click();
            auto* poll = new QTimer(dialog);
            QElapsedTimer clock;
            clock.start();
            QObject::connect(poll, &QTimer::timeout, dialog, [dialog, &status, clock] {
                const QString now = dialog->lblStatus->text();
                if (now == "Done." || now.startsWith("Error") || now.startsWith("Aborted") || clock.elapsed() > 30000) {
                    status = now;
                    dialog->accept();
                }
            });
            poll->start(5);
        });
        autoVorlix.click();
        answer = QMessageBox::No;
        return status;
    }
    // Answers the next file dialog with a full path (and, for images, 24-bit BMP).
    static void AnswerFileDialog(const QString& path, bool bitmap) {
        QTimer::singleShot(0, [path, bitmap] {
            auto* dialog = qobject_cast<QFileDialog*>(QApplication::activeModalWidget());
            if (!dialog) return;
            if (auto* kx = qobject_cast<TImageFileDialog*>(dialog); kx && bitmap) {
                auto* types = kx->findChild<QComboBox*>("fileTypeCombo");
                types->setCurrentIndex(2);
                emit types->textActivated(types->currentText());
                kx->cmbColors()->setCurrentIndex(3);
                emit kx->cmbColors()->activated(3);
            }
            dialog->findChild<QLineEdit*>("fileNameEdit")->setText(path);
            static_cast<QDialog*>(dialog)->accept();  // as the Save button does
        });
    }

    QString pgn, epd;
    TPgnViewer* viewer = nullptr;
};

class BoardMarksChange : public BoardMarksJourney {
public:
    void ClearCommand() { Trigger("mnuBoardClear"); }
    void StartCommand() { Trigger("mnuBoardStartPos"); }
    void NewCommand() { Trigger("mnuFileNew"); }
    void Paste() {
        QApplication::clipboard()->setText("8/8/8/8/8/8/8/K6k");
        Trigger("mnuEditPaste");
    }
    void Record() {
        TEpdViewer* positions = OpenPositions();
        ASSERT_EQ(board().Marks(), kAfterE4);  // opening alone shows no record
        ShowRecord(*positions, 0);
        EXPECT_EQ(board().GetPiece({7, 0}), 5);
    }
    void Typed() {
        board().ToggleSelection({0, 2});
        EXPECT_EQ(board().Marks(), kAfterE4);  // a selection is no change of pieces
        QTest::keyClick(window.get(), 'Q');
        EXPECT_EQ(board().GetPiece({0, 2}), 2);
    }
    void Dragged() {
        Drag(Centre(6, 0), Centre(5, 2));
        EXPECT_EQ(board().GetPiece({5, 2}), 4);
    }
    void OtherGame() { viewer->lvwPGN()->setCurrentIndex(viewer->Model().index(1, gcNumber)); }
    void Invert() { Trigger("mnuBoardInvert"); }
    void ForwardAndBack() {
        viewer->spbForward()->click();
        EXPECT_TRUE(board().Marks().Empty());
        viewer->spbBack()->click();
    }
};

struct TChange {
    const char* Name;
    void (BoardMarksChange::*Make)();
    bool MarksStay;
    bool Undoable = true;
};

}  // namespace

TEST_F(BoardMarksChange, AGamesMarksGoWithTheFirstChangeOfPositionThatIsNotItsReplay) {
    const TChange changes[] = {
        {"Clear Board", &BoardMarksChange::ClearCommand, false},
        {"Starting Position", &BoardMarksChange::StartCommand, false},
        {"New", &BoardMarksChange::NewCommand, false, false},
        {"Paste", &BoardMarksChange::Paste, false},
        {"EPD record", &BoardMarksChange::Record, false},
        {"typed piece", &BoardMarksChange::Typed, false},
        {"dragged piece", &BoardMarksChange::Dragged, false},
        {"another game", &BoardMarksChange::OtherGame, false},
        {"Invert Board", &BoardMarksChange::Invert, true},
        {"the game's own replay", &BoardMarksChange::ForwardAndBack, true},
    };
    int n = 0;
    for (const TChange& change : changes) {
        SCOPED_TRACE(change.Name);
        if (n > 0) {  // a fresh editor for every change
            TearDown();
            SetUp();
        }
        ShowMarkedPosition();
        (this->*change.Make)();
        if (change.MarksStay) {
            EXPECT_EQ(board().Marks(), kAfterE4);
            EXPECT_TRUE(board().MarksFromGame());
        } else {
            EXPECT_TRUE(board().Marks().Empty());
        }
        if (!change.MarksStay && change.Undoable) {
            // Undo brings the marks back with the position; they are still the game's.
            Trigger("mnuEditUndo");
            EXPECT_EQ(board().Marks(), kAfterE4);
            EXPECT_TRUE(board().MarksFromGame());
            Trigger("mnuEditRedo");
            EXPECT_TRUE(board().Marks().Empty());
        }
        // What the user sees is what the file keeps.
        const QString saved = dir.filePath(QString("change%1.vxd").arg(n++));
        ASSERT_TRUE(window->WriteDiagram(saved));
        EXPECT_EQ(SavedMarks(saved), change.MarksStay ? kAfterE4 : TBoardMarks{});
        if (change.MarksStay) {
            // Opened again, they are the diagram's and stay through its edits.
            ASSERT_TRUE(window->OpenDiagramFile(saved));
            EXPECT_FALSE(board().MarksFromGame());
            ClearCommand();
            EXPECT_EQ(board().Marks(), kAfterE4);
        }
    }
}

TEST_F(BoardMarksJourney, PgnAutoVorlixDrawsEachPositionsOwnMarksAndGivesTheBoardBack) {
    const struct {
        const char* Name;
        bool TypeCross;
    } rows[] = {{"game marks on the board", false}, {"a cross typed after the step", true}};
    for (const auto& row : rows) {
        SCOPED_TRACE(row.Name);
        if (viewer) {
            TearDown();
            SetUp();
        }
        ShowMarkedPosition();
        if (row.TypeCross) {
            board().ToggleSelection({0, 2});
            QTest::keyClick(window.get(), 'x');
            ASSERT_EQ(board().SquareCode({0, 2}), pcBCross);
        }
        const TBoardContents before = board().Contents();
        viewer->findChild<QAction*>("mnpSelAll")->trigger();
        const QString chosen = dir.filePath("Run");
        const QString status = RunBatch<TPgnBatchDialog>(*viewer->btnAutoVorlix(), [&](TPgnBatchDialog& dialog) {
            dialog.SetPacing(0, 0);
            dialog.rbtChessFile->click();
            dialog.rbtEntire->click();
            AnswerFileDialog(chosen, false);
        });
        ASSERT_EQ(status, "Done.");
        EXPECT_EQ(board().Contents(), before);

        // Every diagram carries the marks of its own position and no other.
        const TChosenName name = SplitChosenName(chosen + ".VXD", true);
        const std::vector<TBoardMarks> expected[] = {{kStartMarks, kAfterE4, {}, {}}, {{}, {}, {}}};
        for (int game = 1; game <= 2; ++game)
            for (int position = 1; position <= int(expected[game - 1].size()); ++position) {
                SCOPED_TRACE(game * 100 + position);
                EXPECT_EQ(SavedMarks(PgnBatchFileName(name, TPositionMode::Entire, false, game, position)),
                          expected[game - 1][size_t(position - 1)]);
            }
        // Given back as they were: a game's marks still go with the next change.
        Trigger("mnuBoardClear");
        EXPECT_TRUE(board().Marks().Empty());
    }
}

TEST_F(BoardMarksJourney, EpdAutoVorlixImagesCarryNoForeignMarksAndTheBoardComesBack) {
    // Marks on the board belong to the board's own position, whether a game or
    // a diagram file put them there: none is drawn over the records.
    struct TCase {
        const char* Name;
        bool FromGame;
    };
    for (const TCase& c : {TCase{"a game's marks", true}, TCase{"a diagram's marks", false}}) {
        SCOPED_TRACE(c.Name);
        ShowMarkedPosition();
        TEpdViewer* positions = OpenPositions();
        ASSERT_TRUE(positions);
        if (!c.FromGame) board().SetMarks(kAfterE4);
        ASSERT_EQ(board().Marks(), kAfterE4);
        ASSERT_EQ(board().MarksFromGame(), c.FromGame);
        const TBoardContents before = board().Contents();
        positions->mnpAllClick();
        const QString chosen = dir.filePath(c.FromGame ? "Game.bmp" : "Diagram.bmp");
        const QString status = RunBatch<TEpdBatchDialog>(*positions->btnAutoVorlix(), [&](TEpdBatchDialog& dialog) {
            dialog.SetPacing(0);
            AnswerFileDialog(chosen, true);
        });
        ASSERT_EQ(status, "Done.");
        EXPECT_EQ(board().Contents(), before);

        // Each image is the record's position drawn without any mark.
        const TChosenName name = SplitChosenName(chosen, false);
        board().SetMarks({});
        for (int n = 1; n <= int(kPlacements.size()); ++n) {
            SCOPED_TRACE(n);
            ASSERT_TRUE(board().SetPositionFromPlacement(kPlacements[n - 1].toStdString()));
            const QImage expected = RenderDiagramImage(window->Diagram(), settings->ImageScale);
            const QImage written(EpdBatchFileName(name, n));
            ASSERT_FALSE(written.isNull());
            EXPECT_EQ(written.convertToFormat(QImage::Format_RGB32), expected.convertToFormat(QImage::Format_RGB32));
        }
        window->EpdViewer().CloseArchive();
    }
}
