#include "export/ScalableExport.h"

#include <QBuffer>
#include <QPageLayout>
#include <QPainter>
#include <QPdfWriter>
#include <cmath>

#include "board/Colors.h"
#include "export/DiagramImage.h"
#include "export/DiagramLayout.h"
#include "export/DiagramText.h"
#include "export/ImageExport.h"
#include "export/SvgCanvas.h"
#include "export/VectorDiagramImage.h"
#include "imaging/ExactReduction.h"
#include "imaging/PngWriter.h"

namespace vorlix {

namespace {

constexpr double kPointsPerPixel = 72.0 / 96.0;
const QString kCreator = QStringLiteral("Chess Vorlix 2.21");

bool IsPlainBitmap(const TScalableOptions& o) { return o.Scale == 1.0 && o.Dpi == 96 && !o.Transparent; }

std::optional<QSize> ScaledPixels(QSize size, double scale) {
    const long double w = std::ceil(static_cast<long double>(size.width()) * scale - 1e-9L);
    const long double h = std::ceil(static_cast<long double>(size.height()) * scale - 1e-9L);
    if (w < 1 || h < 1 || w > kMaxImagePixels || h > kMaxImagePixels) return std::nullopt;
    return QSize(int(w), int(h));
}

// Diagrams without arrows have few colours: a palette image of exactly those
// colours decodes to the same pixels, is smaller and compresses three times
// faster. Our own writer uses one fixed row filter where a general one tries
// them all on every row.
bool WritePng(const QImage& image, int dpi, QByteArray& out, std::string& error) {
    const int dotsPerMeter = int(std::lround(dpi / 0.0254));
    // Other formats may carry transparency, which a palette image would lose.
    std::optional<TIndexedImage> indexed;
    if (image.format() == QImage::Format_RGB32) indexed = ReduceExactly(image, 256);
    if (indexed ? EncodePng(*indexed, dotsPerMeter, out) : EncodePng(image, dotsPerMeter, out)) return true;
    error = "PNG encoder failed.";
    return false;
}

bool EncodeSvg(const TDiagram& diagram, double scale, bool textAsPaths, QByteArray& out) {
    const TDiagramLayout layout = LayOutDiagram(diagram);
    const QSize size = layout.Image();
    const QSize shown(int(std::ceil(size.width() * scale)), int(std::ceil(size.height() * scale)));
    TSvgCanvas canvas(size, shown, DiagramTitle(diagram), DiagramDescription(diagram.Board));
    canvas.SetTextAsPaths(textAsPaths);
    QPainter painter;
    if (!painter.begin(&canvas)) return false;
    PaintDiagramImage(painter, diagram.Board, layout);
    if (!painter.end()) return false;
    out = canvas.Document();
    return true;
}

bool EncodePdf(const TDiagram& diagram, double scale, QByteArray& out, std::string& error) {
    const TDiagramLayout layout = LayOutDiagram(diagram);
    const QSize size = layout.Image();
    QBuffer buffer(&out);
    buffer.open(QIODevice::WriteOnly);
    QPdfWriter writer(&buffer);
    writer.setCreator(kCreator);
    writer.setTitle(QStringLiteral("Chess diagram"));
    writer.setResolution(96);
    const QSizeF points(size.width() * scale * kPointsPerPixel, size.height() * scale * kPointsPerPixel);
    const QPageSize page(points, QPageSize::Point, QString(), QPageSize::ExactMatch);
    if (!writer.setPageLayout(QPageLayout(page, QPageLayout::Portrait, QMarginsF(0, 0, 0, 0)))) {
        error = "The diagram is too large for a PDF page.";
        return false;
    }
    QPainter painter;
    if (!painter.begin(&writer)) {
        error = "PDF writer failed.";
        return false;
    }
    painter.setRenderHints(QPainter::Antialiasing | QPainter::TextAntialiasing | QPainter::SmoothPixmapTransform);
    painter.scale(scale, scale);
    PaintDiagramImage(painter, diagram.Board, layout);
    return painter.end();
}

}  // namespace

QImage RenderScaledDiagramImage(const TDiagram& diagram, double scale, bool transparent) {
    const TDiagramLayout layout = LayOutDiagram(diagram);
    const auto pixels = ScaledPixels(layout.Image(), scale);
    if (!pixels) return QImage();
    QImage image(*pixels, QImage::Format_ARGB32_Premultiplied);
    if (image.isNull()) return image;
    image.fill(Qt::transparent);
    QPainter painter(&image);
    painter.setRenderHints(QPainter::Antialiasing | QPainter::TextAntialiasing | QPainter::SmoothPixmapTransform);
    painter.scale(scale, scale);
    PaintDiagramImage(painter, diagram.Board, layout, !transparent);
    return image;
}

bool EncodeScalableImage(TDiagram& diagram, const TScalableOptions& options, QByteArray& out, std::string& error) {
    out.clear();
    if (!(options.Scale >= kMinImageScale && options.Scale <= kMaxImageScale) || options.Dpi < 10 ||
        options.Dpi > 9600) {
        error = "The image scale or resolution is out of range.";
        return false;
    }
    diagram.Board.UnselectAll();
    switch (options.Format) {
        case TImageFormat::Png: {
            QImage image;
            if (IsPlainBitmap(options)) {
                image = RenderDiagramImage(diagram);
            } else {
                image = RenderScaledDiagramImage(diagram, options.Scale * options.Dpi / 96.0, options.Transparent);
                if (!options.Transparent) image = image.convertToFormat(QImage::Format_RGB32);
            }
            if (image.isNull()) {
                error = "The image would be too large.";
                return false;
            }
            return WritePng(image, options.Dpi, out, error);
        }
        case TImageFormat::Svg:
            if (!EncodeSvg(diagram, options.Scale, options.TextAsPaths, out)) error = "SVG writer failed.";
            return error.empty();
        case TImageFormat::Pdf: return EncodePdf(diagram, options.Scale, out, error);
        default: break;  // the bitmap formats have their own writer
    }
    error = "Unknown image format.";
    return false;
}

bool SaveScalableImage(TDiagram& diagram, const QString& fileName, const TScalableOptions& options,
                       TErrorReporter& reporter) {
    QByteArray bytes;
    std::string error;
    if (!EncodeScalableImage(diagram, options, bytes, error)) {
        reporter.Report(TMsgKind::Error, error);
        return false;
    }
    return WriteImageFile(fileName, {bytes.constData(), size_t(bytes.size())}, reporter);
}

}  // namespace vorlix
