// A PGN file with castling written with zeros and a game with an illegal move,
// through the real main window: the viewer names the bad game, the PGN batch
// dialog reports it once and writes every position of the other games, and
// `vorlix batch` writes the same diagrams, marks included.
#include <QDir>
#include <QFileDialog>
#include <QItemSelectionModel>
#include <QLabel>
#include <QProcess>
#include <QPushButton>
#include <QRadioButton>
#include <QTimer>

#include "batch/ui/PgnBatchDialog.h"
#include "board/DiagramBoard.h"
#include "board/DiagramFile.h"
#include "tests/common/EditorFixture.h"
#include "viewers/GameListModel.h"
#include "viewers/ui/GameListView.h"
#include "viewers/ui/PgnViewer.h"

using namespace vorlix;
using vorlix::test::EditorFixture;

namespace {

const QString kGames = QStringLiteral(VORLIX_TEST_DATA_DIR "/castling-with-zeros.pgn");
const QString kBadGame = QStringLiteral("Game 2: Illegal move data: 3. Ke3");

class FaultyGamesJourney : public EditorFixture {
protected:
    TPgnViewer& Viewer() { return dynamic_cast<TPgnViewer&>(window->PgnViewer()); }

    // Runs the PGN batch dialog from the viewer's button with one set of
    // options per run, each writing diagram files named after `names`.
    void RunDialog(const std::vector<std::pair<QRadioButton * TPgnBatchDialog::*, QString>>& runs) {
        size_t run = 0;
        bool started = false;
        QTimer driver;
        driver.setInterval(5);
        QObject::connect(&driver, &QTimer::timeout, [&] {
            auto* dialog = qobject_cast<TPgnBatchDialog*>(QApplication::activeModalWidget());
            if (!dialog || dialog->Running()) return;
            if (started && dialog->lblStatus->text() != "Done.") return;
            if (run == runs.size()) {
                dialog->reject();
                return;
            }
            dialog->SetPacing(0, 0);
            dialog->rbtChessFile->click();
            (dialog->*runs[run].first)->click();
            const QString name = runs[run++].second;
            QTimer::singleShot(0, [name] {
                auto* files = qobject_cast<QFileDialog*>(QApplication::activeModalWidget());
                ASSERT_NE(files, nullptr);
                files->selectFile(name);
                QMetaObject::invokeMethod(files, "accept");
            });
            started = true;
            dialog->btnStart->click();
        });
        driver.start();
        Viewer().btnAutoVorlix()->click();
    }

    static QStringList Files(const QString& folder) { return QDir(folder).entryList(QDir::Files, QDir::Name); }

    struct TWritten {
        std::array<int32_t, 64> Codes;
        TBoardMarks Marks;
    };
    static TWritten Load(const QString& file) {
        TDiagram diagram;
        TSilentReporter silent;
        EXPECT_TRUE(LoadDiagramFile(file, diagram, silent)) << file.toStdString();
        return {diagram.Board.Codes(), diagram.Board.Marks()};
    }
};

}  // namespace

TEST_F(FaultyGamesJourney, BadGameIsNamedAndTheOthersAreWrittenWholeByTheDialogAndTheCommandLine) {
    StartEditor();
    window->OpenChessFile(kGames);
    TPgnViewer& viewer = Viewer();
    ASSERT_EQ(viewer.Model().rowCount(), 3);
    EXPECT_TRUE(messages.isEmpty()) << messages.join('|').toStdString();

    // Opening the bad game names it and keeps the positions before the bad move.
    viewer.lvwPGN()->selectionModel()->setCurrentIndex(viewer.Model().index(1, 0),
                                                       QItemSelectionModel::ClearAndSelect | QItemSelectionModel::Rows);
    EXPECT_EQ(messages, QStringList{kBadGame});
    EXPECT_EQ(viewer.Chain().PositionCount(), 5);
    messages.clear();

    for (int row = 0; row < 3; ++row)
        viewer.Model().setData(viewer.Model().index(row, gcCheck), Qt::Checked, Qt::CheckStateRole);
    answer = QMessageBox::Ok;
    QDir(dir.path()).mkpath("entire");
    QDir(dir.path()).mkpath("fixed");
    RunDialog({{&TPgnBatchDialog::rbtEntire, dir.filePath("entire/Cap.vxd")},
               {&TPgnBatchDialog::rbtFixedPos, dir.filePath("fixed/F.vxd")}});

    // Each run explains the file names first and names the bad game once at its end.
    const QString report = "These games could not be replayed to their end:\r\n\r\n" + kBadGame;
    ASSERT_EQ(messages.size(), 4) << messages.join('|').toStdString();
    EXPECT_EQ(messages[1], report);
    EXPECT_EQ(messages[3], report);

    QStringList expected;
    for (const auto& [game, positions] : {std::pair{0, 21}, {1, 5}, {2, 13}})
        for (int p = 1; p <= positions; ++p) expected << QString("Cap%1.VXD").arg(game * 500 + p, 5, 10, QChar('0'));
    EXPECT_EQ(Files(dir.filePath("entire")), expected);
    // No mid-game position of the bad game passes for its final one.
    EXPECT_EQ(Files(dir.filePath("fixed")), (QStringList{"F00001.VXD", "F01001.VXD"}));
    EXPECT_EQ(Load(dir.filePath("fixed/F00001.VXD")).Codes[SquareIndex(7, 7)], pcBKing);  // 10... Kh8

    // The command line writes the same diagrams and exits with 1.
    QDir(dir.path()).mkpath("cli");
    QProcess vorlix;
    vorlix.start(VORLIX_BIN_DIR "/vorlix", {"batch", kGames, "-o", dir.filePath("cli/Cap.vxd"), "--positions", "entire",
                                            "--style", dir.filePath("default.vxd")});
    ASSERT_TRUE(vorlix.waitForFinished(120000));
    EXPECT_EQ(vorlix.exitCode(), 1);
    EXPECT_EQ(QString::fromLocal8Bit(vorlix.readAllStandardError()), "vorlix: " + kGames + ": " + kBadGame + "\n");
    ASSERT_EQ(Files(dir.filePath("cli")), expected);
    const TBoardMarks knightMarks{{{SquareIndex(5, 2), SquareIndex(3, 3), TMarkColor::Green}},
                                  {{SquareIndex(3, 3), TMarkColor::Green}}};
    for (const QString& name : expected) {
        const TWritten fromDialog = Load(dir.filePath("entire/" + name)), fromCli = Load(dir.filePath("cli/" + name));
        EXPECT_EQ(fromDialog.Codes, fromCli.Codes) << name.toStdString();
        EXPECT_EQ(fromDialog.Marks, fromCli.Marks) << name.toStdString();
        // The comment after 4. 0-0 marks that position and no other.
        EXPECT_EQ(fromDialog.Marks, name == "Cap00008.VXD" ? knightMarks : TBoardMarks{}) << name.toStdString();
    }
}
