#pragma once
// What a batch run does with the board for one diagram: an image file, a
// diagram file, or a picture for the printer. The dialogs and the command line
// share these, so their files are the same as the editor's.
#include <QImage>
#include <QString>

#include "export/ImageExport.h"
#include "board/HeaderFooter.h"

namespace vorlix {

class TkxChessBrd;
class TErrorReporter;

struct TImageChoice {
    TImageFormat Format = TImageFormat::Gif;
    int ColorIndex = ci256Colors;
    bool Transparent = false;
    int Quality = 81;
    int ScaleIndex = 4;  // image scale table; 4 = 100 %
};

// The file's bytes for the board's diagram with header and footer.
bool EncodeBatchImage(TkxChessBrd& board, const THeaderFooterInfo& header, const THeaderFooterInfo& footer,
                      const TImageChoice& choice, std::vector<std::uint8_t>& out, std::string& error);

// Renders and writes an image file; reports a failure, naming the file.
bool WriteBatchImage(TkxChessBrd& board, const THeaderFooterInfo& header, const THeaderFooterInfo& footer,
                     const TImageChoice& choice, const QString& fileName, TErrorReporter& reporter);

// Writes a diagram file (current version); reports a failure, naming the file.
bool WriteBatchDiagram(TkxChessBrd& board, const THeaderFooterInfo& header, const THeaderFooterInfo& footer,
                       const QString& fileName, TErrorReporter& reporter);

}  // namespace vorlix
