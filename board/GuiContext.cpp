#include "board/GuiContext.h"

#include <unistd.h>

#include <QDir>
#include <QFile>
#include <QGuiApplication>

namespace vorlix {

namespace {
// Without a session (cron, CI, ssh) Qt warns about the missing runtime folder
// on every start; give it a private one so the tool's error output stays clean.
void UseQuietRuntimeDir() {
    if (!qEnvironmentVariableIsEmpty("XDG_RUNTIME_DIR")) return;
    const QString dir = QDir::tempPath() + QStringLiteral("/runtime-") + QString::number(getuid());
    if (!QDir().mkpath(dir)) return;
    QFile::setPermissions(dir, QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
    qputenv("XDG_RUNTIME_DIR", QFile::encodeName(dir));
}
}  // namespace

void EnsureGuiApplication() {
    if (QCoreApplication::instance()) return;
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
    UseQuietRuntimeDir();
    static int argc = 1;
    static char name[] = "vorlix";
    static char* argv[] = {name, nullptr};
    // Never destroyed: at exit its destructor would run after Qt's per-thread
    // data is gone and crash while it removes the application fonts.
    static QGuiApplication* app = new QGuiApplication(argc, argv);
    Q_UNUSED(app);
}

}  // namespace vorlix
