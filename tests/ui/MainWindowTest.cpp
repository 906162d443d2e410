#include <gtest/gtest.h>
#include <signal.h>

#include <QAction>
#include <QApplication>
#include <QComboBox>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QLineEdit>
#include <QMenu>
#include <QProcess>
#include <QSettings>
#include <QSpinBox>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>
#include <QToolButton>

#include "app/QuitSignals.h"
#include "app/RunFolder.h"
#include "app/ui/MainWindow.h"
#include "batch/ui/ImageFileDialog.h"
#include "board/DiagramFile.h"
#include "board/UndoList.h"
#include "export/DiagramImage.h"
#include "export/ImageExport.h"
#include "export/ScalableExport.h"
#include "help/ui/Help.h"
#include "help/ui/HelpWindow.h"
#include "settings/Settings.h"
#include "settings/SettingsStore.h"
#include "tests/common/EditorFixture.h"
#include "tests/common/EditorProcess.h"

using namespace vorlix;

namespace {

class MainWindowTest : public test::EditorFixture {
protected:
    void SetUp() override {
        EditorFixture::SetUp();
        StartEditor();
    }
    QAction* Item(const char* name) { return window->Item(name); }
    bool OpenAndCheckEnabled(const char* menu, const char* item) {
        emit window->Menu(menu)->aboutToShow();
        return Item(item)->isEnabled();
    }
};

}  // namespace

TEST_F(MainWindowTest, StartsUntitledWithTheShippedDiagramAndOneUndoState) {
    EXPECT_EQ(window->windowTitle(), "Chess Vorlix 2.21 - Untitled");
    EXPECT_FALSE(window->DiagramModified());
    EXPECT_EQ(window->Board().GetPiece(QPoint(4, 0)), 1);  // white king on e1
    EXPECT_EQ(window->UndoList().Count(), 1);
    EXPECT_FALSE(window->Diagram().Header.Enabled);
    EXPECT_EQ(window->Diagram().Header.Font.Name, "MS Sans Serif");
    EXPECT_EQ(window->size(), QSize(443, 511));
    EXPECT_TRUE(window->Button("spbSaveImg")->isEnabled());
}

TEST_F(MainWindowTest, AFileOnTheCommandLineThatCannotBeOpenedLeavesAnUntitledStart) {
    TMainWindow other(*settings, dir.path() + "/", {dir.filePath("missing.vxd")});
    other.show();
    QApplication::processEvents();  // the start-up message
    EXPECT_EQ(messages, QStringList{dir.filePath("missing.vxd") + "\ndoes not exist."});
    EXPECT_EQ(other.windowTitle(), "Chess Vorlix 2.21 - Untitled");
    EXPECT_EQ(other.UndoList().Count(), 1);
    EXPECT_EQ(other.Board().GetPiece(QPoint(4, 0)), 1);

    const QString saved = dir.filePath("saved.vxd");
    ASSERT_TRUE(window->WriteDiagram(saved));
    TMainWindow opened(*settings, dir.path() + "/", {saved});
    opened.show();
    QApplication::processEvents();
    EXPECT_EQ(opened.windowTitle(), "Chess Vorlix 2.21 - saved.vxd");
    EXPECT_EQ(opened.UndoList().Count(), 1);
}

TEST_F(MainWindowTest, ADamagedFileOnTheCommandLineLeavesTheDefaultDiagram) {
    const QString damaged = dir.filePath("damaged.vxd");
    ASSERT_TRUE(window->WriteDiagram(damaged));
    QFile file(damaged);
    ASSERT_TRUE(file.open(QIODevice::Append));
    file.write("\x0a\xc8");  // an invalid grid line width after every valid field
    file.close();
    const QString empty = dir.filePath("empty.vxd");
    QFile(empty).open(QIODevice::WriteOnly);

    for (const QString& name : {damaged, empty}) {
        messages.clear();
        TMainWindow other(*settings, dir.path() + "/", {name});
        other.show();
        QApplication::processEvents();
        EXPECT_EQ(messages, QStringList{name + "\nInvalid diagram file."});
        EXPECT_EQ(other.windowTitle(), "Chess Vorlix 2.21 - Untitled");
        EXPECT_EQ(other.Board().Border().Items(), window->Board().Border().Items());
        EXPECT_EQ(other.Board().GridLineWidth(), window->Board().GridLineWidth());
        ASSERT_EQ(other.UndoList().Count(), 1);
        // The first undo state is the default diagram, frame included.
        other.Board().Border().Clear();
        other.MarkModified();
        other.Item("mnuEditUndo")->trigger();
        EXPECT_EQ(other.Board().Border().Items(), window->Board().Border().Items());
    }
}

TEST_F(MainWindowTest, FirstEditMarksTheCaption) {
    Item("mnuBoardClear")->trigger();
    EXPECT_EQ(window->windowTitle(), "Chess Vorlix 2.21 - Untitled*");
    EXPECT_TRUE(window->DiagramModified());
    EXPECT_TRUE(window->Board().IsEmpty());
    EXPECT_TRUE(window->UndoList().CanUndo());
    Item("mnuEditUndo")->trigger();
    EXPECT_FALSE(window->Board().IsEmpty());
}

TEST_F(MainWindowTest, ChoosingTheSamePieceStyleStillMarksModified) {
    window->Item("mnuPieceStyle0")->trigger();
    EXPECT_TRUE(window->DiagramModified());
    EXPECT_EQ(window->UndoList().Count(), 2);
}

TEST_F(MainWindowTest, CutIsDisabledOnAnEmptyBoard) {
    EXPECT_TRUE(OpenAndCheckEnabled("mnuEdit", "mnuEditCut"));
    window->tmrButtonsEnableTimer();
    EXPECT_TRUE(window->Button("spbCut")->isEnabled());
    Item("mnuBoardClear")->trigger();
    window->tmrButtonsEnableTimer();
    EXPECT_FALSE(window->Button("spbCut")->isEnabled());
    EXPECT_FALSE(OpenAndCheckEnabled("mnuEdit", "mnuEditCut"));
    // A mark alone counts as content.
    window->Board().SetPiece(0, 0, 14);
    window->tmrButtonsEnableTimer();
    EXPECT_TRUE(window->Button("spbCut")->isEnabled());
}

TEST_F(MainWindowTest, UndoAndRedoFollowTheHistory) {
    window->tmrButtonsEnableTimer();
    EXPECT_FALSE(window->Button("spbUndo")->isEnabled());
    window->MarkModified();
    window->tmrButtonsEnableTimer();
    EXPECT_TRUE(window->Button("spbUndo")->isEnabled());
    EXPECT_FALSE(window->Button("spbRedo")->isEnabled());
    window->Button("spbUndo")->click();
    window->tmrButtonsEnableTimer();
    EXPECT_TRUE(window->Button("spbRedo")->isEnabled());
}

TEST_F(MainWindowTest, CloseAsksOnlyWhenModified) {
    EXPECT_TRUE(window->close());
    EXPECT_TRUE(messages.isEmpty());

    window->show();
    window->MarkModified();
    answer = QMessageBox::Cancel;
    EXPECT_FALSE(window->close());
    ASSERT_EQ(messages.size(), 1);
    EXPECT_EQ(messages[0], "Save changes to current diagram ?");
    answer = QMessageBox::No;
    EXPECT_TRUE(window->close());
}

TEST_F(MainWindowTest, SaveQuestionNamesTheFileAndYesSavesIt) {
    const QString file = dir.filePath("mine.vxd");
    ASSERT_TRUE(window->WriteDiagram(file));
    EXPECT_EQ(window->windowTitle(), "Chess Vorlix 2.21 - mine.vxd");
    window->Board().SetPiece(4, 4, 2);
    window->MarkModified();
    answer = QMessageBox::Yes;
    EXPECT_TRUE(window->close());
    EXPECT_EQ(messages.value(0), "Save changes to  mine.vxd ?");
    TDiagram reread;
    TCollectingReporter reporter;
    ASSERT_TRUE(LoadDiagramFile(file, reread, reporter)) << reporter.Last();
    EXPECT_EQ(reread.Board.GetPiece(QPoint(4, 4)), 2);
}

TEST_F(MainWindowTest, ClosingStoresTheCloseTimeSettings) {
    window->ShowPiecesToolbar(false);
    window->close();
    QSettings ini(dir.filePath("settings.ini"), QSettings::IniFormat);
    EXPECT_EQ(ini.value(kMainKey + "/ShowCool").toInt(), 0);
    EXPECT_EQ(ini.value(kMainKey + "/ShowTool").toInt(), 1);
    EXPECT_EQ(ini.value(kMainKey + "/Height").toInt(), 511 - 50);
    EXPECT_EQ(ini.value(kMainKey + "/SavePath").toString(), dir.path() + "/");
}

TEST_F(MainWindowTest, HidingAToolbarShrinksTheWindowByItsHeight) {
    const int height = window->height();
    window->ShowPiecesToolbar(false);
    EXPECT_EQ(window->height(), height - 50);
    EXPECT_EQ(settings->RememberedHeight, height - 50);
    window->ShowCommandsToolbar(false);
    EXPECT_EQ(window->height(), height - 82);
    window->ShowPiecesToolbar(true);
    EXPECT_EQ(window->height(), height - 32);
    emit window->Menu("mnuOptions")->aboutToShow();
    EXPECT_FALSE(Item("mnuCommandsToolbar")->isChecked());
    EXPECT_EQ(Item("mnuCommandsToolbar")->statusTip(), "Show the commands toolbar (currently hidden)");
    EXPECT_EQ(Item("mnuPiecesToolbar")->statusTip(), "Hide the piece toolbar (currently visible)");
}

TEST_F(MainWindowTest, ScalingMenusStoreBothScalesAtOnce) {
    window->Item("mnuImageScale1")->trigger();
    window->Item("mnuPrintScale7")->trigger();
    QSettings ini(dir.filePath("settings.ini"), QSettings::IniFormat);
    EXPECT_EQ(ini.value(kMainKey + "/ImageScale").toInt(), 1);
    EXPECT_EQ(ini.value(kMainKey + "/PrintScale").toInt(), 7);
    emit window->Menu("mnuOptions")->aboutToShow();
    EXPECT_TRUE(Item("mnuImageScale1")->isChecked());
    EXPECT_EQ(Item("mnuImageScale0")->text(), " 40 %");
}

TEST_F(MainWindowTest, FileItemsOwnCtrlIAndCtrlS) {
    EXPECT_EQ(Item("mnuFileSaveImage")->shortcut(), QKeySequence("Ctrl+I"));
    EXPECT_EQ(Item("mnuFileSave")->shortcut(), QKeySequence("Ctrl+S"));
    EXPECT_TRUE(Item("mnuBoardInvert")->shortcut().isEmpty());
    EXPECT_TRUE(Item("mnuBoardStartPos")->shortcut().isEmpty());
    EXPECT_TRUE(Item("mnuBoardInvert")->text().endsWith("\tCtrl+I"));
    EXPECT_EQ(Item("mnuEditRedo")->shortcut(), QKeySequence("Shift+Ctrl+Z"));
}

TEST_F(MainWindowTest, CommandsOfLaterWorkAreDisabled) {
    for (const char* name : {"mnuBoardDefect"}) EXPECT_FALSE(Item(name)->isEnabled()) << name;
    // Printing is in place.
    EXPECT_TRUE(Item("mnuFilePrint")->isEnabled());
    EXPECT_TRUE(window->Button("spbPrint")->isEnabled());
}

TEST_F(MainWindowTest, HelpMenuOpensQuickStartAndClosingTheWindowClosesHelp) {
    QTest::keyClick(window.get(), Qt::Key_F1);
    EXPECT_EQ(HelpWindow().CurrentFile(), "contents.html");
    Item("mnuHelpQuickStart")->trigger();
    EXPECT_EQ(HelpWindow().CurrentFile(), "quickstart.html");
    EXPECT_TRUE(HelpWindow().isVisible());
    window->close();
    EXPECT_FALSE(HelpWindow().isVisible());
}

TEST_F(MainWindowTest, HintsReachTheFirstStatusPanel) {
    Item("mnuFileSaveImage")->showStatusText(window.get());
    EXPECT_EQ(window->StatusText(), "Save current diagram as an image");
    QStatusTipEvent leave("");
    QApplication::sendEvent(window.get(), &leave);
    EXPECT_EQ(window->StatusText(), "Chess Vorlix 2.21");
    EXPECT_EQ(window->Button("spbSaveEPD")->toolTip(), "Save Diagram");
}

TEST_F(MainWindowTest, SavedImageEqualsTheDirectRendering) {
    window->Item("mnuImageScale2")->trigger();  // 80 %
    window->Diagram().Header = THeaderFooterInfo{true, "Header", taCenter};
    for (int filter : {1, 2, 3}) {
        const QString fromWindow = dir.filePath(QString("window%1.img").arg(filter));
        ASSERT_TRUE(window->SaveImageTo(fromWindow, filter, 1, true));

        TImageSaveOptions options;
        options.Format = static_cast<TImageFormat>(filter - 1);
        options.ColorIndex = filter == 2 ? ciTrueColor : 1;
        const QImage image = RenderDiagramImage(window->Diagram(), 2);
        if (filter == 1)
            options.TransparentCorner = FindTransparentCorner(image, TransparencyRuleOf(window->Diagram()));
        const QString direct = dir.filePath(QString("direct%1.img").arg(filter));
        TCollectingReporter reporter;
        ASSERT_TRUE(SaveDiagramImage(image, direct, options, reporter));

        QFile a(fromWindow), b(direct);
        ASSERT_TRUE(a.open(QIODevice::ReadOnly) && b.open(QIODevice::ReadOnly));
        EXPECT_EQ(a.readAll(), b.readAll()) << filter;
    }
}

TEST_F(MainWindowTest, OverwriteQuestionGuardsExistingImages) {
    const QString file = dir.filePath("board.bmp");
    QFile existing(file);
    ASSERT_TRUE(existing.open(QIODevice::WriteOnly));
    existing.write("keep");
    existing.close();
    answer = QMessageBox::No;
    EXPECT_FALSE(window->SaveImageTo(file, 3, 3, false));
    EXPECT_EQ(messages.value(0), file + "\nThis file already exists.\n\nReplace existing file?");
    ASSERT_TRUE(existing.open(QIODevice::ReadOnly));
    EXPECT_EQ(existing.readAll(), "keep");
}

TEST_F(MainWindowTest, SavedBitmapEqualsTheRenderCommand) {
    const QString tool = VORLIX_BIN_DIR "/vorlix";
    if (!QFile::exists(tool)) GTEST_SKIP() << "vorlix not built";
    const QString fromWindow = dir.filePath("window.bmp"), fromTool = dir.filePath("tool.bmp");
    ASSERT_TRUE(window->SaveImageTo(fromWindow, 3, 3, false));
    QProcess render;
    render.start(tool, {"render", "--fen", "rnbqkbnr/pppppppp/8/8/8/8/PPPPPPPP/RNBQKBNR", "-o", fromTool});
    ASSERT_TRUE(render.waitForFinished(30000));
    ASSERT_EQ(render.exitCode(), 0) << render.readAllStandardError().toStdString();
    QFile a(fromWindow), b(fromTool);
    ASSERT_TRUE(a.open(QIODevice::ReadOnly) && b.open(QIODevice::ReadOnly));
    EXPECT_EQ(a.readAll(), b.readAll());
}

// Answers the image save dialog as a user would: file type, colour depth, name, Save.
static void AnswerSaveDialog(TImageFileDialog& dialog, int fileType, int colourRow, const QString& name) {
    QTimer::singleShot(0, [&dialog, fileType, colourRow, name] {
        auto* types = dialog.findChild<QComboBox*>("fileTypeCombo");
        types->setCurrentIndex(fileType - 1);
        emit types->textActivated(types->currentText());
        dialog.cmbColors()->setCurrentIndex(colourRow);
        emit dialog.cmbColors()->activated(colourRow);
        dialog.findChild<QLineEdit*>("fileNameEdit")->setText(name);
        static_cast<QDialog&>(dialog).accept();  // as the Save button does
    });
}

TEST_F(MainWindowTest, SaveAsImageForcesTheExtensionAndKeepsTheChosenType) {
    TImageFileDialog& dialog = window->ImageFileDialog();
    dialog.SetInitialDir(dir.path());
    AnswerSaveDialog(dialog, 3, 3, "board");
    window->Button("spbSaveImg")->click();
    const QImage saved(dir.filePath("board.bmp"));
    ASSERT_FALSE(saved.isNull());
    EXPECT_EQ(saved.depth(), 32);  // read back from a 24-bit file
    EXPECT_EQ(settings->SavePath, dir.path() + "/");

    // The next run opens on the same type and depth.
    QTimer::singleShot(0, [&dialog] { dialog.reject(); });
    window->Item("mnuFileSaveImage")->trigger();
    EXPECT_EQ(dialog.FilterIndex(), 3);
    EXPECT_EQ(dialog.cmbColors()->currentText().toStdString(), "True Color (24 bit)");
    EXPECT_TRUE(messages.isEmpty());
}

// Save as Image writes with the quality and size chosen in the strip, which
// leaves the settings' quality and image scale as they were.
TEST_F(MainWindowTest, SaveAsImageWritesWithTheStripsQualityAndSize) {
    TImageFileDialog& dialog = window->ImageFileDialog();
    dialog.SetInitialDir(dir.path());
    const struct {
        int FileType;
        const char* Name;
        int Quality, ScaleRow, SizePercent;
    } rows[] = {{2, "q30.jpg", 30, 7, 0}, {4, "big.png", 0, 0, 250}};
    for (const auto& row : rows) {
        SCOPED_TRACE(row.Name);
        QTimer::singleShot(0, [&dialog, row] {
            auto* types = dialog.findChild<QComboBox*>("fileTypeCombo");
            types->setCurrentIndex(row.FileType - 1);
            emit types->textActivated(types->currentText());
            if (row.Quality) dialog.findChild<QSpinBox*>("spbQuality")->setValue(row.Quality);
            if (row.ScaleRow) {
                dialog.cmbScale()->setCurrentIndex(row.ScaleRow);
                emit dialog.cmbScale()->activated(row.ScaleRow);
            }
            if (row.SizePercent) dialog.findChild<QSpinBox*>("spbScale")->setValue(row.SizePercent);
            dialog.findChild<QLineEdit*>("fileNameEdit")->setText(row.Name);
            static_cast<QDialog&>(dialog).accept();
        });
        window->Button("spbSaveImg")->click();

        QByteArray expected;
        std::string error;
        if (row.SizePercent) {
            TScalableOptions options;
            options.Format = TImageFormat::Png;
            options.Scale = row.SizePercent / 100.0;
            ASSERT_TRUE(EncodeScalableImage(window->Diagram(), options, expected, error)) << error;
        } else {
            TImageSaveOptions options;
            options.Format = TImageFormat::Jpeg;
            options.ColorIndex = ciTrueColor;
            options.Quality = row.Quality;
            const QString direct = dir.filePath("direct.jpg");
            TCollectingReporter reporter;
            ASSERT_TRUE(
                SaveDiagramImage(RenderDiagramImage(window->Diagram(), row.ScaleRow), direct, options, reporter));
            QFile f(direct);
            ASSERT_TRUE(f.open(QIODevice::ReadOnly));
            expected = f.readAll();
        }
        QFile saved(dir.filePath(row.Name));
        ASSERT_TRUE(saved.open(QIODevice::ReadOnly));
        EXPECT_TRUE(saved.readAll() == expected);
        EXPECT_EQ(settings->JPGQuality, 81);
        EXPECT_EQ(settings->ImageScale, 4);
    }
    EXPECT_TRUE(messages.isEmpty());
}

TEST_F(MainWindowTest, UndoStatesLiveInAFolderOfTheRunRemovedAtExit) {
    window->MarkModified();
    const QString folder = window->UndoList().Directory();
    EXPECT_TRUE(
        QFileInfo(folder).fileName().startsWith(QString("chess-vorlix-%1-").arg(QCoreApplication::applicationPid())));
    EXPECT_EQ(QDir(folder).entryList(QDir::Files).size(), 2);
    window.reset();
    EXPECT_FALSE(QFileInfo::exists(folder));
}

TEST(RunFolder, FoldersOfEndedRunsAreRemovedAndLiveOnesKept) {
    QTemporaryDir base;
    QFile pidMax("/proc/sys/kernel/pid_max");
    ASSERT_TRUE(pidMax.open(QIODevice::ReadOnly));
    const qint64 endedPid = pidMax.readAll().trimmed().toLongLong() + 1;  // no process can have it
    const QString ended = base.filePath(QString("chess-vorlix-%1-abcdef").arg(endedPid));
    const QString live = base.filePath(QString("chess-vorlix-%1-abcdef").arg(QCoreApplication::applicationPid()));
    const QString other = base.filePath("chess-vorlix-notes");
    for (const QString& folder : {ended, live, other}) ASSERT_TRUE(QDir().mkpath(folder + "/inside"));
    {
        TRunFolder run(base.path());
        EXPECT_TRUE(QFileInfo(run.Path()).isDir());
        EXPECT_FALSE(QFileInfo::exists(ended));
        EXPECT_TRUE(QFileInfo::exists(live));
        EXPECT_TRUE(QFileInfo::exists(other));
        QFile(run.Path() + "/state.tmp").open(QIODevice::WriteOnly);
    }
    EXPECT_EQ(QDir(base.path()).entryList(QDir::Dirs | QDir::NoDotAndDotDot).size(), 2);
}

TEST_F(MainWindowTest, AnUnwritableTemporaryFolderIsReportedOnceAndEditingGoesOn) {
    const QByteArray previous = qgetenv("TMPDIR");
    qputenv("TMPDIR", dir.filePath("no-such-folder").toLocal8Bit());
    messages.clear();
    {
        TMainWindow other(*settings, dir.path() + "/", {});
        other.show();
        QApplication::processEvents();
        other.Item("mnuBoardClear")->trigger();
        other.Board().SetPiece(0, 0, 1);
        other.MarkModified();
        EXPECT_TRUE(other.DiagramModified());
        EXPECT_FALSE(other.UndoList().CanUndo());
    }
    qputenv("TMPDIR", previous);
    ASSERT_EQ(messages.size(), 1);
    EXPECT_TRUE(messages.first().startsWith("The undo history cannot be kept: its folder\n"))
        << messages.first().toStdString();
}

TEST_F(MainWindowTest, AQuitSignalKeepsTheChangedDiagramForTheNextStart) {
    TQuitSignals quitSignals;
    QObject::connect(&quitSignals, &TQuitSignals::Received, window.get(), [this] { window->QuitOnSignal(); });
    window->Item("mnuBoardClear")->trigger();
    window->Board().SetPiece(3, 3, 2);
    window->MarkModified();
    const auto codes = window->Board().Codes();
    ::raise(SIGTERM);
    EXPECT_TRUE(QTest::qWaitFor([this] { return !window->isVisible(); }, 5000));
    EXPECT_TRUE(messages.isEmpty());  // nobody was asked
    ASSERT_TRUE(QFileInfo::exists(window->RecoveryFile()));

    answer = QMessageBox::Yes;
    TMainWindow next(*settings, dir.path() + "/", {});
    next.show();
    QApplication::processEvents();
    ASSERT_EQ(messages.size(), 1);
    EXPECT_TRUE(messages.first().endsWith("Open the recovered diagram?"));
    EXPECT_EQ(next.Board().Codes(), codes);
    EXPECT_EQ(next.windowTitle(), "Chess Vorlix 2.21 - Untitled*");
    EXPECT_FALSE(QFileInfo::exists(next.RecoveryFile()));  // offered once
}

TEST_F(MainWindowTest, AnUnchangedDiagramLeavesNoRecoveryFile) {
    window->QuitOnSignal();
    EXPECT_FALSE(window->isVisible());
    EXPECT_TRUE(messages.isEmpty());
    EXPECT_FALSE(QFileInfo::exists(window->RecoveryFile()));
}

TEST(EditorProgram, EndedBySignalsItLeavesNoUndoFolder) {
    const QString program = VORLIX_BIN_DIR "/chess-vorlix";
    if (!QFile::exists(program)) GTEST_SKIP() << "chess-vorlix not built";
    QTemporaryDir home;
    {
        // No file-type question holds up the start.
        TSettingsStore answers(home.filePath("settings.ini"));
        answers.WriteBool(kMainKey, "AskPGNReg", false);
        answers.WriteBool(kMainKey, "AskEPDReg", false);
        answers.Flush();
    }
    for (int signalNumber : {SIGTERM, SIGINT, SIGHUP}) {
        QProcess editor;
        editor.setProcessEnvironment(test::EditorEnvironment(home, home.filePath("settings.ini")));
        editor.start(program, {});
        ASSERT_TRUE(editor.waitForStarted(10000));
        // The first undo state is written once the window is up.
        auto states = [&] {
            for (const QString& folder : QDir(home.path()).entryList({"chess-vorlix-*"}, QDir::Dirs))
                if (!QDir(home.filePath(folder)).entryList({"*.tmp"}, QDir::Files).isEmpty()) return true;
            return false;
        };
        ASSERT_TRUE(QTest::qWaitFor(states, 15000)) << signalNumber;
        ::kill(pid_t(editor.processId()), signalNumber);
        ASSERT_TRUE(editor.waitForFinished(15000)) << signalNumber;
        EXPECT_EQ(editor.exitStatus(), QProcess::NormalExit) << signalNumber;
        EXPECT_EQ(editor.exitCode(), 0) << signalNumber;
        EXPECT_TRUE(QDir(home.path()).entryList({"chess-vorlix-*"}, QDir::Dirs).isEmpty()) << signalNumber;
        EXPECT_TRUE(QFileInfo::exists(home.filePath("settings.ini"))) << signalNumber;
    }
}
