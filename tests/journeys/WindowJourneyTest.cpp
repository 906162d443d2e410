// Journeys through the editor's windows: the Open dialog's filters, the
// start-up questions and quit signals, viewer windows, Save As, fonts.
#include <signal.h>

#include <QCheckBox>
#include <QComboBox>
#include <QDir>
#include <QElapsedTimer>
#include <QFileDialog>
#include <QFileSystemModel>
#include <QFontDialog>
#include <QLabel>
#include <QLineEdit>
#include <QListView>
#include <QProcess>
#include <QProgressDialog>
#include <QPushButton>
#include <QTableWidget>
#include <QTest>
#include <QTimer>
#include <QWindow>
#include <functional>
#include <memory>

#include "app/FileAssociations.h"
#include "app/ui/FileTypeDialog.h"
#include "app/ui/TipForm.h"
#include "board/DiagramFile.h"
#include "board/ui/BoardControl.h"
#include "board/ui/HeaderDialog.h"
#include "tests/common/EditorFixture.h"
#include "tests/common/EditorProcess.h"
#include "viewers/ui/GameLoading.h"
#include "viewers/ui/MoveListWindow.h"
#include "viewers/ui/PgnViewer.h"
#include "viewers/ui/ViewerWindow.h"

using namespace vorlix;

namespace {

// Runs respond on the modal dialog of type T once it shows (within 5 s).
template <typename T>
void AnswerModal(std::function<void(T&)> respond) {
    auto* poll = new QTimer;
    poll->setInterval(10);
    auto tries = std::make_shared<int>(0);
    QObject::connect(poll, &QTimer::timeout, [poll, tries, respond] {
        auto* dialog = qobject_cast<T*>(QApplication::activeModalWidget());
        if (!dialog || !dialog->isVisible()) {
            if (++*tries < 500) return;
            ADD_FAILURE() << "no " << T::staticMetaObject.className() << " came up";
        }
        poll->stop();
        poll->deleteLater();
        if (dialog && dialog->isVisible()) respond(*dialog);
    });
    poll->start();
}

// Picks a file type as the user does, through the dialog's type list.
void PickFileType(QFileDialog& dialog, int index) {
    auto* types = dialog.findChild<QComboBox*>("fileTypeCombo");
    types->setCurrentIndex(index);
    emit types->activated(index);
    emit types->textActivated(types->currentText());
}

QStringList FileTypes(QFileDialog& dialog) {
    auto* types = dialog.findChild<QComboBox*>("fileTypeCombo");
    QStringList labels;
    for (int i = 0; i < types->count(); ++i) labels << types->itemText(i);
    return labels;
}

// The files the dialog lists in its folder, as the user sees them (no folders).
QStringList Listed(QFileDialog& dialog) {
    auto* view = dialog.findChild<QListView*>("listView");
    const QAbstractItemModel* model = view->model();
    const QModelIndex root = view->rootIndex();
    QStringList names;
    for (int row = 0; row < model->rowCount(root); ++row) {
        const QModelIndex index = model->index(row, 0, root);
        const QFileInfo file(index.data(QFileSystemModel::FilePathRole).toString());
        if (file.isFile() && (model->flags(index) & Qt::ItemIsEnabled)) names << file.fileName();
    }
    names.sort();
    return names;
}

void ClickListed(QFileDialog& dialog, const QString& name) {
    auto* view = dialog.findChild<QListView*>("listView");
    const QModelIndex root = view->rootIndex();
    for (int row = 0; row < view->model()->rowCount(root); ++row) {
        const QModelIndex index = view->model()->index(row, 0, root);
        if (index.data().toString() == name) view->setCurrentIndex(index);
    }
}

class WindowJourney : public test::EditorFixture {
protected:
    QString MakeFolder(const QString& name, const QStringList& files) {
        QDir(dir.path()).mkdir(name);
        const QString folder = dir.filePath(name) + "/";
        for (const QString& file : files) {
            const QString suffix = QFileInfo(file).suffix().toLower();
            const QString source = suffix == "pgn"   ? VORLIX_TEST_DATA_DIR "/3.pgn"
                                   : suffix == "epd" ? VORLIX_TEST_DATA_DIR "/bratko-kopec.epd"
                                   : suffix == "vxd" ? VORLIX_SOURCE_DIR "/resources/default.vxd"
                                                     : QString();
            if (source.isEmpty())
                WriteFile(name + "/" + file, "text");
            else
                QFile::copy(source, folder + file);
        }
        return folder;
    }
};

}  // namespace

TEST_F(WindowJourney, TheOpenDialogListsWhatItsFiltersSayInAnyCaseAndOpensAPgn) {
    const QString folder =
        MakeFolder("files", {"GAME.PGN", "game.pgn", "Suite.EPD", "X.VXD", "notes.txt", "README", "old.Pgn.bak"});
    StartEditor();
    settings->OpenPath = folder;
    QStringList labels;
    std::vector<QStringList> listed(5);
    AnswerModal<QFileDialog>([&](QFileDialog& dialog) {
        labels = FileTypes(dialog);
        PickFileType(dialog, 4);  // every file, so the folder is read whole first
        EXPECT_TRUE(QTest::qWaitFor([&] { return Listed(dialog).size() == 7; }, 10000))
            << Listed(dialog).join(' ').toStdString();
        for (int type = 4; type >= 0; --type) {
            PickFileType(dialog, type);
            // The listing is filtered again once events run (a zero timer of the model).
            QTest::qWait(100);
            listed[size_t(type)] = Listed(dialog);
        }
        // Under the default filter, as the user clicks it.
        ClickListed(dialog, "GAME.PGN");
        static_cast<QDialog&>(dialog).accept();  // as the Open or Save button does
        if (dialog.isVisible()) {
            ADD_FAILURE() << "GAME.PGN could not be chosen";
            dialog.reject();
        }
    });
    window->Item("mnuFileOpen")->trigger();

    EXPECT_EQ(labels, (QStringList{"Chess Files (*.vxd, *.pgn, *.epd)", "Chess Diagrams (*.vxd)", "PGN Files (*.pgn)",
                                   "EPD Files (*.epd)", "All Files (*.*)"}));
    auto text = [](const QStringList& names) { return names.join(' ').toStdString(); };
    EXPECT_EQ(text(listed[0]), "GAME.PGN Suite.EPD X.VXD game.pgn");
    EXPECT_EQ(text(listed[1]), "X.VXD");
    EXPECT_EQ(text(listed[2]), "GAME.PGN game.pgn");
    EXPECT_EQ(text(listed[3]), "Suite.EPD");
    EXPECT_EQ(listed[4].size(), 7) << "files without an extension are every file too";
    auto& viewer = dynamic_cast<TPgnViewer&>(window->PgnViewer());
    EXPECT_TRUE(viewer.isVisible());
    // The file's name as the user wrote it, not the lower-cased path.
    EXPECT_EQ(viewer.windowTitle(), "PGN Archive: GAME.PGN");
    EXPECT_EQ(settings->OpenPath, folder);
    viewer.close();
}

TEST_F(WindowJourney, ViewersStayAboveTheMainWindowOnlyAndBesideItsBoard) {
    const QString folder = MakeFolder("files", {"game.pgn"});
    StartEditor();
    window->OpenChessFile(folder + "game.pgn");
    auto& viewer = dynamic_cast<TPgnViewer&>(window->PgnViewer());
    ASSERT_TRUE(viewer.isVisible());
    for (QWidget* w : {static_cast<QWidget*>(&viewer), static_cast<QWidget*>(viewer.MoveList())}) {
        EXPECT_EQ(w->windowType(), Qt::Tool) << w->objectName().toStdString();
        EXPECT_FALSE(w->windowFlags().testFlag(Qt::WindowStaysOnTopHint)) << w->objectName().toStdString();
    }
    EXPECT_EQ(viewer.parentWidget(), window.get());
    EXPECT_EQ(viewer.MoveList()->parentWidget(), &viewer);

    // Unticked, the viewer is a window of its own, where it was; ticked again, the main window's.
    const QPoint place = viewer.pos();
    viewer.chkOnTop()->click();
    EXPECT_EQ(viewer.windowType(), Qt::Window);
    EXPECT_EQ(viewer.parentWidget(), nullptr);
    EXPECT_TRUE(viewer.isVisible());
    EXPECT_EQ(viewer.pos(), place);
    viewer.chkOnTop()->click();
    EXPECT_EQ(viewer.windowType(), Qt::Tool);
    EXPECT_EQ(viewer.parentWidget(), window.get());
    EXPECT_TRUE(viewer.isVisible());
    viewer.close();
}

TEST(ViewerPlace, BesideTheMainWindowWhenTheScreenHasRoomElseAboveTheBoard) {
    const QRect main(700, 300, 443, 511);
    const QRect board(760, 420, 328, 328);
    const QSize own(640, 300);
    const int title = 24;
    struct TCase {
        QRect Screen;
        int Companion, MinWidth;
        QRect Expected;
    };
    const TCase cases[] = {
        {{0, 0, 1920, 1080}, 0, 300, {1143, 396, 640, 300}},      // right of the main window, top at the board's height
        {{-300, 0, 2100, 1080}, 240, 300, {60, 396, 640, 300}},   // the move list fits beside it only on the left
        {{0, 0, 1920, 1080}, 900, 300, {1143, 396, 640, 300}},    // it fits nowhere: the viewer still goes right
        {{0, 0, 1700, 1080}, 0, 300, {60, 396, 640, 300}},        // no room on the right
        {{0, 0, 1700, 600}, 0, 300, {60, 300, 640, 300}},         // kept on the screen
        {{400, 0, 1300, 1080}, 240, 300, {1143, 396, 317, 300}},  // narrower, leaving the move list room
        {{400, 0, 1300, 1080}, 300, 300, {1143, 396, 557, 300}},  // narrower, all the room there is
        {{400, 0, 1300, 1080}, 0, 600, {602, 120, 640, 300}},     // too narrow: over the main window, above the board
        {{400, 200, 1300, 880}, 0, 600, {602, 200, 640, 300}},    // not above the screen's top
    };
    for (const TCase& c : cases) {
        EXPECT_EQ(ViewerPlace(main, board, own, title, c.Screen, c.Companion, c.MinWidth), c.Expected)
            << c.Screen.width() << " " << c.Companion << " " << c.MinWidth;
    }
}

TEST(MoveListPlace, TheMoveListKeepsOffTheMainWindowWhenItCan) {
    const QRect main(400, 300, 443, 511);
    const QSize own(240, 320);
    struct TCase {
        QRect Viewer, Screen;
        QPoint Expected;
    };
    const TCase cases[] = {
        {{843, 400, 640, 300}, {0, 0, 1920, 1080}, {1483, 390}},  // right of the viewer
        {{260, 400, 140, 300}, {0, 0, 1920, 1080}, {20, 390}},    // left of it, away from the main window
        {{0, 400, 400, 300}, {0, 0, 1920, 1080}, {843, 390}},     // beside the main window instead
        {{843, 400, 640, 300}, {0, 0, 1600, 1080}, {160, 390}},   // on the main window's other side
    };
    for (const TCase& c : cases)
        EXPECT_EQ(MoveListPlace(c.Viewer, own, c.Screen, main), c.Expected) << c.Viewer.x() << " " << c.Screen.width();
    // Without a window to keep free: right, else left, else centred on the viewer.
    EXPECT_EQ(MoveListPlace({843, 400, 640, 300}, own, {0, 0, 1600, 1080}), QPoint(603, 390));
}

// ---- start-up: the questions come over the finished window, and a quit ends them

TEST_F(WindowJourney, TheFileTypeQuestionsComeOverTheShownWindowAndAQuitLeavesThemUnanswered) {
    QTemporaryDir xdg;
    TXdgDirs dirs{
        xdg.filePath("data"), xdg.filePath("config"), {xdg.filePath("sys-data")}, {xdg.filePath("sys-config")}};
    TFileAssociations desktop(dirs, dir.filePath("chess-vorlix"));
    associations = &desktop;
    bool boardShown = false, windowMapped = false;
    QString text;
    AnswerModal<TFileTypeDialog>([&](TFileTypeDialog& pgn) {
        boardShown = window->BoardControl().isVisible();
        windowMapped = window->windowHandle() && window->windowHandle()->isVisible();
        text = pgn.findChild<QLabel*>("lblQuestion")->text();
        EXPECT_EQ(pgn.parentWidget(), window.get());
        AnswerModal<TFileTypeDialog>([&](TFileTypeDialog& epd) {
            // A quit signal while the EPD question waits: nobody answers it.
            window->QuitOnSignal();
            epd.done(QDialog::Rejected);
        });
        pgn.chkDontAsk()->setChecked(true);
        pgn.btnNo()->click();
    });
    StartEditor();
    EXPECT_TRUE(boardShown);
    EXPECT_TRUE(windowMapped);
    EXPECT_TRUE(
        text.endsWith("Do you want to use Chess Vorlix to view PGN files when you double-click them in the "
                      "file manager?"))
        << text.toStdString();
    EXPECT_FALSE(settings->AskPGNReg);
    EXPECT_FALSE(settings->DoPGNReg);
    EXPECT_TRUE(settings->AskEPDReg) << "the unanswered question is asked again next time";
    EXPECT_TRUE(settings->DoEPDReg);
    for (TChessFileType type : {TChessFileType::PGN, TChessFileType::EPD, TChessFileType::VXD})
        EXPECT_FALSE(desktop.IsAssociated(type)) << int(type);
    EXPECT_FALSE(window->isVisible());
    EXPECT_FALSE(window->TipForm().isVisible());
}

// A quit signal while a large PGN file is read stops the read at once and
// ends the program without waiting for the rest of the file.
TEST_F(WindowJourney, AQuitSignalWhileAGameFileLoadsStopsTheLoad) {
    QByteArray games;
    for (int i = 0; i < 60000; ++i)
        games += "[Event \"E" + QByteArray::number(i) +
                 "\"]\n[White \"W\"]\n[Black \"B\"]\n[Result \"*\"]\n\n1. e4 e5 *\n\n";
    const QString file = WriteFile("many.pgn", games);
    StartEditor();
    HoldLoadsUntilCancelledForTests(true);  // the load waits in the middle of the file until it is stopped
    bool signalled = false;
    QElapsedTimer sinceSignal;
    QTimer watch;
    QObject::connect(&watch, &QTimer::timeout, [&] {
        for (QWidget* w : QApplication::topLevelWidgets()) {
            auto* progress = qobject_cast<QProgressDialog*>(w);
            if (!progress || !progress->isVisible() || progress->value() <= 0) continue;
            if (!signalled) {
                signalled = true;
                sinceSignal.start();
                window->QuitOnSignal();
            } else if (sinceSignal.elapsed() > 5000) {
                ADD_FAILURE() << "the load went on after the quit signal";
                progress->cancel();  // end the test instead of hanging
            }
        }
    });
    watch.start(20);
    window->OpenChessFile(file);
    watch.stop();
    HoldLoadsUntilCancelledForTests(false);
    EXPECT_TRUE(signalled);
    EXPECT_FALSE(window->isVisible());
    EXPECT_TRUE(messages.isEmpty()) << messages.join('|').toStdString();  // nobody is asked or told
    auto* viewer = dynamic_cast<QWidget*>(&window->PgnViewer());
    ASSERT_TRUE(viewer);
    EXPECT_TRUE(QTest::qWaitFor([&] { return !viewer->isVisible(); }, 2000));
}

// The real program, ended by a quit signal while a modal window waits.
TEST(EditorProgramJourney, AQuitSignalWhileAModalWindowWaitsEndsTheProgram) {
    const QString program = VORLIX_BIN_DIR "/chess-vorlix";
    if (!QFile::exists(program)) GTEST_SKIP() << "chess-vorlix not built";
    struct TCase {
        int Signal;
        bool Recovered;  // the recovered-diagram question instead of the file-type question
        const char* Title;
    };
    const TCase cases[] = {{SIGTERM, false, "File Extensions..."},
                           {SIGINT, false, "File Extensions..."},
                           {SIGHUP, false, "File Extensions..."},
                           {SIGTERM, true, ""}};
    for (const TCase& c : cases) {
        QTemporaryDir home;
        const QString settingsFile = home.filePath("settings.ini");
        if (c.Recovered) {
            TSettingsStore answers(settingsFile);
            answers.WriteBool(kMainKey, "AskPGNReg", false);
            answers.WriteBool(kMainKey, "AskEPDReg", false);
            answers.Flush();
            QFile::copy(VORLIX_SOURCE_DIR "/resources/default.vxd", home.filePath("recovered.vxd"));
        }
        QProcess editor;
        QProcessEnvironment env = test::EditorEnvironment(home, settingsFile);
        env.insert("QT_LOGGING_RULES", "vorlix.windows.info=true");
        editor.setProcessEnvironment(env);
        editor.start(program, {});
        ASSERT_TRUE(editor.waitForStarted(10000));
        const QByteArray shown = QByteArray("modal window shown: ") + c.Title;
        QByteArray log;
        QElapsedTimer clock;
        clock.start();
        while (!log.contains(shown) && clock.elapsed() < 20000 && editor.state() == QProcess::Running) {
            editor.waitForReadyRead(200);
            log += editor.readAllStandardError();
        }
        ASSERT_TRUE(log.contains(shown)) << c.Signal << ": " << log.toStdString();
        ::kill(pid_t(editor.processId()), c.Signal);
        clock.restart();
        const bool ended = editor.waitForFinished(5000);
        if (!ended) editor.kill();
        ASSERT_TRUE(ended) << c.Signal << " " << c.Recovered;
        EXPECT_LT(clock.elapsed(), 3000) << c.Signal;
        EXPECT_EQ(editor.exitStatus(), QProcess::NormalExit) << c.Signal;
        EXPECT_EQ(editor.exitCode(), 0) << c.Signal;
        // Ended through the normal shut-down: settings written, undo folder gone, nothing answered.
        EXPECT_TRUE(QDir(home.path()).entryList({"chess-vorlix-*"}, QDir::Dirs).isEmpty()) << c.Signal;
        TSettingsStore after(settingsFile);
        EXPECT_TRUE(after.ReadInteger(kMainKey, "PrintScale").has_value()) << c.Signal;
        if (!c.Recovered) {
            EXPECT_EQ(after.ReadBool(kMainKey, "AskPGNReg"), true) << c.Signal;
            EXPECT_FALSE(QFileInfo::exists(home.filePath("config/mimeapps.list"))) << c.Signal;
        } else {
            // Unanswered, the recovered diagram is offered again at the next start.
            EXPECT_TRUE(QFileInfo::exists(home.filePath("recovered.vxd"))) << c.Signal;
        }
    }
}

// ---- Save As and fonts

TEST_F(WindowJourney, SaveAsOffersTheLastNameAfterNew) {
    StartEditor();
    settings->SaveVXDPath = dir.path() + "/";
    AnswerModal<QFileDialog>([](QFileDialog& dialog) {
        dialog.findChild<QLineEdit*>("fileNameEdit")->setText("first");
        static_cast<QDialog&>(dialog).accept();  // as the Open or Save button does
    });
    window->Item("mnuFileSaveAs")->trigger();
    ASSERT_TRUE(QFileInfo::exists(dir.filePath("first.vxd")));
    window->Item("mnuFileNew")->trigger();
    QString offered, folder;
    AnswerModal<QFileDialog>([&](QFileDialog& dialog) {
        offered = dialog.findChild<QLineEdit*>("fileNameEdit")->text();
        folder = dialog.directory().absolutePath();
        dialog.reject();
    });
    window->Item("mnuFileSaveAs")->trigger();
    EXPECT_EQ(offered, "first.vxd");
    EXPECT_EQ(folder, QDir(dir.path()).absolutePath());
}

TEST_F(WindowJourney, AFontDialogLeftUnchangedKeepsTheDiagramsFontName) {
    StartEditor();
    ASSERT_EQ(window->Diagram().Header.Font.Name, "MS Sans Serif");
    AnswerModal<THeaderDialog>([this](THeaderDialog& header) {
        AnswerModal<QFontDialog>([](QFontDialog& fonts) { fonts.accept(); });
        header.findChild<QPushButton*>("btnFont")->click();
        header.findChild<QCheckBox*>("chkEnabled")->setChecked(true);
        header.findChild<QPushButton*>("btnApply")->click();
        header.close();
    });
    window->Item("mnuConfigureHeader")->trigger();
    EXPECT_TRUE(window->Diagram().Header.Enabled);
    EXPECT_EQ(window->Diagram().Header.Font.Name, "MS Sans Serif");
    EXPECT_EQ(window->Diagram().Header.Font.Size, 12);
    EXPECT_EQ(window->Diagram().Header.Font.Style, fsBold);

    // And so does the diagram file.
    const QString file = dir.filePath("font.vxd");
    ASSERT_TRUE(window->WriteDiagram(file));
    TDiagram saved;
    TCollectingReporter reporter;
    ASSERT_TRUE(LoadDiagramFile(file, saved, reporter)) << reporter.Last();
    EXPECT_EQ(saved.Header.Font.Name, "MS Sans Serif");
}
