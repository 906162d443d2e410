#include "batch/OverwriteGuard.h"

#include <QDir>
#include <QDirIterator>

namespace vorlix {

TExistingFiles::TExistingFiles(const TChosenName& name) {
    QDirIterator it(name.Path.isEmpty() ? QStringLiteral(".") : name.Path,
                    QDir::Files | QDir::System | QDir::Hidden | QDir::NoDotAndDotDot);
    while (it.hasNext()) {
        it.next();
        const QString file = it.fileName();
        if (file.startsWith(name.Stem)) names_.insert(name.Path + file);
    }
}

std::string ClashMessage(const QString& fileName) {
    return fileName.toLocal8Bit().toStdString() +
           ": the file exists and this run did not write it; nothing was written (give --overwrite to replace it)";
}

}  // namespace vorlix
