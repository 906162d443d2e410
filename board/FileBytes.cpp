#include "board/FileBytes.h"

#include <QFile>
#include <QFileInfo>

#include "board/DiagramFileIO.h"
#include "files/Exceptions.h"

namespace vorlix {

bool ReadFileBytes(const QString& path, qint64 maxSize, QByteArray& bytes, QString& error) {
    const QFileInfo info(path);
    if (info.exists() && !info.isFile()) {
        error = QStringLiteral("%1: not a plain file").arg(path);
        return false;
    }
    try {
        const std::vector<uint8_t> read = ReadWholeFile(QFile::encodeName(path).toStdString(), size_t(maxSize));
        bytes = QByteArray(reinterpret_cast<const char*>(read.data()), qsizetype(read.size()));
        return true;
    } catch (const EFileTooLarge&) {
        error = QStringLiteral("%1: too large (more than %2 MB)").arg(path).arg(maxSize >> 20);
    } catch (const EVorlixError& e) {
        error = QStringLiteral("%1: %2").arg(path, QString::fromStdString(e.Message()));
    } catch (const std::bad_alloc&) {
        error = QStringLiteral("%1: out of memory").arg(path);
    }
    return false;
}

}  // namespace vorlix
