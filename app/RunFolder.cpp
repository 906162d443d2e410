#include "app/RunFolder.h"

#include <signal.h>

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <QTemporaryDir>
#include <cerrno>

namespace vorlix {

namespace {

// "chess-vorlix-<pid>-XXXXXX": the process id tells a live run from an abandoned one.
const QString kPrefix = "chess-vorlix-";

bool ProcessExists(qint64 pid) { return pid > 0 && (::kill(pid_t(pid), 0) == 0 || errno == EPERM); }

}  // namespace

TRunFolder::TRunFolder(const QString& base)
    : intended_(QString("%1/%2%3").arg(base, kPrefix).arg(QCoreApplication::applicationPid())) {
    // An empty base would put the folder at the root of the file system.
    if (base.isEmpty() || !QFileInfo(base).isDir()) return;
    RemoveAbandoned(base);
    dir_ = std::make_unique<QTemporaryDir>(intended_ + "-XXXXXX");
    if (!dir_->isValid()) dir_.reset();
}

TRunFolder::~TRunFolder() = default;  // QTemporaryDir removes the folder and its files

QString TRunFolder::Path() const { return dir_ ? dir_->path() : intended_; }

void TRunFolder::RemoveAbandoned(const QString& base) {
    const QDir folder(base);
    for (const QString& name : folder.entryList({kPrefix + "*"}, QDir::Dirs | QDir::NoDotAndDotDot)) {
        bool isNumber = false;
        const qint64 pid = name.mid(kPrefix.size()).section('-', 0, 0).toLongLong(&isNumber);
        if (isNumber && pid != QCoreApplication::applicationPid() && !ProcessExists(pid))
            QDir(folder.filePath(name)).removeRecursively();
    }
}

}  // namespace vorlix
