#include <gtest/gtest.h>

#include <QDir>
#include <QTemporaryDir>

#include "settings/AppPaths.h"

using namespace vorlix;

TEST(AppPaths, CommandLineNamesAreResolvedAgainstTheStartFolder) {
    const QStringList resolved = TAppPaths::ResolveArguments(
        {"my diagram.vxd", "../games/x.pgn", "/abs/file.epd", "./sub/./y.vxd"}, "/home/user/work");
    EXPECT_EQ(resolved, (QStringList{"/home/user/work/my diagram.vxd", "/home/user/games/x.pgn", "/abs/file.epd",
                                     "/home/user/work/sub/y.vxd"}));
}

TEST(AppPaths, ResolvedNamesSurviveTheChangeOfWorkingFolder) {
    QTemporaryDir start, program;
    ASSERT_TRUE(QDir(program.path()).mkdir("TEMP"));
    const QString previous = QDir::currentPath();
    ASSERT_TRUE(QDir::setCurrent(start.path()));
    const QStringList resolved = TAppPaths::ResolveArguments({"a.vxd"}, QDir::currentPath());
    TAppPaths::PrepareWorkingFolder(program.path() + "/");
    EXPECT_NE(QDir::currentPath(), start.path());
    EXPECT_EQ(resolved.first(), QDir(start.path()).filePath("a.vxd"));
    QDir::setCurrent(previous);
}

TEST(AppPaths, DialogsStartInTheProgramFolderOnlyWhileItCanBeWritten) {
    QTemporaryDir program, home;
    EXPECT_EQ(TAppPaths::DefaultDocumentFolder(program.path() + "/"), program.path() + "/");

    const QByteArray oldHome = qgetenv("HOME"), oldConfig = qgetenv("XDG_CONFIG_HOME");
    qputenv("HOME", home.path().toLocal8Bit());
    qputenv("XDG_CONFIG_HOME", home.filePath("config").toLocal8Bit());
    const QString readOnly = home.filePath("no-such-program-folder/");
    EXPECT_EQ(TAppPaths::DefaultDocumentFolder(readOnly), home.path() + "/");  // no Documents folder yet
    ASSERT_TRUE(QDir(home.path()).mkdir("Documents"));
    EXPECT_EQ(TAppPaths::DefaultDocumentFolder(readOnly), home.filePath("Documents") + "/");
    qputenv("HOME", oldHome);
    qputenv("XDG_CONFIG_HOME", oldConfig);
}
