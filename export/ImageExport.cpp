#include "export/ImageExport.h"

#include <QFile>

#include "files/Exceptions.h"
#include "files/SafeFileWriter.h"
#include "imaging/BmpExport.h"
#include "imaging/GifWriter.h"
#include "imaging/JpegEncoder.h"

namespace vorlix {
namespace {

bool EncodeGifFile(const QImage& image, const TImageSaveOptions& options, std::vector<std::uint8_t>& out,
                   std::string& error) {
    static const TGifColors kColors[] = {TGifColors::Monochrome, TGifColors::Colors16, TGifColors::Colors256};
    if (options.ColorIndex < ciMonochrome || options.ColorIndex > ci256Colors) {
        error = "A GIF image has 2, 16 or 256 colours.";
        return false;
    }
    return EncodeGifImage(image, {kColors[options.ColorIndex], options.TransparentCorner}, out, error);
}

bool EncodeBmpFile(const QImage& image, int colorIndex, std::vector<std::uint8_t>& out, std::string& error) {
    static const int kBits[] = {1, 4, 8, 24};
    if (colorIndex < ciMonochrome || colorIndex > ciTrueColor) {
        error = "A bitmap image has 1, 4, 8 or 24 bits per pixel.";
        return false;
    }
    return EncodeBmpAtDepth(image, kBits[colorIndex], out, error);
}

}  // namespace

bool EncodeDiagramImage(const QImage& image, const TImageSaveOptions& options, std::vector<std::uint8_t>& out,
                        std::string& error) {
    if (image.isNull()) {
        // Every diagram has pixels: a null image is one that could not be allocated.
        error = "out of memory: the image could not be made.";
        return false;
    }
    switch (options.Format) {
        case TImageFormat::Gif: return EncodeGifFile(image, options, out, error);
        case TImageFormat::Jpeg: return EncodeJpeg(image, options.Quality, out, error);
        case TImageFormat::Bmp: return EncodeBmpFile(image, options.ColorIndex, out, error);
        default: break;  // the scalable formats are drawn, not encoded from a bitmap
    }
    error = "Unknown image format.";
    return false;
}

bool SaveDiagramImage(const QImage& image, const QString& fileName, const TImageSaveOptions& options,
                      TErrorReporter& reporter) {
    return SaveDiagramImage(image, QFile::encodeName(fileName).toStdString(), options, reporter);
}

bool SaveDiagramImage(const QImage& image, const std::string& localFileName, const TImageSaveOptions& options,
                      TErrorReporter& reporter) {
    std::vector<std::uint8_t> bytes;
    std::string error;
    if (!EncodeDiagramImage(image, options, bytes, error)) {
        reporter.Report(TMsgKind::Error, error);
        return false;
    }
    return WriteImageFile(localFileName, {reinterpret_cast<const char*>(bytes.data()), bytes.size()}, reporter);
}

bool WriteImageFile(const QString& fileName, std::string_view bytes, TErrorReporter& reporter) {
    return WriteImageFile(QFile::encodeName(fileName).toStdString(), bytes, reporter);
}

bool WriteImageFile(const std::string& localFileName, std::string_view bytes, TErrorReporter& reporter) {
    try {
        WriteFileSafely(localFileName, bytes);
    } catch (const EInOutError& e) {
        reporter.Report(TMsgKind::Error, e.Message());
        return false;
    }
    return true;
}

std::optional<QPoint> FindTransparentCorner(const QImage& image, const TTransparencyRule& rule) {
    if (image.isNull()) return std::nullopt;
    const int right = image.width() - 1, bottom = image.height() - 1;
    QPoint corner;
    if (rule.HeaderEnabled)
        corner = {0, 0};
    else if (rule.FooterEnabled)
        corner = {0, bottom};
    else if (rule.North || rule.West)
        corner = {0, 0};
    else if (rule.East)
        corner = {right, 0};
    else if (rule.South)
        corner = {0, bottom};
    else
        return std::nullopt;
    if ((image.pixel(corner) & 0x00FFFFFFu) != (rule.BackColor & 0x00FFFFFFu)) return std::nullopt;
    return corner;
}

}  // namespace vorlix
