#include "settings/AppPaths.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <QStandardPaths>

#include "files/InstallPaths.h"

namespace vorlix {

QString TAppPaths::workingFolder_;

namespace {

QString WithSlash(const QString& folder) { return folder.endsWith('/') ? folder : folder + '/'; }

// A "TEMP" that can be entered or made, or an empty string.
QString UsableTempFolder(const QString& parent) {
    if (parent.isEmpty()) return {};
    const QString temp = WithSlash(parent) + "TEMP";
    if (!QDir().mkpath(temp) || !QFileInfo(temp).isWritable()) return {};
    QDir::setCurrent(temp);
    return WithSlash(temp);
}

bool IsFolder(const QString& folder) { return !folder.isEmpty() && QFileInfo(folder).isDir(); }

}  // namespace

QString TAppPaths::ProgramFolder() { return WithSlash(QCoreApplication::applicationDirPath()); }

QString TAppPaths::DataFolder() {
    const QString program = QCoreApplication::applicationDirPath();
    const std::string data = FindDataFolder(QFile::encodeName(program).toStdString(), XdgDataFolders());
    return WithSlash(data.empty() ? program : QFile::decodeName(QByteArray::fromStdString(data)));
}

QString TAppPaths::CacheFolder() {
    QString cache = QStandardPaths::writableLocation(QStandardPaths::GenericCacheLocation);
    if (cache.isEmpty()) cache = QDir::homePath() + "/.cache";
    return WithSlash(cache) + "chess-vorlix/";
}

QString TAppPaths::PrepareWorkingFolder() {
    workingFolder_ = UsableTempFolder(CacheFolder());
    if (workingFolder_.isEmpty()) workingFolder_ = UsableTempFolder(QDir::tempPath() + "/chess-vorlix");
    return workingFolder_;
}

QString TAppPaths::DefaultDocumentFolder(TDocumentKind kind) {
    QList<QStandardPaths::StandardLocation> places;
    if (kind == TDocumentKind::Pictures) places << QStandardPaths::PicturesLocation;
    places << QStandardPaths::DocumentsLocation;
    for (QStandardPaths::StandardLocation place : places) {
        const QString folder = QStandardPaths::writableLocation(place);
        // Without a user-dirs entry Qt names the home folder itself for some places.
        if (IsFolder(folder) && QDir(folder) != QDir::home()) return WithSlash(folder);
    }
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
