#pragma once
// Writes a diagram image as a GIF, JPEG or BMP file.
#include <QImage>
#include <QPoint>
#include <QString>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "files/ErrorReporter.h"
#include "imaging/ImageFormat.h"

namespace vorlix {

struct TImageSaveOptions {
    TImageFormat Format = TImageFormat::Gif;  // GIF, JPEG or BMP
    int ColorIndex = ci256Colors;             // JPEG ignores it
    int Quality = 81;                         // JPEG only, 1..100
    // GIF only: the pixel whose colour becomes transparent (see FindTransparentCorner).
    std::optional<QPoint> TransparentCorner = std::nullopt;
};

// The file's bytes, without touching the disk.
bool EncodeDiagramImage(const QImage& image, const TImageSaveOptions& options, std::vector<std::uint8_t>& out,
                        std::string& error);

// Encodes and writes the file through a temporary file and a rename; on
// failure reports the error and leaves any existing file as it was.
bool SaveDiagramImage(const QImage& image, const QString& fileName, const TImageSaveOptions& options,
                      TErrorReporter& reporter);
// The same for a file name in the system's own bytes, which need not be UTF-8.
bool SaveDiagramImage(const QImage& image, const std::string& localFileName, const TImageSaveOptions& options,
                      TErrorReporter& reporter);

// Writes encoded image bytes through a temporary file and a rename; reports a failure.
bool WriteImageFile(const QString& fileName, std::string_view bytes, TErrorReporter& reporter);
bool WriteImageFile(const std::string& localFileName, std::string_view bytes, TErrorReporter& reporter);

// What decides the transparent corner of a GIF.
struct TTransparencyRule {
    bool HeaderEnabled = false;
    bool FooterEnabled = false;
    bool North = false, West = false, East = false, South = false;  // coordinate sides
    QRgb BackColor = 0;                                             // the coordinate background colour
};

// The corner that lies in a margin of the coordinate background colour, if
// there is one and its pixel still has that colour in the (scaled) image.
std::optional<QPoint> FindTransparentCorner(const QImage& image, const TTransparencyRule& rule);

}  // namespace vorlix
