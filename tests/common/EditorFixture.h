#pragma once
// The editor's main window on a temporary data folder, home and settings file
// (so the file dialogs start in that folder too), for every test of the main
// window; message boxes are answered by the test (answer) and their texts
// collected (messages).
#include <gtest/gtest.h>

#include <QApplication>
#include <QDropEvent>
#include <QFile>
#include <QMimeData>
#include <QTemporaryDir>
#include <QTextStream>
#include <QUrl>
#include <memory>

#include "app/ui/MainWindow.h"
#include "settings/Settings.h"
#include "settings/SettingsStore.h"

namespace vorlix::test {

class EditorFixture : public ::testing::Test {
protected:
    void SetUp() override {
        oldHome = qgetenv("HOME");
        qputenv("HOME", QFile::encodeName(dir.path()));
        QFile::copy(VORLIX_SOURCE_DIR "/resources/default.vxd", dir.filePath("default.vxd"));
        store = std::make_unique<TSettingsStore>(dir.filePath("settings.ini"));
        settings = std::make_unique<TAppSettings>(*store);
        SetMessageAnswerer([this](const QString& text, TMsgDlgType, TMsgDlgButtons) {
            messages << text;
            return answer;
        });
    }
    void TearDown() override {
        answer = QMessageBox::No;  // closing never saves
        window.reset();
        SetMessageAnswerer(nullptr);
        qputenv("HOME", oldHome);
    }
    void StartEditor(const QStringList& arguments = {}) {
        window = std::make_unique<TMainWindow>(*settings, dir.path() + "/", arguments);
        window->SetFileAssociations(associations);
        settings->LoadSettings(QSize(1280, 1024));
        settings->ShowTips = false;  // the tip of the day would take the focus
        window->show();
        QApplication::setActiveWindow(window.get());
        QApplication::processEvents();  // the start-up message
    }
    // Drags a file onto the board panel and drops it there.
    void Drop(const QString& fileName) {
        QWidget* panel = window->findChild<QWidget*>("pnlBoard");
        QMimeData data;
        data.setUrls({QUrl::fromLocalFile(fileName)});
        QDragEnterEvent enter(QPoint(5, 5), Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
        QApplication::sendEvent(panel, &enter);
        ASSERT_TRUE(enter.isAccepted());
        QDropEvent drop(QPointF(5, 5), Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
        QApplication::sendEvent(panel, &drop);
        QApplication::processEvents();
    }
    QString WriteFile(const QString& name, const QByteArray& contents) {
        QFile file(dir.filePath(name));
        file.open(QIODevice::WriteOnly);
        file.write(contents);
        return dir.filePath(name);
    }

    QTemporaryDir dir;
    QByteArray oldHome;
    std::unique_ptr<TSettingsStore> store;
    std::unique_ptr<TAppSettings> settings;
    std::unique_ptr<TMainWindow> window;
    TFileAssociations* associations = nullptr;  // none: not examined at start-up
    QStringList messages;
    TModalResult answer = QMessageBox::No;
};

}  // namespace vorlix::test
