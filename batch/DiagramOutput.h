#pragma once
// What a batch run does with the board for one diagram: an image file, a
// diagram file, or a picture for the printer. The dialogs and the command line
// share these, so their files are the same as the editor's.
#include <QImage>
#include <QString>
#include <optional>

#include "imaging/ImageFormat.h"

namespace vorlix {

struct TDiagram;
class TErrorReporter;

// The file's bytes for the diagram with header and footer; a run passes the
// canvas it keeps from one diagram to the next (see RenderDiagramImage).
bool EncodeBatchImage(TDiagram& diagram, const TImageOptions& choice, std::vector<std::uint8_t>& out,
                      std::string& error, QImage* canvas = nullptr);

// Writes a file of a batch run through the crash-safe writer; reports a
// failure, naming the file.
bool WriteBatchBytes(const QString& fileName, const std::vector<std::uint8_t>& bytes, TErrorReporter& reporter,
                     bool syncToDisk = true);

// Renders and writes an image file; reports a failure, naming the file.
// Without syncToDisk the caller flushes the folder at the end (see WriteFileSafely).
bool WriteBatchImage(TDiagram& diagram, const TImageOptions& choice, const QString& fileName, TErrorReporter& reporter,
                     bool syncToDisk = true);

// Writes a diagram file (current version); reports a failure, naming the file.
bool WriteBatchDiagram(const TDiagram& diagram, const QString& fileName, TErrorReporter& reporter,
                       bool syncToDisk = true);

}  // namespace vorlix
