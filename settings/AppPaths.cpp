#include "settings/AppPaths.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <QStandardPaths>

namespace vorlix {

QString TAppPaths::workingFolder_;

namespace {

QString WithSlash(const QString& folder) { return folder.endsWith('/') ? folder : folder + '/'; }

// A "TEMP" that can be entered or made, or an empty string.
QString UsableTempFolder(const QString& parent) {
    const QString temp = WithSlash(parent) + "TEMP";
    if (QDir::setCurrent(temp)) return WithSlash(temp);
    if (QDir().mkpath(temp)) return WithSlash(temp);
    return {};
}

bool IsWritableFolder(const QString& folder) {
    const QFileInfo info(folder);
    return info.isDir() && info.isWritable();
}

}  // namespace

QString TAppPaths::ProgramFolder() { return WithSlash(QCoreApplication::applicationDirPath()); }

QString TAppPaths::PrepareWorkingFolder(const QString& programFolder) {
    const QString besideProgram = WithSlash(programFolder) + "TEMP";
    // An existing TEMP in a read-only folder would still refuse scratch files.
    if (IsWritableFolder(besideProgram) || IsWritableFolder(programFolder))
        workingFolder_ = UsableTempFolder(programFolder);
    else
        workingFolder_.clear();
    if (workingFolder_.isEmpty()) {
        const QString perUser = QStandardPaths::writableLocation(QStandardPaths::AppLocalDataLocation);
        workingFolder_ = UsableTempFolder(perUser.isEmpty() ? QDir::tempPath() : perUser);
    }
    return workingFolder_;
}

QString TAppPaths::DefaultDocumentFolder(const QString& programFolder) {
    if (IsWritableFolder(programFolder)) return WithSlash(programFolder);
    const QString documents = QStandardPaths::writableLocation(QStandardPaths::DocumentsLocation);
    if (!documents.isEmpty() && QFileInfo(documents).isDir()) return WithSlash(documents);
    return WithSlash(QDir::homePath());
}

QStringList TAppPaths::ResolveArguments(const QStringList& arguments, const QString& startFolder) {
    const QDir start(startFolder);
    QStringList resolved;
    for (const QString& argument : arguments)
        resolved << (argument.isEmpty() ? argument : QDir::cleanPath(start.absoluteFilePath(argument)));
    return resolved;
}

QString TAppPaths::WorkingFolder() { return workingFolder_; }

}  // namespace vorlix
