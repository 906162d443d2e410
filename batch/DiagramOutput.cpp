#include "batch/DiagramOutput.h"

#include "batch/BatchFileName.h"
#include "board/DiagramFile.h"
#include "export/DiagramImage.h"
#include "export/ImageExport.h"
#include "export/ScalableExport.h"
#include "files/Exceptions.h"
#include "files/SafeFileWriter.h"
#include "imaging/ImageScaling.h"

namespace vorlix {
namespace {

TImageSaveOptions SaveOptionsFor(const QImage& image, const TDiagram& diagram, const TImageOptions& choice) {
    TImageSaveOptions save;
    save.Format = choice.Format;
    save.ColorIndex = choice.ColorIndex;
    save.Quality = choice.Quality;
    if (choice.Transparent && choice.Format == TImageFormat::Gif)
        save.TransparentCorner = FindTransparentCorner(image, TransparencyRuleOf(diagram));
    return save;
}

TScalableOptions ScalableOptionsOf(const TImageOptions& choice) {
    TScalableOptions options;
    options.Format = choice.Format;
    options.Scale = choice.Scale.value_or(ImageScaleFactor(choice.ScaleIndex));
    options.Transparent = choice.Transparent && options.Format == TImageFormat::Png;
    options.TextAsPaths = choice.SvgTextAsPaths;
    return options;
}

bool EncodeScalableBatchImage(TDiagram& diagram, const TImageOptions& choice, std::vector<std::uint8_t>& out,
                              std::string& error) {
    QByteArray bytes;
    if (!EncodeScalableImage(diagram, ScalableOptionsOf(choice), bytes, error)) return false;
    out.assign(bytes.cbegin(), bytes.cend());
    return true;
}

}  // namespace

bool EncodeBatchImage(TDiagram& diagram, const TImageOptions& choice, std::vector<std::uint8_t>& out,
                      std::string& error, QImage* canvas) {
    if (IsScalableFormat(choice.Format)) return EncodeScalableBatchImage(diagram, choice, out, error);
    QImage fresh;
    const QImage image = RenderDiagramImage(diagram, choice.ScaleIndex, canvas ? *canvas : fresh);
    return EncodeDiagramImage(image, SaveOptionsFor(image, diagram, choice), out, error);
}

bool WriteBatchBytes(const QString& fileName, const std::vector<std::uint8_t>& bytes, TErrorReporter& reporter,
                     bool syncToDisk) {
    try {
        WriteFileSafely(LocalFileName(fileName), {reinterpret_cast<const char*>(bytes.data()), bytes.size()},
                        syncToDisk);
        return true;
    } catch (const EVorlixError& e) {
        reporter.Report(TMsgKind::Error, LocalFileName(fileName) + ": " + e.Message());
    }
    return false;
}

bool WriteBatchImage(TDiagram& diagram, const TImageOptions& choice, const QString& fileName, TErrorReporter& reporter,
                     bool syncToDisk) {
    std::vector<std::uint8_t> bytes;
    std::string error;
    if (!EncodeBatchImage(diagram, choice, bytes, error)) {
        reporter.Report(TMsgKind::Error, LocalFileName(fileName) + ": " + error);
        return false;
    }
    return WriteBatchBytes(fileName, bytes, reporter, syncToDisk);
}

bool WriteBatchDiagram(const TDiagram& diagram, const QString& fileName, TErrorReporter& reporter, bool syncToDisk) {
    return WriteBatchBytes(fileName, EncodeDiagram(diagram, kVxdVersion), reporter, syncToDisk);
}

}  // namespace vorlix
