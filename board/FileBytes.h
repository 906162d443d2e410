#pragma once
// Small files the look is made of (piece pictures, themes, square pictures),
// read whole without ever waiting on a pipe or filling memory from a device.
#include <QByteArray>
#include <QString>

namespace vorlix {

// The bytes of a plain file of at most maxSize bytes; false with the reason,
// naming the file, when it is missing, unreadable, not a plain file or larger.
bool ReadFileBytes(const QString& path, qint64 maxSize, QByteArray& bytes, QString& error);

}  // namespace vorlix
