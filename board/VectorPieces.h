#pragma once
// Outline versions of the piece sets and the training marks, for pictures at
// any size. They come from the same glyphs as the bitmap sets and sit in the
// same 32 x 32 cell, so a square shows a piece at the same place either way.
#include <QImage>
#include <QPainterPath>
#include <QPointF>
#include <QRectF>
#include <QString>
#include <array>
#include <memory>
#include <mutex>

#include "board/SquareInfo.h"

class QPainter;
class QSvgRenderer;

namespace vorlix {

// One picture in cell units: the silhouette is filled white, the ink over it black.
struct TVectorPicture {
    QPainterPath Silhouette;
    QPainterPath Ink;
    bool IsEmpty() const { return Silhouette.isEmpty() && Ink.isEmpty(); }
};

// Parses the path data that the outline sheets hold (absolute M, L, H, V, Q, C,
// Z, as the glyph converter writes them); an empty path for anything else.
QPainterPath ParsePathData(const QString& data);

// The contours of a glyph that lie inside no other contour, filled whole: the
// glyph with its enclosed openings closed.
QPainterPath OuterContours(const QPainterPath& glyph);

class TVectorPieces {
public:
    static constexpr int kCell = 32;

    // The set of a style with the marks, loaded once.
    static const TVectorPieces& Of(TPieceStyle style);
    // A set of twelve SVG files wK.svg ... bP.svg in a folder, each fitted into
    // the box our own pieces fill in the cell; the marks are ours. Null, with a
    // message naming the file, when a file is missing, unreadable or not SVG.
    static std::shared_ptr<const TVectorPieces> FromFolder(const QString& folder, QString& error);
    ~TVectorPieces();

    // Picture of a square code 1..16; an empty picture for other codes.
    const TVectorPicture& Picture(int code) const;
    // Draws the picture with its cell's top-left corner at cellOrigin (cell units = painter units).
    // Onto a PDF page or a picture recorded for printing it draws two glyphs of
    // the set's outline font (the same outlines), which a document keeps once.
    void Draw(QPainter& painter, int code, QPointF cellOrigin) const;
    // The family of the set's outline font (registered on first use); empty when it could not be made.
    const QString& FontFamily() const;
    // The picture alone, centred on a clear square of side logical pixels, for a
    // screen of the given device pixel ratio (side x ratio pixels, ratio set).
    QImage ScreenImage(int code, int side, qreal ratio) const;
    // True when every piece of the set could be read.
    bool IsComplete() const { return complete_; }
    // For a set from SVG files: its pieces drawn into 32 x 32 cells of a 6 x 2
    // grid on magenta, as the bitmap sets are; null for our own sets.
    const QImage& Artwork() const { return artwork_; }

private:
    explicit TVectorPieces(TPieceStyle style);
    TVectorPieces() = default;
    bool DrawGlyphs(QPainter& painter, int code) const;

    void PrepareForThreads();

    TPieceStyle style_;

    std::array<TVectorPicture, kMaxSquareCode + 1> pictures_;
    bool complete_ = false;
    mutable std::once_flag fontOnce_;
    mutable QString fontFamily_;
    // A set from SVG files: one renderer a piece (codes 1..12), the box each is fitted into.
    std::array<std::unique_ptr<QSvgRenderer>, 13> renderers_;
    std::array<QRectF, 13> boxes_;
    QRectF clipBox_;  // the box of our own pieces: nothing is drawn beyond it
    QImage artwork_;
    mutable std::mutex renderMutex_;  // a renderer is not safe to share between threads
};

}  // namespace vorlix
