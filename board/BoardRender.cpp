// Rendering of the diagram board: geometry, layers, square composition and hit test.
#include <QFontMetrics>
#include <QPainter>
#include <algorithm>
#include <cstring>

#include "board/DiagramBoard.h"
#include "board/Fonts.h"
#include "board/InsideCoordinates.h"
#include "board/MarkPainter.h"
#include "board/PieceImages.h"
#include "board/PositionMarks.h"

namespace vorlix {

namespace {

QRgb* PixelRow(QImage& image, int y) { return reinterpret_cast<QRgb*>(image.scanLine(y)); }

// Fills a rectangle (right and bottom exclusive), clipped to the image.
void FillPixels(QImage& image, QRect rect, QRgb color) {
    rect = rect.intersected(image.rect());
    for (int y = rect.top(); y <= rect.bottom(); ++y)
        std::fill_n(PixelRow(image, y) + rect.left(), rect.width(), color);
}

void FillSpan(QImage& image, int left, int top, int right, int bottom, QRgb color) {
    if (right <= left || bottom <= top) return;
    FillPixels(image, QRect(QPoint(left, top), QPoint(right - 1, bottom - 1)), color);
}

// One ring with inclusive corners (l, t) and (r, b): left column and top row in
// the top colour, right column and bottom row (corners included) in the bottom colour.
void DrawRing(QImage& image, int l, int t, int r, int b, QRgb top, QRgb bottom) {
    FillSpan(image, l, t, l + 1, b, top);
    FillSpan(image, l, t, r, t + 1, top);
    FillSpan(image, r, t, r + 1, b + 1, bottom);
    FillSpan(image, l, b, r + 1, b + 1, bottom);
}

QRgb WithOpaqueAlpha(QRgb c) { return c | 0xFF000000u; }

}  // namespace

// ---- Geometry ------------------------------------------------------------------

int TDiagramBoard::BorderTotal() const { return border_.TotalWidth(); }

QSize TDiagramBoard::DiagramSize() const {
    const int s = squareSize_, g = gridLineWidth_, b = BorderTotal();
    const TCoordenateOrientation bands = CoordenateBandSides();
    const int w = (bands & West) ? s : 0, e = (bands & East) ? s : 0;
    const int n = (bands & North) ? s : 0, so = (bands & South) ? s : 0;
    return QSize(2 * b + 8 * s + 7 * g + w + e + MoverColumnWidth(*this), 2 * b + 8 * s + 7 * g + n + so);
}

QRect TDiagramBoard::SquareRect(int File, int Rank) const {
    const int s = squareSize_, g = gridLineWidth_, b = BorderTotal();
    const TCoordenateOrientation bands = CoordenateBandSides();
    const int w = (bands & West) ? s : 0, n = (bands & North) ? s : 0;
    const int p = view_ == vwWhiteUnder ? File : 7 - File;
    const int q = view_ == vwWhiteUnder ? 7 - Rank : Rank;
    return QRect(b + w + p * (s + g), b + n + q * (s + g), s, s);
}

// ---- Rendering -----------------------------------------------------------------

void TDiagramBoard::Render() {
    const QSize size = DiagramSize();
    if (diagram_.size() != size) diagram_ = QImage(size, kDiagramFormat);
    if (diagram_.isNull()) return;

    TFrameKey frame = FrameKey();
    if (frameDrawn_ != frame) {
        {
            QPainter painter(&diagram_);
            DrawCoordinates(painter);
        }
        DrawBorders();
        DrawGrid();
        frameDrawn_ = std::move(frame);
    }
    const bool whiteUnder = view_ == vwWhiteUnder;
    for (int row = 0; row < 8; ++row) {
        for (int column = 0; column < 8; ++column) {
            const int file = whiteUnder ? column : 7 - column;
            const int rank = whiteUnder ? 7 - row : row;
            TSquareInfo& square = squares_[file][rank];
            const QRect r = SquareRect(file, rank);
            square.Bounds = {r.left(), r.top(), r.left() + r.width(), r.top() + r.height()};
            ComposeSquare(square, diagram_.bits() + r.top() * diagram_.bytesPerLine() + r.left() * 4,
                          diagram_.bytesPerLine());
        }
    }
    DrawInsideCoordinates();
    if (!marks_.Arrows.empty()) {
        QPainter painter(&diagram_);
        PaintArrows(painter, *this);
        frameDrawn_.reset();  // arrows may cross the grid and borders
    }
    if (!moveState_.Empty() || MoverColumnWidth(*this) > 0) {
        QPainter painter(&diagram_);
        PaintPositionMarks(painter, *this);
        // Rings, the check ring and the glyph badge stay inside their squares,
        // which the next rendering composes anew; only an arrow crosses the grid.
        if (moveState_.LastMove == TLastMoveMark::Arrow) frameDrawn_.reset();
    }
    if (OnResize && (size.width() != width_ || size.height() != height_))
        OnResize(*this, size.width(), size.height(), size.width() - width_, size.height() - height_);
    width_ = size.width();
    height_ = size.height();
}

TDiagramBoard::TFrameKey TDiagramBoard::FrameKey() const {
    return {diagram_.size(), squareSize_,  gridLineWidth_, gridLineColor_, coordBackColor_, coordSides_,
            coordCapitals_,  coordInside_, view_,          font_,          border_.Items()};
}

bool TDiagramBoard::Paint() {
    if (updating_) return false;
    Render();
    return true;
}

void TDiagramBoard::DrawDiagramOn(QImage& Bitmap, int X, int Y) {
    Render();
    if (Bitmap.isNull() || diagram_.isNull()) return;
    QPainter painter(&Bitmap);
    painter.drawImage(X, Y, diagram_);
}

void TDiagramBoard::DrawPieceGlyph(int Code, QImage& Bitmap) const {
    if (Code < 1 || Code > kMaxSquareCode || Bitmap.isNull()) return;
    const int offset = (32 - squareSize_) / 2;
    QPainter painter(&Bitmap);
    painter.drawImage(offset, offset, pieces_->Picture(TPieceImages::Plain, Code));
}

void TDiagramBoard::DrawCoordinates(QPainter& p) const {
    const int width = diagram_.width() - MoverColumnWidth(*this), height = diagram_.height();
    const int s = squareSize_, g = gridLineWidth_, b = BorderTotal();
    const TCoordenateOrientation bands = CoordenateBandSides();
    const int w = (bands & West) ? s : 0, e = (bands & East) ? s : 0;
    const int n = (bands & North) ? s : 0, so = (bands & South) ? s : 0;
    const QColor back = ColorToQColor(coordBackColor_);
    if (bands & West) p.fillRect(QRect(0, 0, w, height), back);
    if (bands & East) p.fillRect(QRect(width - e, 0, e, height), back);
    if (bands & North) p.fillRect(QRect(w, 0, width - w - e, n), back);
    if (bands & South) p.fillRect(QRect(w, height - so, width - w - e, so), back);
    if (!(bands & kAllCoords)) return;

    const QFont font = MakeFont(font_);
    const QFontMetrics metrics(font);
    p.setFont(font);
    p.setPen(ColorToQColor(font_.Color));
    const bool whiteUnder = view_ == vwWhiteUnder;
    auto label = [&](QRect cell, QString text) {
        const int x = cell.left() + (s - metrics.horizontalAdvance(text)) / 2;
        const int y = cell.top() + (s - metrics.height()) / 2;
        p.setClipRect(cell);
        p.drawText(x, y + metrics.ascent(), text);
    };
    for (int i = 0; i < 8; ++i) {
        const QString digit(QChar(whiteUnder ? '8' - i : '1' + i));
        const int top = b + n + i * (s + g);
        if (bands & West) label(QRect(0, top, w, s), digit);
        if (bands & East) label(QRect(width - e, top, e, s), digit);
        const char base = coordCapitals_ ? 'A' : 'a';
        const QString letter(QChar(whiteUnder ? base + i : base + 7 - i));
        const int left = b + w + i * (s + g);
        if (bands & North) label(QRect(left, 0, s, n), letter);
        if (bands & South) label(QRect(left, height - so, s, so), letter);
    }
    p.setClipping(false);
}

// Drawn over the squares, which are composed afresh on every rendering.
void TDiagramBoard::DrawInsideCoordinates() {
    const std::vector<TInsideLabel> labels = InsideCoordinateLabels(*this);
    if (labels.empty()) return;
    QPainter p(&diagram_);
    p.setFont(InsideCoordinateFont(*this));
    for (const TInsideLabel& label : labels) {
        p.setPen(label.Color);
        p.drawText(label.Box, Qt::AlignLeft | Qt::AlignTop, label.Text);
    }
}

void TDiagramBoard::DrawBorders() {
    const int s = squareSize_;
    const TCoordenateOrientation bands = CoordenateBandSides();
    const int w = (bands & West) ? s : 0, e = (bands & East) ? s : 0;
    const int n = (bands & North) ? s : 0, so = (bands & South) ? s : 0;
    int l = w, t = n, r = diagram_.width() - MoverColumnWidth(*this) - e - 1, b = diagram_.height() - so - 1;
    const auto& borders = border_.Items();
    int budget = BorderTotal();
    for (auto it = borders.rbegin(); it != borders.rend(); ++it) {
        const QRgb top = ColorToRgb(it->TopColor), bottom = ColorToRgb(it->BottomColor);
        const int rings = std::min(TBorderArray::EffectiveWidth(*it), budget);
        budget -= rings;
        for (int i = 0; i < rings; ++i, ++l, ++t, --r, --b) DrawRing(diagram_, l, t, r, b, top, bottom);
    }
}

void TDiagramBoard::DrawGrid() {
    const int g = gridLineWidth_;
    if (g < 1) return;
    const int s = squareSize_, b = BorderTotal();
    const TCoordenateOrientation bands = CoordenateBandSides();
    const int w = (bands & West) ? s : 0, e = (bands & East) ? s : 0;
    const int n = (bands & North) ? s : 0, so = (bands & South) ? s : 0;
    const int width = diagram_.width() - MoverColumnWidth(*this), height = diagram_.height();
    const QRgb color = ColorToRgb(gridLineColor_);
    for (int i = 1; i <= 7; ++i) {
        const int left = b + w + i * s + (i - 1) * g;
        FillSpan(diagram_, left, b + n, left + g, height - b - so, color);
        const int top = b + n + i * s + (i - 1) * g;
        FillSpan(diagram_, b + w, top, width - b - e, top + g, color);
    }
}

// ---- Squares -------------------------------------------------------------------

const QImage& TDiagramBoard::BackgroundTile(bool light) const {
    const int index = light ? 0 : 1;
    QImage& tile = backgroundTiles_[index];
    if (backgroundValid_[index] && tile.width() == squareSize_) return tile;
    const int s = squareSize_;
    const QImage& bitmap = light ? lightBitmap_ : darkBitmap_;
    const bool autoFit = light ? lightAutoFit_ : darkAutoFit_;
    tile = QImage(s, s, kDiagramFormat);
    tile.fill(ColorToRgb(light ? lightSquares_ : darkSquares_));
    if (!bitmap.isNull()) {
        QPainter painter(&tile);
        painter.setCompositionMode(QPainter::CompositionMode_Source);
        if (autoFit)
            painter.drawImage(QRect(0, 0, s, s), bitmap);
        else
            painter.drawImage(QPoint(0, 0), bitmap, QRect(0, 0, s, s));
    }
    backgroundValid_[index] = true;
    return tile;
}

void TDiagramBoard::ComposeSquare(const TSquareInfo& square, uchar* dst, qsizetype stride) const {
    const int s = squareSize_;
    const bool light = square.IsLight;
    const QImage& tile = BackgroundTile(light);
    const TShading shading = light ? lightShading_ : darkShading_;
    const auto list =
        shading == shNone ? TPieceImages::Plain : (light ? TPieceImages::LightShaded : TPieceImages::DarkShaded);
    const int code = square.Piece >= 0 && square.Piece <= kMaxSquareCode ? square.Piece : 0;
    const bool drawPicture = pieces_->Size() == s && pieces_->HasContent(list, code);
    const QImage& picture = pieces_->Picture(list, code);
    const QRgb highlight = ColorToRgb(square.HighlightColor);
    const QRgb shadingColor = ColorToRgb(light ? lightShadingColor_ : darkShadingColor_);
    const std::optional<TMarkColor> squareMark = SquareMarkAt(marks_, int(&square - &squares_[0][0]));

    for (int y = 0; y < s; ++y) {
        auto* row = reinterpret_cast<QRgb*>(dst + y * stride);
        std::memcpy(row, tile.constScanLine(y), size_t(s) * 4);
        if (square.Highlighted) {
            if (square.Merged)
                for (int x = 0; x < s; ++x) row[x] &= highlight;
            else
                std::fill_n(row, s, highlight);
        }
        if (squareMark)
            for (int x = 0; x < s; ++x) row[x] = BlendSquareMark(row[x], *squareMark);
        if (drawPicture) {
            const auto* src = reinterpret_cast<const QRgb*>(picture.constScanLine(y));
            for (int x = 0; x < s; ++x)
                if (src[x]) row[x] = src[x];
        }
        if (shading != shNone)
            for (int x = 0; x < s; ++x)
                if (WithOpaqueAlpha(row[x]) == kAquaRgb) row[x] = shadingColor;
    }
    if (square.Selected) {
        for (int frame = 0; frame < 2; ++frame) {
            const int lo = frame, hi = s - 1 - frame;
            auto* top = reinterpret_cast<QRgb*>(dst + lo * stride);
            auto* bottom = reinterpret_cast<QRgb*>(dst + hi * stride);
            std::fill(top + lo, top + hi + 1, 0xFF000000u);
            std::fill(bottom + lo, bottom + hi + 1, 0xFF000000u);
            for (int y = lo; y <= hi; ++y) {
                auto* row = reinterpret_cast<QRgb*>(dst + y * stride);
                row[lo] = row[hi] = 0xFF000000u;
            }
        }
    }
}

void TDiagramBoard::DrawSquare(QPainter& Canvas, QPoint Square) const {
    if (!OnBoard(Square)) return;
    const TSquareInfo& square = squares_[Square.x()][Square.y()];
    QImage scratch(squareSize_, squareSize_, kDiagramFormat);
    ComposeSquare(square, scratch.bits(), scratch.bytesPerLine());
    Canvas.drawImage(square.Bounds.Left, square.Bounds.Top, scratch);
}

void TDiagramBoard::RedrawSquare(QPoint Square) {
    if (!OnBoard(Square) || diagram_.isNull()) return;
    const TSquareInfo& square = squares_[Square.x()][Square.y()];
    const QRect rect(square.Bounds.Left, square.Bounds.Top, squareSize_, squareSize_);
    if (!diagram_.rect().contains(rect)) return;
    if (!marks_.Arrows.empty() || coordInside_ || !moveState_.Empty()) {
        // Arrows cross other squares and labels lie over edge squares: only a
        // whole rendering draws them right.
        Render();
        if (OnSquareRedrawn) OnSquareRedrawn(*this, diagram_.rect());
        return;
    }
    ComposeSquare(square, diagram_.bits() + rect.top() * diagram_.bytesPerLine() + rect.left() * 4,
                  diagram_.bytesPerLine());
    if (OnSquareRedrawn) OnSquareRedrawn(*this, rect);
}

// ---- Hit test ------------------------------------------------------------------

bool TDiagramBoard::SquareAt(int X, int Y, QPoint& Square) const {
    const int64_t g = gridLineWidth_, b = BorderTotal();
    const int64_t before = g / 2, after = (g + 1) / 2;  // the left/upper square takes ceil(G/2)
    const bool whiteUnder = view_ == vwWhiteUnder;
    for (int file = 0; file < 8; ++file) {
        for (int rank = 0; rank < 8; ++rank) {
            const TRect32& r = squares_[file][rank].Bounds;
            int64_t left = r.Left, top = r.Top, right = r.Right, bottom = r.Bottom;
            if (g > 0) {
                const int p = whiteUnder ? file : 7 - file;
                const int q = whiteUnder ? 7 - rank : rank;
                left -= p == 0 ? b : before;
                right += p == 7 ? b : after;
                top -= q == 0 ? b : before;
                bottom += q == 7 ? b : after;
            }
            if (X >= left && X < right && Y >= top && Y < bottom) {
                Square = QPoint(file, rank);
                return true;
            }
        }
    }
    Square = QPoint(-1, -1);
    return false;
}

}  // namespace vorlix
