#pragma once
// Diagram images at any size: PNG, SVG and PDF drawn through the vector road
// (outline pieces, vector borders and text). A PNG at 100 % on an opaque
// background is the bitmap rendering itself, pixel for pixel.
#include <QByteArray>
#include <QImage>
#include <QString>
#include <optional>
#include <string>

#include "board/Diagram.h"
#include "files/ErrorReporter.h"
#include "imaging/ImageFormat.h"

namespace vorlix {

struct TScalableOptions {
    TImageFormat Format = TImageFormat::Png;  // PNG, SVG or PDF
    // Output size against the 100 % diagram (pixels for PNG, CSS pixels for
    // SVG, 1/96 inch for PDF).
    double Scale = 1.0;
    // PNG only: pixels per inch; the pixel size grows by Dpi / 96 and the file
    // records the density, so the printed size stays that of the scale.
    int Dpi = 96;
    // PNG only: the coordinate bands and the header and footer bands stay clear.
    bool Transparent = false;
    // SVG only: coordinates, header and footer as glyph outlines, not <text>.
    bool TextAsPaths = false;
};

constexpr double kMinImageScale = 0.1;
constexpr double kMaxImageScale = 40.0;
constexpr int kMaxImagePixels = 16384;  // a side of a raster image

// The diagram image (header, board, footer) at Scale x Dpi / 96 through the
// vector road, ARGB32 premultiplied; a null image when the size is out of reach.
QImage RenderScaledDiagramImage(const TDiagram& diagram, double scale, bool transparent);

bool EncodeScalableImage(TDiagram& diagram, const TScalableOptions& options, QByteArray& out, std::string& error);

// Encodes and writes through the crash-safe writer; errors go to the reporter.
bool SaveScalableImage(TDiagram& diagram, const QString& fileName, const TScalableOptions& options,
                       TErrorReporter& reporter);

}  // namespace vorlix
