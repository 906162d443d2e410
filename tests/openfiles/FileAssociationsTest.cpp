#include <QCheckBox>
#include <QProcess>
#include <QPushButton>
#include <QStandardPaths>
#include <QTimer>

#include "app/FileAssociations.h"
#include "app/ui/FileTypeDialog.h"
#include "tests/common/EditorFixture.h"

using namespace vorlix;
using vorlix::test::EditorFixture;

namespace {

const QString kProgram = "/opt/chess vorlix/bin/chess-vorlix";

QString ReadText(const QString& fileName) {
    QFile file(fileName);
    file.open(QIODevice::ReadOnly);
    return QString::fromUtf8(file.readAll());
}

// User folders in a temporary place; the system folders are empty ones, so
// nothing installed on the machine takes part.
class XdgFolders {
public:
    XdgFolders() {
        Dirs.DataHome = root.filePath("data");
        Dirs.ConfigHome = root.filePath("config");
        Dirs.DataDirs = {root.filePath("system-data")};
        Dirs.ConfigDirs = {root.filePath("system-config")};
    }
    // What "xdg-mime query default" answers in these folders; null when the tool is missing.
    QString QueryDefault(const QString& mimeType) const {
        const QString tool = QStandardPaths::findExecutable("xdg-mime");
        if (tool.isEmpty()) return {};
        QProcess process;
        QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
        env.insert("XDG_DATA_HOME", Dirs.DataHome);
        env.insert("XDG_CONFIG_HOME", Dirs.ConfigHome);
        env.insert("XDG_DATA_DIRS", Dirs.DataDirs.join(':'));
        env.insert("XDG_CONFIG_DIRS", Dirs.ConfigDirs.join(':'));
        env.remove("XDG_CURRENT_DESKTOP");
        env.remove("DESKTOP_SESSION");
        env.remove("KDE_FULL_SESSION");
        env.remove("GNOME_DESKTOP_SESSION_ID");
        process.setProcessEnvironment(env);
        process.start(tool, {"query", "default", mimeType});
        process.waitForFinished(10000);
        return QString::fromUtf8(process.readAllStandardOutput()).trimmed() + "";
    }
    static bool ToolInstalled() { return !QStandardPaths::findExecutable("xdg-mime").isEmpty(); }

    QTemporaryDir root;
    TXdgDirs Dirs;
};

}  // namespace

TEST(FileAssociationsTest, AssociatingOneTypeClaimsOnlyThatTypeAndKeepsOtherDefaults) {
    XdgFolders xdg;
    QDir().mkpath(xdg.Dirs.ConfigHome);
    QFile list(xdg.Dirs.ConfigHome + "/mimeapps.list");
    list.open(QIODevice::WriteOnly);
    list.write(
        "[Added Associations]\napplication/x-chess-pgn=other.desktop;\n\n"
        "[Default Applications]\ntext/plain=editor.desktop\napplication/x-chess-pgn=other.desktop\n");
    list.close();

    TFileAssociations associations(xdg.Dirs, kProgram);
    EXPECT_FALSE(associations.IsAssociated(TChessFileType::PGN));
    associations.Associate(TChessFileType::PGN);
    EXPECT_TRUE(associations.IsAssociated(TChessFileType::PGN));
    EXPECT_FALSE(associations.IsAssociated(TChessFileType::EPD));
    EXPECT_EQ(associations.DefaultApplication("application/x-chess-epd"), "");

    const QString entry = ReadText(associations.DesktopEntryFile());
    EXPECT_TRUE(entry.contains("Exec=\"" + kProgram + "\" %f\n"));
    EXPECT_TRUE(entry.contains("MimeType=application/x-chess-pgn;\n"));
    EXPECT_TRUE(entry.contains("Icon=chess-vorlix\n"));
    const QString mimeapps = ReadText(associations.MimeAppsFile());
    EXPECT_TRUE(mimeapps.contains("text/plain=editor.desktop"));
    EXPECT_TRUE(mimeapps.contains("[Added Associations]\napplication/x-chess-pgn=other.desktop;"));
    EXPECT_EQ(mimeapps.count("application/x-chess-pgn=chess-vorlix.desktop"), 1);
    EXPECT_FALSE(mimeapps.contains("application/x-chess-pgn=other.desktop\n"));

    const QString package = ReadText(associations.MimePackageFile());
    EXPECT_TRUE(package.contains("<mime-type type=\"application/x-chess-epd\">"));
    EXPECT_TRUE(package.contains("<glob pattern=\"*.vxd\"/>"));
    for (const char* icon : {"application-x-chess-pgn", "application-x-chess-epd", "application-x-vorlix-diagram"})
        EXPECT_TRUE(QFile::exists(xdg.Dirs.DataHome + "/icons/hicolor/scalable/mimetypes/" + icon + ".svg")) << icon;

    // A second type joins the entry; associating again changes nothing more.
    associations.Associate(TChessFileType::EPD);
    associations.Associate(TChessFileType::EPD);
    EXPECT_TRUE(ReadText(associations.DesktopEntryFile())
                    .contains("MimeType=application/x-chess-pgn;application/x-chess-epd;\n"));
    EXPECT_EQ(ReadText(associations.MimeAppsFile()).count("application/x-chess-epd="), 1);
    EXPECT_TRUE(associations.IsAssociated(TChessFileType::PGN));
}

TEST(FileAssociationsTest, AnEntryStartingAnotherProgramDoesNotCount) {
    XdgFolders xdg;
    TFileAssociations(xdg.Dirs, "/usr/games/elsewhere").Associate(TChessFileType::VXD);
    EXPECT_FALSE(TFileAssociations(xdg.Dirs, kProgram).IsAssociated(TChessFileType::VXD));
    EXPECT_TRUE(TFileAssociations(xdg.Dirs, "/USR/GAMES/ELSEWHERE").IsAssociated(TChessFileType::VXD));
}

TEST(FileAssociationsTest, TheDesktopToolsGiveTheSameAnswer) {
    if (!XdgFolders::ToolInstalled()) GTEST_SKIP() << "xdg-mime is not installed";
    XdgFolders xdg;
    TFileAssociations associations(xdg.Dirs, kProgram);
    EXPECT_EQ(xdg.QueryDefault("application/x-chess-pgn"), "");
    associations.Associate(TChessFileType::PGN);
    EXPECT_EQ(xdg.QueryDefault("application/x-chess-pgn"), "chess-vorlix.desktop");
    EXPECT_EQ(xdg.QueryDefault("application/x-chess-epd"), "");
    if (!QStandardPaths::findExecutable("update-mime-database").isEmpty())
        EXPECT_TRUE(QFile::exists(xdg.Dirs.DataHome + "/mime/globs2"));
}

TEST(FileAssociationsTest, AProgramInstalledForTheSystemOnlySetsTheUsersDefaults) {
    struct TCase {
        const char* Name;
        bool OnPath;        // the PATH leads the entry's bare name to the program
        bool OtherProgram;  // the checking program is another copy
        bool MimeInstalled;
        bool UserCopies;  // expected: the user's own entry and types are written
    };
    const TCase cases[] = {
        {"installed and on the PATH", true, false, true, false},
        {"not on the PATH", false, false, true, true},
        {"another copy of the program", true, true, true, true},
        {"entry without its MIME types", true, false, false, true},
    };
    const QByteArray oldPath = qgetenv("PATH");
    for (const TCase& c : cases) {
        XdgFolders xdg;
        const QString system = xdg.Dirs.DataDirs.first();
        const QString bin = xdg.root.filePath("prefix/bin");
        ASSERT_TRUE(QDir().mkpath(bin) && QDir().mkpath(system + "/applications") &&
                    QDir().mkpath(system + "/mime/packages"));
        QFile program(bin + "/chess-vorlix");
        ASSERT_TRUE(program.open(QIODevice::WriteOnly));
        program.close();
        program.setPermissions(QFileDevice::ReadOwner | QFileDevice::WriteOwner | QFileDevice::ExeOwner);
        ASSERT_TRUE(QFile::copy(VORLIX_SOURCE_DIR "/packaging/chess-vorlix.desktop",
                                system + "/applications/chess-vorlix.desktop"));
        if (c.MimeInstalled)
            ASSERT_TRUE(QFile::copy(VORLIX_SOURCE_DIR "/packaging/chess-vorlix.xml",
                                    system + "/mime/packages/chess-vorlix.xml"));
        // Another program is the user's default, so the question would come.
        QDir().mkpath(xdg.Dirs.ConfigHome);
        QFile list(xdg.Dirs.ConfigHome + "/mimeapps.list");
        ASSERT_TRUE(list.open(QIODevice::WriteOnly));
        list.write("[Default Applications]\napplication/x-chess-pgn=other.desktop\n");
        list.close();
        QFile other(system + "/applications/other.desktop");
        ASSERT_TRUE(other.open(QIODevice::WriteOnly));
        other.write("[Desktop Entry]\nType=Application\nName=Other\nExec=other %f\n");
        other.close();
        qputenv("PATH", (c.OnPath ? bin.toLocal8Bit() + ":" : QByteArray()) + oldPath);

        TFileAssociations associations(xdg.Dirs, c.OtherProgram ? kProgram : bin + "/chess-vorlix");
        EXPECT_FALSE(associations.IsAssociated(TChessFileType::PGN)) << c.Name;
        associations.Associate(TChessFileType::PGN);
        EXPECT_TRUE(associations.IsAssociated(TChessFileType::PGN)) << c.Name;
        EXPECT_EQ(QFile::exists(associations.DesktopEntryFile()), c.UserCopies) << c.Name;
        EXPECT_EQ(QFile::exists(associations.MimePackageFile()), c.UserCopies) << c.Name;
        EXPECT_TRUE(ReadText(associations.MimeAppsFile()).contains("application/x-chess-pgn=chess-vorlix.desktop\n"))
            << c.Name;
        if (XdgFolders::ToolInstalled())
            EXPECT_EQ(xdg.QueryDefault("application/x-chess-pgn"), "chess-vorlix.desktop") << c.Name;
    }
    qputenv("PATH", oldPath);
}

// ---- The question at start-up ----------------------------------------------

namespace {

class AssociationStartTest : public EditorFixture {
protected:
    void SetUp() override {
        EditorFixture::SetUp();
        checker = std::make_unique<TFileAssociations>(xdg.Dirs, QApplication::applicationFilePath());
        associations = checker.get();
    }
    // Starts the editor answering every file-type question as told; returns the questions' captions.
    QStringList StartAnswering(bool yes, bool dontAsk) {
        QStringList asked;
        QTimer answerer;
        answerer.setInterval(5);
        QObject::connect(&answerer, &QTimer::timeout, [&] {
            auto* question = qobject_cast<TFileTypeDialog*>(QApplication::activeModalWidget());
            if (!question) return;
            asked << question->chkDontAsk()->text();
            question->chkDontAsk()->setChecked(dontAsk);
            (yes ? question->btnYes() : question->btnNo())->click();
        });
        answerer.start();
        window.reset();
        StartEditor();
        return asked;
    }

    XdgFolders xdg;
    std::unique_ptr<TFileAssociations> checker;
};

}  // namespace

TEST_F(AssociationStartTest, FirstStartAsksForPgnAndEpdAndYesAssociatesThem) {
    EXPECT_EQ(StartAnswering(true, false),
              (QStringList{"Do not ask anymore for PGN Files", "Do not ask anymore for EPD Files"}));
    for (TChessFileType type : {TChessFileType::PGN, TChessFileType::EPD, TChessFileType::VXD})
        EXPECT_TRUE(checker->IsAssociated(type));
    if (XdgFolders::ToolInstalled()) EXPECT_EQ(xdg.QueryDefault("application/x-chess-pgn"), "chess-vorlix.desktop");
    EXPECT_TRUE(settings->AskPGNReg && settings->DoPGNReg);
    EXPECT_TRUE(messages.isEmpty());

    EXPECT_TRUE(StartAnswering(false, true).isEmpty());  // the next start asks nothing
}

TEST_F(AssociationStartTest, NoWithDoNotAskAnymoreNeverAsksAgainAndAssociatesNothing) {
    EXPECT_EQ(StartAnswering(false, true).size(), 2);
    EXPECT_FALSE(checker->IsAssociated(TChessFileType::PGN));
    EXPECT_FALSE(checker->IsAssociated(TChessFileType::EPD));
    EXPECT_TRUE(checker->IsAssociated(TChessFileType::VXD));  // diagrams are not asked about
    EXPECT_EQ(store->ReadBool(kMainKey, "AskPGNReg"), false);
    EXPECT_EQ(store->ReadBool(kMainKey, "DoPGNReg"), false);
    EXPECT_EQ(store->ReadBool(kMainKey, "AskEPDReg"), false);
    EXPECT_EQ(store->ReadBool(kMainKey, "DoEPDReg"), false);

    EXPECT_TRUE(StartAnswering(true, false).isEmpty());
    EXPECT_FALSE(checker->IsAssociated(TChessFileType::PGN));
}

TEST_F(AssociationStartTest, AFailedWriteIsReported) {
    QFile blocker(xdg.Dirs.DataHome);  // a file where the data folder should be
    blocker.open(QIODevice::WriteOnly);
    blocker.close();
    StartAnswering(true, true);
    ASSERT_FALSE(messages.isEmpty());
    EXPECT_TRUE(messages.first().startsWith("Could not create the folder " + xdg.Dirs.DataHome));
}
