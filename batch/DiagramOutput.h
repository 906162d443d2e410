#pragma once
// What a batch run does with the board for one diagram: an image file, a
// diagram file, or a picture for the printer. The dialogs and the command line
// share these, so their files are the same as the editor's.
#include <QImage>
#include <QString>
#include <optional>

#include "export/ImageExport.h"
#include "export/ScalableExport.h"
namespace vorlix {

struct TDiagram;
class TErrorReporter;

struct TImageChoice {
    TImageFormat Format = TImageFormat::Gif;
    // PNG or SVG, drawn at any size; Format, ColorIndex and Quality then do not apply.
    std::optional<TScalableFormat> Scalable;
    int ColorIndex = ci256Colors;
    bool Transparent = false;  // GIF: the corner's colour; PNG: the margins stay clear
    int Quality = 81;
    int ScaleIndex = 4;  // image scale table; 4 = 100 %
    // PNG and SVG: any size against 100 %, in place of the table's.
    std::optional<double> Scale;
};

// The file's bytes for the diagram with header and footer.
bool EncodeBatchImage(TDiagram& diagram, const TImageChoice& choice, std::vector<std::uint8_t>& out,
                      std::string& error);

// Writes a file of a batch run through the crash-safe writer; reports a
// failure, naming the file.
bool WriteBatchBytes(const QString& fileName, const std::vector<std::uint8_t>& bytes, TErrorReporter& reporter,
                     bool syncToDisk = true);

// Renders and writes an image file; reports a failure, naming the file.
// Without syncToDisk the caller flushes the folder at the end (see WriteFileSafely).
bool WriteBatchImage(TDiagram& diagram, const TImageChoice& choice, const QString& fileName, TErrorReporter& reporter,
                     bool syncToDisk = true);

// Writes a diagram file (current version); reports a failure, naming the file.
bool WriteBatchDiagram(const TDiagram& diagram, const QString& fileName, TErrorReporter& reporter,
                       bool syncToDisk = true);

}  // namespace vorlix
