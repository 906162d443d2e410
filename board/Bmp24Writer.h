#pragma once
// A plain 24-bit Windows BMP writer for the diagram bitmap. The file is written
// beside the target and renamed into place, so a failed save keeps the old file.
#include <QByteArray>
#include <QImage>
#include <QString>
#include <string>

namespace vorlix {

// The complete BMP file (file header, information header, bottom-up rows padded to 4 bytes).
QByteArray EncodeBmp24(const QImage& image);
// False with a message in error when the file cannot be written.
bool SaveBmp24(const QImage& image, const QString& fileName, std::string& error);

}  // namespace vorlix
