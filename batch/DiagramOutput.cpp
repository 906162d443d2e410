#include "batch/DiagramOutput.h"

#include "export/DiagramImage.h"
#include "board/ChessBoard.h"
#include "board/DiagramFile.h"
#include "files/Exceptions.h"

namespace vorlix {
namespace {

TImageSaveOptions SaveOptionsFor(const QImage& image, const TkxChessBrd& board, const THeaderFooterInfo& header,
                                 const THeaderFooterInfo& footer, const TImageChoice& choice) {
    TImageSaveOptions save;
    save.Format = choice.Format;
    save.ColorIndex = choice.ColorIndex;
    save.Quality = choice.Quality;
    if (choice.Transparent && choice.Format == TImageFormat::Gif)
        save.TransparentCorner = FindTransparentCorner(image, TransparencyRuleOf(board, header, footer));
    return save;
}

}  // namespace

bool EncodeBatchImage(TkxChessBrd& board, const THeaderFooterInfo& header, const THeaderFooterInfo& footer,
                      const TImageChoice& choice, std::vector<std::uint8_t>& out, std::string& error) {
    const QImage image = RenderDiagramImage(board, header, footer, choice.ScaleIndex);
    return EncodeDiagramImage(image, SaveOptionsFor(image, board, header, footer, choice), out, error);
}

bool WriteBatchImage(TkxChessBrd& board, const THeaderFooterInfo& header, const THeaderFooterInfo& footer,
                     const TImageChoice& choice, const QString& fileName, TErrorReporter& reporter) {
    const QImage image = RenderDiagramImage(board, header, footer, choice.ScaleIndex);
    return SaveDiagramImage(image, fileName, SaveOptionsFor(image, board, header, footer, choice), reporter);
}

bool WriteBatchDiagram(TkxChessBrd& board, const THeaderFooterInfo& header, const THeaderFooterInfo& footer,
                       const QString& fileName, TErrorReporter& reporter) {
    try {
        board.SaveToFile(fileName, kVxdVersion, footer, header);
        return true;
    } catch (const EVorlixError& e) {
        reporter.Report(TMsgKind::Error, fileName.toStdString() + ": " + e.Message());
    }
    return false;
}

}  // namespace vorlix
