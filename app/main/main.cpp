// The editor: creates the main window, enters the working folder, loads the
// settings and runs the event loop.
#include <QApplication>
#include <QDir>
#include <QFileInfo>
#include <QLoggingCategory>
#include <QScreen>
#include <cstdio>
#include <cstring>

#include "app/FileAssociations.h"
#include "app/QuitSignals.h"
#include "app/ui/MainWindow.h"
#include "common/ui/SoundPlayer.h"
#include "settings/AppPaths.h"
#include "settings/Settings.h"
#include "settings/SettingsStore.h"

using namespace vorlix;

namespace {

// The settings file: VORLIX_SETTINGS names another one (scripted runs, screenshots).
QString SettingsFile() {
    const QString custom = qEnvironmentVariable("VORLIX_SETTINGS");
    return custom.isEmpty() ? TSettingsStore::DefaultFile() : QFileInfo(custom).absoluteFilePath();
}

// Scripted runs can follow the questions the program asks:
// QT_LOGGING_RULES="vorlix.windows.info=true" reports every modal window that shows.
Q_LOGGING_CATEGORY(lcWindows, "vorlix.windows", QtWarningMsg)

class TModalWindowLog : public QObject {
protected:
    bool eventFilter(QObject* watched, QEvent* event) override {
        if (event->type() == QEvent::Show && watched->isWidgetType()) {
            const auto* window = static_cast<QWidget*>(watched);
            if (window->isWindow() && window->isModal())
                qCInfo(lcWindows, "modal window shown: %s", qPrintable(window->windowTitle()));
        }
        return false;
    }
};

// Where the data was found and the scratch folder made:
// QT_LOGGING_RULES="vorlix.paths.info=true" reports them.
Q_LOGGING_CATEGORY(lcPaths, "vorlix.paths", QtWarningMsg)

const char kUsage[] =
    "usage: chess-vorlix [OPTION]... [FILE]\n"
    "The Chess Vorlix diagram editor. FILE, when given, is opened at the start:\n"
    "a diagram (.vxd), a PGN file (.pgn) or an EPD file (.epd).\n"
    "\n"
    "  --help       show this help and exit\n"
    "  --version    show the version and exit\n"
    "\n"
    "Qt's own options also apply, such as -platform offscreen.\n"
    "\n"
    "Environment:\n"
    "  VORLIX_SETTINGS   the settings file to use instead of\n"
    "                    $XDG_CONFIG_HOME/Brantel/Chess Vorlix.ini\n";

// --help and --version are answered without a window (nor a display).
bool AnswersAtOnce(int argc, char** argv, int& exitCode) {
    if (argc != 2) return false;
    const bool help = std::strcmp(argv[1], "--help") == 0 || std::strcmp(argv[1], "-h") == 0;
    const bool version = std::strcmp(argv[1], "--version") == 0;
    if (!help && !version) return false;
    if (help)
        std::fputs(kUsage, stdout);
    else
        std::puts("chess-vorlix (Chess Vorlix) " VORLIX_VERSION);
    exitCode = std::fflush(stdout) == 0 && !std::ferror(stdout) ? 0 : 1;
    return true;
}

QSize ScreenSize() {
    const QScreen* screen = QGuiApplication::primaryScreen();
    return screen ? screen->availableGeometry().size() : QSize(1024, 768);
}

}  // namespace

int main(int argc, char** argv) {
    if (int exitCode = 0; AnswersAtOnce(argc, argv, exitCode)) return exitCode;
    QApplication app(argc, argv);
    // Installed first: a quit signal from now on ends the program through its
    // normal shut-down instead of killing it.
    TQuitSignals quitSignals;
    bool quitting = false;  // a quit signal arrived
    TModalWindowLog modalLog;
    if (lcWindows().isInfoEnabled()) app.installEventFilter(&modalLog);
    // No application display name: Qt would append it to every window title.
    QApplication::setApplicationName("Chess Vorlix");
    QApplication::setOrganizationName("Brantel");
    // Desktops match the windows to the installed entry by this name.
    QGuiApplication::setDesktopFileName("chess-vorlix");
    // Nothing is written beside the program: the data there is only read.
    const QString dataFolder = TAppPaths::DataFolder();
    TSettingsStore store(SettingsFile());
    TAppSettings settings(store);
    // Names from the shell are relative to the folder the user started in;
    // the working folder changes below.
    const QStringList arguments = TAppPaths::ResolveArguments(QApplication::arguments().mid(1), QDir::currentPath());

    TMainWindow mainWindow(settings, dataFolder, arguments);
    const QString scratch = TAppPaths::PrepareWorkingFolder();
    qCInfo(lcPaths, "data folder: %s", qPrintable(dataFolder));
    qCInfo(lcPaths, "scratch folder: %s", qPrintable(scratch));
    settings.LoadSettings(ScreenSize());
    TSoundPlayer::Instance().SetSoundFolders({dataFolder, dataFolder + "sounds"});
    TSoundPlayer::Instance().SetSoundsOn(settings.PlaySounds);
    TFileAssociations associations(TXdgDirs::FromEnvironment(), QApplication::applicationFilePath());
    mainWindow.SetFileAssociations(&associations);
    // Ended from outside (kill, Ctrl+C, logout): the settings are written and
    // the undo folder is removed as at any other end.
    QObject::connect(&quitSignals, &TQuitSignals::Received, &mainWindow, [&mainWindow, &quitting] {
        quitting = true;
        mainWindow.QuitOnSignal();
        QCoreApplication::exit(0);  // also ends a modal dialog's loop
    });
    mainWindow.show();
    // exec() forgets an exit asked for before it runs: a signal taken by a
    // dialog's loop during start-up ends the program here.
    return quitting ? 0 : app.exec();
}
