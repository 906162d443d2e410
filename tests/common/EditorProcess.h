#pragma once
// The environment of a real editor process kept to a temporary home: its
// settings, scratch and desktop folders all inside it, drawn offscreen.
#include <QProcessEnvironment>
#include <QString>
#include <QTemporaryDir>

namespace vorlix::test {

inline QProcessEnvironment EditorEnvironment(const QTemporaryDir& home, const QString& settingsFile) {
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert("TMPDIR", home.path());
    env.insert("HOME", home.path());
    env.insert("XDG_DATA_HOME", home.filePath("data"));
    env.insert("XDG_CONFIG_HOME", home.filePath("config"));
    env.insert("XDG_DATA_DIRS", home.filePath("sys-data"));
    env.insert("XDG_CONFIG_DIRS", home.filePath("sys-config"));
    env.insert("VORLIX_SETTINGS", settingsFile);
    env.insert("QT_QPA_PLATFORM", "offscreen");
    return env;
}

}  // namespace vorlix::test
