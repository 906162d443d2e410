// EPD files through the main window and its EPD viewer: what a save writes,
// Save as EPD into the open file, a quit signal with unsaved edits, and what
// the viewer and its batch dialog keep.
#include <gtest/gtest.h>
#include <signal.h>

#include <QApplication>
#include <QCheckBox>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QLineEdit>
#include <QProcess>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>
#include <csignal>
#include <functional>

#include "app/QuitSignals.h"
#include "app/ui/PosDataDialog.h"
#include "batch/ui/EpdBatchDialog.h"
#include "settings/Settings.h"
#include "settings/SettingsStore.h"
#include "tests/common/EditorFixture.h"
#include "tests/common/EditorProcess.h"
#include "viewers/EpdListModel.h"
#include "viewers/ui/EpdViewer.h"

using namespace vorlix;

namespace {

QByteArray ReadAll(const QString& fileName) {
    QFile file(fileName);
    file.open(QIODevice::ReadOnly);
    return file.readAll();
}

QByteArray WithCrLf(QByteArray text) { return text.replace("\n", "\r\n"); }

// The file's lines with their line ends (the last one may have none).
QList<QByteArray> Lines(const QByteArray& text) {
    QList<QByteArray> lines;
    qsizetype start = 0;
    while (start < text.size()) {
        const qsizetype end = text.indexOf('\n', start);
        const qsizetype next = end < 0 ? text.size() : end + 1;
        lines << text.mid(start, next - start);
        start = next;
    }
    return lines;
}

QByteArray LineEndOf(const QByteArray& line) {
    return line.endsWith("\r\n") ? "\r\n" : line.endsWith('\n') ? "\n" : "";
}

class EpdArchiveJourney : public test::EditorFixture {
protected:
    // Starts the editor with the file open in its EPD viewer.
    void Open(const QString& fileName) {
        file = fileName;
        StartEditor({file});
        viewer = window->findChild<TEpdViewer*>("frmEPD");
        ASSERT_NE(viewer, nullptr);
        ASSERT_TRUE(viewer->isVisible());
    }
    QString Sample(const char* name, const std::function<QByteArray(QByteArray)>& change) {
        return WriteFile(name, change(ReadAll(VORLIX_TEST_DATA_DIR "/" + QString(name))));
    }
    void SelectRow(int row) {
        viewer->lvwEPD()->scrollTo(viewer->ListModel().index(row, TEpdListModel::colDescription));
        const QRect rect = viewer->lvwEPD()->visualRect(viewer->ListModel().index(row, TEpdListModel::colDescription));
        QTest::mouseClick(viewer->lvwEPD()->viewport(), Qt::LeftButton, {}, rect.center());
    }
    void TypeDescription(const QString& text) {
        viewer->edtGameInfo()->selectAll();
        QTest::keyClicks(viewer->edtGameInfo(), text);
    }
    QString Cell(int row, int column) {
        return viewer->ListModel().data(viewer->ListModel().index(row, column), Qt::DisplayRole).toString();
    }
    // Save as EPD into fileName with the game id typed into the position data dialog.
    void SaveAsEpd(const QString& fileName, const QString& gameId) {
        QTimer::singleShot(0, [gameId] {
            auto* dialog = qobject_cast<TPosDataDialog*>(QApplication::activeModalWidget());
            ASSERT_NE(dialog, nullptr);
            dialog->edtGameID()->setText(gameId);
            dialog->btnOK()->click();
        });
        window->SaveAsEPD(fileName);
    }

    QString file;
    TEpdViewer* viewer = nullptr;
};

}  // namespace

// One edited description: the file changes in that record's line only; every
// best move and operation of the record stays, and the file keeps its line ends.
TEST_F(EpdArchiveJourney, SavingAnEditChangesOnlyTheEditedRecord) {
    const auto same = [](QByteArray text) { return text; };
    const auto crLf = [](QByteArray text) { return WithCrLf(text); };
    const auto noLastLineEnd = [](QByteArray text) { return text.chopped(1); };
    const struct {
        const char* Sample;
        std::function<QByteArray(QByteArray)> Change;
        int Row;
        QString BestMove;
        QByteArray EditedLine;
    } cases[] = {
        {"wacnew.epd", same, 30, "Qxa8 d6 dxe6 g3",
         "rb3qk1/pQ3ppp/4p3/3P4/8/1P3N2/1P3PPP/3R2K1 w - - bm Qxa8 d6 dxe6 g3; id \"Renamed\";"},
        {"wacnew.epd", same, 273, "Rb6 Rg5+",
         "8/1p6/p5R1/k7/Prpp4/K7/1NP5/8 w - - am Rd6; bm Rb6 Rg5+; id \"Renamed\";"},
        {"bratko-kopec.epd", crLf, 0, "Qd1+",
         "1k1r4/pp1b1R2/3q2pp/4p3/2B5/4Q3/PPP2B2/2K5 b - - bm Qd1+; id \"Renamed\";"},
        {"bratko-kopec.epd", noLastLineEnd, 23, "f4",
         "r2qnrnk/p2b2b1/1p1p2pp/2pPpp2/1PP1P3/PRNBB3/3QNPPP/5RK1 w - - bm f4; id \"Renamed\";"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(std::string(c.Sample) + " row " + std::to_string(c.Row));
        Open(Sample(c.Sample, c.Change));
        const QByteArray before = ReadAll(file);
        SelectRow(c.Row);
        // Every best move shows, also more than may be typed.
        EXPECT_EQ(viewer->edtBestMove()->text(), c.BestMove);
        EXPECT_EQ(Cell(c.Row, TEpdListModel::colBestMove), c.BestMove);
        TypeDescription("Renamed");
        EXPECT_EQ(Cell(c.Row, TEpdListModel::colDescription), "Renamed");
        answer = QMessageBox::Yes;
        viewer->close();
        ASSERT_FALSE(viewer->isVisible());

        QList<QByteArray> expected = Lines(before);
        ASSERT_GT(expected.size(), c.Row);
        expected[c.Row] = c.EditedLine + LineEndOf(expected[c.Row]);
        EXPECT_EQ(ReadAll(file), expected.join());
        window.reset();
    }
}

TEST_F(EpdArchiveJourney, SaveAsEpdIntoTheOpenFileShowsTheLineAndTheViewerSaveKeepsIt) {
    Open(Sample("bratko-kopec.epd", [](QByteArray text) { return text; }));
    const QByteArray before = ReadAll(file);
    SelectRow(1);
    TypeDescription("Edited");
    const auto board = window->Board().Codes();

    SaveAsEpd(file, "Appended");
    ASSERT_EQ(viewer->ListModel().rowCount(), 25);
    EXPECT_EQ(Cell(24, TEpdListModel::colNr), "25");
    EXPECT_EQ(Cell(24, TEpdListModel::colDescription), "Appended");
    EXPECT_EQ(viewer->edtGameInfo()->text(), "Edited");  // the selection stays
    const QByteArray appended = ReadAll(file);
    ASSERT_TRUE(appended.startsWith(before));
    const QByteArray line = appended.mid(before.size());
    EXPECT_TRUE(line.endsWith("; id \"Appended\";\n")) << line.toStdString();  // the file's own line end

    answer = QMessageBox::Yes;
    viewer->close();
    QList<QByteArray> expected = Lines(before);
    expected[1] = "3r1k2/4npp1/1ppr3p/p6P/P2PPPP1/1NR5/5K2/2R5 w - - bm d5; id \"Edited\";\n";
    EXPECT_EQ(ReadAll(file), expected.join() + line);

    // Opened again, the appended position is there, with the board it was saved from.
    window.reset();
    Open(file);
    ASSERT_EQ(viewer->ListModel().rowCount(), 25);
    SelectRow(24);
    EXPECT_EQ(window->Board().Codes(), board);
}

TEST_F(EpdArchiveJourney, SaveAsEpdIntoAnotherFileLeavesTheViewerAlone) {
    Open(Sample("bratko-kopec.epd", [](QByteArray text) { return text; }));
    SaveAsEpd(dir.filePath("other.epd"), "Elsewhere");
    EXPECT_EQ(viewer->ListModel().rowCount(), 24);
    viewer->close();
    EXPECT_TRUE(messages.isEmpty());  // nothing changed in the viewer's file
}

TEST_F(EpdArchiveJourney, AQuitSignalKeepsUnsavedEditsForTheNextStart) {
    for (int signalNumber : {SIGTERM, SIGINT, SIGHUP}) {
        SCOPED_TRACE(signalNumber);
        Open(Sample("wacnew.epd", [](QByteArray text) { return text; }));
        const QByteArray before = ReadAll(file);
        SelectRow(21);
        TypeDescription("Kept");
        SelectRow(0);
        viewer->mnpDeleteClick();
        {
            TQuitSignals quitSignals;
            QObject::connect(&quitSignals, &TQuitSignals::Received, window.get(), [this] { window->QuitOnSignal(); });
            ::raise(signalNumber);
            EXPECT_TRUE(QTest::qWaitFor([this] { return !window->isVisible(); }, 5000));
        }
        EXPECT_TRUE(messages.isEmpty());  // nobody was asked
        EXPECT_EQ(ReadAll(file), before);
        const QString recovery = window->EpdRecoveryFile();
        ASSERT_TRUE(QFileInfo::exists(recovery));
        window.reset();

        // The next start offers the edits; taken, they are unsaved until the viewer saves them.
        answer = QMessageBox::Yes;
        StartEditor();
        // Showing a position changed the diagram too: it is offered first.
        ASSERT_EQ(messages.size(), 2);
        EXPECT_TRUE(messages.first().endsWith("Open the recovered diagram?"));
        EXPECT_EQ(messages.last(), "Chess Vorlix was ended while the EPD file " + file +
                                       " had unsaved changes; they were kept.\n\nOpen the recovered positions?");
        EXPECT_FALSE(QFileInfo::exists(recovery));  // offered once
        viewer = window->findChild<TEpdViewer*>("frmEPD");
        ASSERT_TRUE(viewer->isVisible());
        EXPECT_TRUE(viewer->Modified());
        EXPECT_EQ(viewer->windowTitle(), "EPD Archive: wacnew.epd");
        ASSERT_EQ(viewer->ListModel().rowCount(), 299);
        EXPECT_EQ(Cell(20, TEpdListModel::colDescription), "Kept");
        EXPECT_TRUE(window->Opening());
        messages.clear();
        viewer->close();
        EXPECT_EQ(messages,
                  QStringList{"You have made some changes to the EPD file.\nDo you want to save these changes?"});
        QList<QByteArray> expected = Lines(before);
        expected[21] = "r1bqk2r/ppp1nppp/4p3/n5N1/2BPp3/P1P5/2P2PPP/R1BQK2R w KQkq - bm Ba2 Nxf7; id \"Kept\";\n";
        expected.removeFirst();
        EXPECT_EQ(ReadAll(file), expected.join());
        EXPECT_FALSE(window->Opening());
        window.reset();
        messages.clear();
        answer = QMessageBox::No;
    }
}

TEST_F(EpdArchiveJourney, AQuitSignalWithoutEditsKeepsNothingAndARefusedOfferIsGone) {
    Open(Sample("bratko-kopec.epd", [](QByteArray text) { return text; }));
    window->QuitOnSignal();
    EXPECT_FALSE(QFileInfo::exists(window->EpdRecoveryFile()));

    window.reset();
    Open(file);
    SelectRow(3);
    TypeDescription("Dropped");
    const QByteArray before = ReadAll(file);
    window->QuitOnSignal();
    const QString recovery = window->EpdRecoveryFile();
    ASSERT_TRUE(QFileInfo::exists(recovery));
    window.reset();
    answer = QMessageBox::No;

    // A start that opens a file in a viewer leaves the offer for later.
    messages.clear();
    Open(file);
    EXPECT_EQ(messages.size(), 1);  // only the diagram changed by the viewer
    EXPECT_FALSE(viewer->Modified());
    EXPECT_TRUE(QFileInfo::exists(recovery));
    window.reset();

    messages.clear();
    StartEditor();
    EXPECT_EQ(messages.size(), 1);
    EXPECT_FALSE(window->findChild<TEpdViewer*>("frmEPD")->isVisible());
    EXPECT_FALSE(QFileInfo::exists(recovery));
    EXPECT_EQ(ReadAll(file), before);
}

// The viewer keeps the batch dialog's custom texts from one opening to the next.
TEST_F(EpdArchiveJourney, TheBatchDialogGetsItsCustomTextsBack) {
    Open(Sample("bratko-kopec.epd", [](QByteArray text) { return text; }));
    viewer->mnpAllClick();
    QStringList seen;
    const auto openAndType = [&](const QString& header, const QString& footer) {
        QTimer::singleShot(0, [&, header, footer] {
            auto* dialog = qobject_cast<TEpdBatchDialog*>(QApplication::activeModalWidget());
            ASSERT_NE(dialog, nullptr);
            seen << dialog->HeaderButtons.Text->text() << dialog->FooterButtons.Text->text();
            dialog->HeaderButtons.Text->setText(header);
            dialog->FooterButtons.Text->setText(footer);
            dialog->btnCancel->click();
        });
        viewer->btnAutoVorlix()->click();
    };
    openAndType("My header", "My footer");
    openAndType("Second", "");
    openAndType("", "");
    EXPECT_EQ(seen, (QStringList{"", "", "My header", "My footer", "Second", ""}));
}

// Deleting the last row leaves no position's data in the fields.
TEST_F(EpdArchiveJourney, DeletingEveryRowEmptiesTheDetailFields) {
    Open(WriteFile("two.epd",
                   "r3k2r/8/8/8/8/8/8/R3K2R w KQkq - bm O-O; id \"one\";\n"
                   "4k3/8/8/3Pp3/8/8/8/4K3 w - e6 bm dxe6; id \"two\";\n"));
    SelectRow(1);
    EXPECT_TRUE(viewer->chkEP()->isChecked());
    viewer->mnpDeleteClick();
    EXPECT_EQ(viewer->edtGameInfo()->text(), "one");
    EXPECT_TRUE(viewer->chkCastle(0)->isChecked());
    viewer->mnpDeleteClick();
    EXPECT_EQ(viewer->ListModel().rowCount(), 0);
    for (QLineEdit* edit : {viewer->edtGameInfo(), viewer->edtEP(), viewer->edtBestMove()})
        EXPECT_EQ(edit->text(), "") << edit->objectName().toStdString();
    for (QCheckBox* box : {viewer->chkWhiteToMove(), viewer->chkEP(), viewer->chkCastle(0), viewer->chkCastle(1),
                           viewer->chkCastle(2), viewer->chkCastle(3)})
        EXPECT_FALSE(box->isChecked()) << box->objectName().toStdString();
    answer = QMessageBox::No;
    viewer->close();
    EXPECT_TRUE(QFile::exists(file));
}

// The real program, ended by a real signal while it asks whether to open the
// kept positions: nobody answered, so they are offered again at the next start.
TEST(EpdArchiveProgram, ASignalDuringTheRecoveryOfferKeepsTheRecovery) {
    const QString program = VORLIX_BIN_DIR "/chess-vorlix";
    if (!QFile::exists(program)) GTEST_SKIP() << "chess-vorlix not built";
    for (int signalNumber : {SIGTERM, SIGINT, SIGHUP}) {
        SCOPED_TRACE(signalNumber);
        QTemporaryDir home;
        {
            // No file-type question or tip holds up the start.
            TSettingsStore answers(home.filePath("settings.ini"));
            answers.WriteBool(kMainKey, "AskPGNReg", false);
            answers.WriteBool(kMainKey, "AskEPDReg", false);
            answers.WriteBool(kMainKey, "ShowTips", false);
            answers.Flush();
        }
        const QByteArray original = "4k3/8/8/8/8/8/8/4K3 w - - bm Kd2 Ke2; id \"old\";\n";
        const QByteArray kept = "4k3/8/8/8/8/8/8/4K3 w - - bm Kd2 Ke2; id \"kept\";\n";
        const auto write = [&](const QString& name, const QByteArray& text) {
            QFile file(home.filePath(name));
            ASSERT_TRUE(file.open(QIODevice::WriteOnly));
            file.write(text);
        };
        write("positions.epd", original);
        write("recovered.epd", kept);
        write("recovered.epd.name", home.filePath("positions.epd").toUtf8());

        QProcess editor;
        editor.setProcessEnvironment(test::EditorEnvironment(home, home.filePath("settings.ini")));
        editor.start(program, {});
        ASSERT_TRUE(editor.waitForStarted(10000));
        // The first undo state is written just before the offer comes up.
        auto started = [&] {
            for (const QString& folder : QDir(home.path()).entryList({"chess-vorlix-*"}, QDir::Dirs))
                if (!QDir(home.filePath(folder)).entryList({"*.tmp"}, QDir::Files).isEmpty()) return true;
            return false;
        };
        ASSERT_TRUE(QTest::qWaitFor(started, 15000));
        ::kill(pid_t(editor.processId()), signalNumber);
        ASSERT_TRUE(editor.waitForFinished(15000));
        EXPECT_EQ(editor.exitStatus(), QProcess::NormalExit);
        EXPECT_EQ(editor.exitCode(), 0);
        EXPECT_EQ(ReadAll(home.filePath("recovered.epd")), kept);
        EXPECT_TRUE(QFileInfo::exists(home.filePath("recovered.epd.name")));
        EXPECT_EQ(ReadAll(home.filePath("positions.epd")), original);
    }
}
