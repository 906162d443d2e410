// The editor: creates the main window, enters the working folder, loads the
// settings and runs the event loop.
#include <QApplication>
#include <QScreen>

#include "app/AppPaths.h"
#include "app/Settings.h"
#include "app/SettingsStore.h"
#include "app/ui/MainWindow.h"
#include "app/ui/PlayWave.h"

using namespace vorlix;

namespace {

// The settings file: VORLIX_SETTINGS names another one (scripted runs, screenshots).
QString SettingsFile() {
    const QString custom = qEnvironmentVariable("VORLIX_SETTINGS");
    return custom.isEmpty() ? TSettingsStore::DefaultFile() : custom;
}

QSize ScreenSize() {
    const QScreen* screen = QGuiApplication::primaryScreen();
    return screen ? screen->availableGeometry().size() : QSize(1024, 768);
}

}  // namespace

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    QApplication::setApplicationName("Chess Vorlix");
    QApplication::setOrganizationName("Brantel");
    QApplication::setApplicationDisplayName(kAppTitle);
    const QString programFolder = TAppPaths::ProgramFolder();
    TSettingsStore store(SettingsFile());
    TAppSettings settings(store);
    QStringList arguments = QApplication::arguments();
    arguments.removeFirst();

    TfrmQuenlix mainWindow(settings, programFolder, arguments);
    TAppPaths::PrepareWorkingFolder(programFolder);
    settings.LoadSettings(ScreenSize(), programFolder);
    TSoundPlayer::Instance().SetSoundFolders({programFolder, programFolder + "sounds"});
    TSoundPlayer::Instance().SetSoundsOn(settings.PlaySounds);
    mainWindow.show();
    return app.exec();
}
