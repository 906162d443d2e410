#include <gtest/gtest.h>

#include <QDir>
#include <QFileInfo>
#include <QTemporaryDir>

#include "settings/AppPaths.h"

using namespace vorlix;

namespace {

// Sets environment variables for one test and puts the old values back.
class TEnvironment {
public:
    void Set(const char* name, const QString& value) {
        if (!old_.contains(name)) old_.insert(name, qEnvironmentVariableIsSet(name) ? qgetenv(name) : QByteArray());
        qputenv(name, value.toLocal8Bit());
    }
    ~TEnvironment() {
        for (auto it = old_.begin(); it != old_.end(); ++it)
            it.value().isNull() ? qunsetenv(it.key().constData()) : qputenv(it.key().constData(), it.value());
    }

private:
    QMap<QByteArray, QByteArray> old_;
};

// A user's home with nothing in it: no user-dirs, no cache yet.
struct THome {
    QTemporaryDir Dir;
    TEnvironment Env;
    THome() {
        Env.Set("HOME", Dir.path());
        Env.Set("XDG_CONFIG_HOME", Dir.filePath(".config"));
        Env.Set("XDG_CACHE_HOME", Dir.filePath(".cache"));
    }
    // A folder in the home, or the home itself, with a trailing slash.
    QString Path(const QString& name) const { return (name.isEmpty() ? Dir.path() : Dir.filePath(name)) + "/"; }
};

}  // namespace

TEST(AppPaths, CommandLineNamesAreResolvedAgainstTheStartFolder) {
    const QStringList resolved = TAppPaths::ResolveArguments(
        {"my diagram.vxd", "../games/x.pgn", "/abs/file.epd", "./sub/./y.vxd"}, "/home/user/work");
    EXPECT_EQ(resolved, (QStringList{"/home/user/work/my diagram.vxd", "/home/user/games/x.pgn", "/abs/file.epd",
                                     "/home/user/work/sub/y.vxd"}));
}

TEST(AppPaths, TheScratchFolderIsInTheUsersCacheAndNamesResolvedBeforeStillHold) {
    THome home;
    QTemporaryDir start;
    const QString previous = QDir::currentPath();
    ASSERT_TRUE(QDir::setCurrent(start.path()));
    const QStringList resolved = TAppPaths::ResolveArguments({"a.vxd"}, QDir::currentPath());

    const QString scratch = TAppPaths::PrepareWorkingFolder();
    EXPECT_EQ(scratch, home.Path(".cache/chess-vorlix/TEMP"));
    EXPECT_EQ(TAppPaths::WorkingFolder(), scratch);
    EXPECT_EQ(QDir::currentPath() + "/", scratch);
    EXPECT_EQ(resolved.first(), QDir(start.path()).filePath("a.vxd"));
    // A second run finds it made and enters it again.
    ASSERT_TRUE(QDir::setCurrent(start.path()));
    EXPECT_EQ(TAppPaths::PrepareWorkingFolder(), scratch);
    EXPECT_EQ(QDir::currentPath() + "/", scratch);
    QDir::setCurrent(previous);
}

TEST(AppPaths, AnUnusableCacheSendsTheScratchFolderToTheTemporaryFolder) {
    THome home;
    QFile blocker(home.Dir.filePath("not-a-folder"));
    ASSERT_TRUE(blocker.open(QIODevice::WriteOnly));
    blocker.close();
    home.Env.Set("XDG_CACHE_HOME", blocker.fileName());  // a file: nothing can be made inside
    QTemporaryDir temp;
    home.Env.Set("TMPDIR", temp.path());
    const QString previous = QDir::currentPath();
    EXPECT_EQ(TAppPaths::PrepareWorkingFolder(), temp.filePath("chess-vorlix/TEMP") + "/");
    QDir::setCurrent(previous);
}

TEST(AppPaths, DialogsStartAmongTheUsersFilesNeverBesideTheProgram) {
    struct TCase {
        QStringList Made;  // folders that exist in the home
        QString Documents, Pictures;
    };
    const TCase cases[] = {
        {{}, "", ""},                               // a bare home
        {{"Documents"}, "Documents", "Documents"},  // no pictures folder: documents
        {{"Documents", "Pictures"}, "Documents", "Pictures"},
        {{"Pictures"}, "", "Pictures"},
    };
    for (const TCase& c : cases) {
        THome home;
        for (const QString& folder : c.Made) ASSERT_TRUE(QDir(home.Dir.path()).mkdir(folder));
        const std::string made = c.Made.join(",").toStdString();
        EXPECT_EQ(TAppPaths::DefaultDocumentFolder(TDocumentKind::Documents), home.Path(c.Documents)) << made;
        EXPECT_EQ(TAppPaths::DefaultDocumentFolder(TDocumentKind::Pictures), home.Path(c.Pictures)) << made;
    }
}

TEST(AppPaths, TheUsersOwnDocumentsFolderIsTaken) {
    THome home;
    ASSERT_TRUE(QDir(home.Dir.path()).mkpath(".config"));
    ASSERT_TRUE(QDir(home.Dir.path()).mkpath("Dokumente"));
    QFile dirs(home.Dir.filePath(".config/user-dirs.dirs"));
    ASSERT_TRUE(dirs.open(QIODevice::WriteOnly));
    dirs.write("XDG_DOCUMENTS_DIR=\"$HOME/Dokumente\"\n");
    dirs.close();
    EXPECT_EQ(TAppPaths::DefaultDocumentFolder(TDocumentKind::Documents), home.Path("Dokumente"));
}
