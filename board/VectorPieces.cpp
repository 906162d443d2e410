#include "board/VectorPieces.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QFontDatabase>
#include <QPaintEngine>
#include <QPainter>
#include <QPainterPathStroker>
#include <QRegularExpression>
#include <QSvgRenderer>
#include <cmath>
#include <mutex>

#include "board/FileBytes.h"
#include "board/PieceFont.h"
#include "board/PieceImages.h"

static void InitVectorPiecesResource() { Q_INIT_RESOURCE(PieceArtwork); }

namespace vorlix {

namespace {

constexpr const char kLetters[] = "KQBNRP";  // the column order of the sets
// A piece picture larger than this is not one a set would hold.
constexpr qint64 kMaxPieceFileBytes = 4 << 20;

// Splits path data into command letters and numbers.
class TPathTokens {
public:
    explicit TPathTokens(const QString& text) : text_(text) {}
    bool AtEnd() {
        SkipSeparators();
        return pos_ >= text_.size();
    }
    bool NextIsCommand() {
        SkipSeparators();
        return pos_ < text_.size() && text_[pos_].isLetter();
    }
    QChar Command() { return text_[pos_++]; }
    bool Number(qreal& value) {
        SkipSeparators();
        const qsizetype start = pos_;
        while (pos_ < text_.size() && (text_[pos_].isDigit() || text_[pos_] == '.' || text_[pos_] == '-' ||
                                       text_[pos_] == '+' || text_[pos_] == 'e'))
            ++pos_;
        bool ok = false;
        value = text_.mid(start, pos_ - start).toDouble(&ok);
        return ok;
    }

private:
    void SkipSeparators() {
        while (pos_ < text_.size() && (text_[pos_].isSpace() || text_[pos_] == ',')) ++pos_;
    }
    QString text_;
    qsizetype pos_ = 0;
};

bool Points(TPathTokens& tokens, int count, QPointF* points) {
    for (int i = 0; i < count; ++i) {
        qreal x = 0, y = 0;
        if (!tokens.Number(x) || !tokens.Number(y)) return false;
        points[i] = QPointF(x, y);
    }
    return true;
}

// One command with its arguments (repeated argument groups allowed).
bool ApplyCommand(QChar command, TPathTokens& tokens, QPainterPath& path) {
    do {
        QPointF p[3];
        qreal v = 0;
        switch (command.unicode()) {
            case 'M':
                if (!Points(tokens, 1, p)) return false;
                path.moveTo(p[0]);
                command = 'L';
                break;
            case 'L':
                if (!Points(tokens, 1, p)) return false;
                path.lineTo(p[0]);
                break;
            case 'H':
                if (!tokens.Number(v)) return false;
                path.lineTo(v, path.currentPosition().y());
                break;
            case 'V':
                if (!tokens.Number(v)) return false;
                path.lineTo(path.currentPosition().x(), v);
                break;
            case 'Q':
                if (!Points(tokens, 2, p)) return false;
                path.quadTo(p[0], p[1]);
                break;
            case 'C':
                if (!Points(tokens, 3, p)) return false;
                path.cubicTo(p[0], p[1], p[2]);
                break;
            case 'Z': path.closeSubpath(); return true;
            default: return false;
        }
    } while (!tokens.AtEnd() && !tokens.NextIsCommand());
    return true;
}

QVector<QPainterPath> Subpaths(const QPainterPath& path) {
    QVector<QPainterPath> result;
    for (int i = 0; i < path.elementCount(); ++i) {
        const QPainterPath::Element e = path.elementAt(i);
        if (e.isMoveTo()) {
            result.append(QPainterPath());
            result.back().moveTo(e.x, e.y);
        } else if (result.isEmpty()) {
            continue;
        } else if (e.isLineTo()) {
            result.back().lineTo(e.x, e.y);
        } else if (e.isCurveTo()) {
            const QPainterPath::Element c2 = path.elementAt(i + 1), end = path.elementAt(i + 2);
            result.back().cubicTo(e.x, e.y, c2.x, c2.y, end.x, end.y);
            i += 2;
        }
    }
    return result;
}

QPainterPath Stroked(const QPainterPath& path, qreal width, Qt::PenCapStyle cap) {
    QPainterPathStroker stroker;
    stroker.setWidth(width);
    stroker.setCapStyle(cap);
    stroker.setJoinStyle(Qt::MiterJoin);
    return stroker.createStroke(path);
}

QPainterPath CrossShape(qreal shrink) {
    const qreal lo = 8 + shrink * 0.7, hi = 24 - shrink * 0.7;
    QPainterPath lines;
    lines.moveTo(lo, lo);
    lines.lineTo(hi, hi);
    QPainterPath other;
    other.moveTo(lo, hi);
    other.lineTo(hi, lo);
    QPainterPath shape =
        Stroked(lines, 6 - 2 * shrink, Qt::FlatCap).united(Stroked(other, 6 - 2 * shrink, Qt::FlatCap));
    shape.setFillRule(Qt::WindingFill);
    return shape.simplified();
}

QPainterPath DotShape(qreal shrink) {
    QPainterPath shape;
    shape.addEllipse(QPointF(16, 16), 7 - shrink, 7 - shrink);
    return shape;
}

// A white mark is a black shape with a white inside two units in; a black mark is solid.
TVectorPicture Mark(QPainterPath (*shape)(qreal), bool white) {
    TVectorPicture picture;
    picture.Silhouette = shape(0);
    picture.Ink = white ? picture.Silhouette.subtracted(shape(2)) : picture.Silhouette;
    return picture;
}

// PDF pages and pictures kept for printing hold every drawing command: there a
// glyph costs a few bytes where an outline costs kilobytes on every square.
bool KeepsDrawing(const QPainter& painter) {
    const QPaintEngine* engine = painter.paintEngine();
    return engine && (engine->type() == QPaintEngine::Pdf || engine->type() == QPaintEngine::Picture);
}

QString SheetText(TPieceStyle style) {
    static std::once_flag once;
    std::call_once(once, InitVectorPiecesResource);
    QFile file(QStringLiteral(":/pieces/vector/%1.svg").arg(PieceSetName(style)));
    if (!file.open(QIODevice::ReadOnly)) return {};
    return QString::fromUtf8(file.readAll());
}

}  // namespace

QPainterPath ParsePathData(const QString& data) {
    QPainterPath path;
    path.setFillRule(Qt::WindingFill);
    TPathTokens tokens(data);
    while (!tokens.AtEnd()) {
        if (!tokens.NextIsCommand() || !ApplyCommand(tokens.Command(), tokens, path)) return QPainterPath();
    }
    return path;
}

QPainterPath OuterContours(const QPainterPath& glyph) {
    const QVector<QPainterPath> contours = Subpaths(glyph);
    QVector<QPolygonF> polygons;
    for (const QPainterPath& c : contours) polygons.append(c.toFillPolygon());
    QPainterPath outer;
    outer.setFillRule(Qt::WindingFill);
    for (qsizetype i = 0; i < contours.size(); ++i) {
        if (polygons[i].isEmpty()) continue;
        const QPointF probe = polygons[i].first();
        bool inside = false;
        for (qsizetype j = 0; j < contours.size() && !inside; ++j)
            inside = j != i && polygons[j].containsPoint(probe, Qt::OddEvenFill);
        if (!inside) outer.addPath(contours[i]);
    }
    return outer;
}

TVectorPieces::~TVectorPieces() = default;

namespace {

// The box our own pieces fill in the cell, all twelve together.
QRectF OwnPiecesBox() {
    const TVectorPieces& own = TVectorPieces::Of(psRirozReg);
    QRectF box;
    for (int code = 1; code <= 12; ++code) box |= own.Picture(code).Silhouette.boundingRect();
    return box.isEmpty() ? QRectF(1, 1, TVectorPieces::kCell - 2, TVectorPieces::kCell - 2) : box;
}

// The view box of a picture scaled to fit the box and centred in it.
QRectF Fitted(QSizeF view, const QRectF& box) {
    const QSizeF size = view.scaled(box.size(), Qt::KeepAspectRatio);
    return QRectF(box.center() - QPointF(size.width() / 2, size.height() / 2), size);
}

// A drawn cell on magenta as the bitmap sets have it: a pixel at least half
// covered is the piece's colour, made opaque; the rest is the key colour.
// Colours that mean something to the bitmap road are moved by one step.
void KeyOnMagenta(const QImage& drawn, QImage& artwork, QPoint at, QPainterPath& silhouette) {
    for (int y = 0; y < drawn.height(); ++y) {
        const auto* src = reinterpret_cast<const QRgb*>(drawn.constScanLine(y));
        auto* dst = reinterpret_cast<QRgb*>(artwork.scanLine(at.y() + y)) + at.x();
        int runStart = -1;
        for (int x = 0; x <= drawn.width(); ++x) {
            const bool inside = x < drawn.width() && qAlpha(src[x]) >= 128;
            if (inside) {
                QRgb color = qUnpremultiply(src[x]) | 0xFF000000u;
                if (color == kMagentaRgb || color == kAquaRgb) color ^= 0x00010000u;
                dst[x] = color;
                if (runStart < 0) runStart = x;
            } else {
                if (x < drawn.width()) dst[x] = kMagentaRgb;
                if (runStart >= 0) silhouette.addRect(QRectF(runStart, y, x - runStart, 1));
                runStart = -1;
            }
        }
    }
}

}  // namespace

std::shared_ptr<const TVectorPieces> TVectorPieces::FromFolder(const QString& folder, QString& error) {
    if (!QFileInfo(folder).isDir()) {
        error = QStringLiteral("%1: no such folder of pieces").arg(folder);
        return nullptr;
    }
    std::shared_ptr<TVectorPieces> set(new TVectorPieces());
    const TVectorPieces& own = Of(psRirozReg);
    set->style_ = psRirozReg;
    const QRectF box = OwnPiecesBox();
    set->clipBox_ = box;
    set->artwork_ = QImage(6 * kCell, 2 * kCell, QImage::Format_RGB32);
    if (set->artwork_.isNull()) {
        error = QStringLiteral("out of memory");
        return nullptr;
    }
    set->artwork_.fill(kMagentaRgb);
    for (int row = 0; row < 2; ++row) {
        for (int column = 0; column < 6; ++column) {
            const int code = 1 + 6 * row + column;
            const QString name =
                QStringLiteral("%1%2.svg").arg(QChar(row == 0 ? 'w' : 'b')).arg(QChar(kLetters[column]));
            const QString path = QDir(folder).filePath(name);
            QByteArray bytes;
            if (!ReadFileBytes(path, kMaxPieceFileBytes, bytes, error)) return nullptr;
            auto renderer = std::make_unique<QSvgRenderer>(bytes);
            const QSizeF view = renderer->viewBoxF().size();
            if (!renderer->isValid() || view.isEmpty()) {
                error = QStringLiteral("%1: not a valid SVG image with a size").arg(path);
                return nullptr;
            }
            set->boxes_[size_t(code)] = Fitted(view, box);
            QImage drawn(kCell, kCell, QImage::Format_ARGB32_Premultiplied);
            drawn.fill(Qt::transparent);
            {
                QPainter painter(&drawn);
                painter.setRenderHint(QPainter::Antialiasing, true);
                painter.setClipRect(box);
                renderer->render(&painter, set->boxes_[size_t(code)]);
            }
            TVectorPicture& picture = set->pictures_[size_t(code)];
            picture.Silhouette.setFillRule(Qt::WindingFill);
            KeyOnMagenta(drawn, set->artwork_, QPoint(column * kCell, row * kCell), picture.Silhouette);
            picture.Silhouette = picture.Silhouette.simplified();
            if (picture.Silhouette.isEmpty()) {
                error = QStringLiteral("%1: the piece draws nothing").arg(path);
                return nullptr;
            }
            set->renderers_[size_t(code)] = std::move(renderer);
        }
    }
    for (int code = pcWCross; code <= pcBDot; ++code) set->pictures_[size_t(code)] = own.Picture(code);
    set->complete_ = true;
    set->PrepareForThreads();
    return set;
}

const TVectorPieces& TVectorPieces::Of(TPieceStyle style) {
    static std::mutex mutex;
    static std::array<std::unique_ptr<TVectorPieces>, 3> sets;
    const size_t index = style <= psRoruvoz ? size_t(style) : 0;
    std::lock_guard lock(mutex);
    if (!sets[index]) sets[index].reset(new TVectorPieces(TPieceStyle(index)));
    return *sets[index];
}

TVectorPieces::TVectorPieces(TPieceStyle style) : style_(style) {
    const QString sheet = SheetText(style);
    static const QRegularExpression pathElement(QStringLiteral("<path id=\"([wb][KQBNRP])\" d=\"([^\"]*)\""));
    int found = 0;
    for (auto it = pathElement.globalMatch(sheet); it.hasNext();) {
        const auto match = it.next();
        const QString id = match.captured(1);
        const int row = id[0] == 'w' ? 0 : 1;
        const int column = int(std::string(kLetters).find(char(id[1].unicode())));
        QPainterPath ink = ParsePathData(match.captured(2));
        if (ink.isEmpty()) continue;
        ink.translate(-column * kCell, -row * kCell);
        TVectorPicture& picture = pictures_[size_t(1 + 6 * row + column)];
        picture.Ink = ink;
        picture.Silhouette = OuterContours(ink);
        ++found;
    }
    complete_ = found == 12;
    pictures_[pcWCross] = Mark(CrossShape, true);
    pictures_[pcWDot] = Mark(DotShape, true);
    pictures_[pcBCross] = Mark(CrossShape, false);
    pictures_[pcBDot] = Mark(DotShape, false);
    PrepareForThreads();
}

// A path keeps what painting it needs (its bounds, its converted form) in
// caches it fills on first use. The pictures are shared by every thread that
// draws, so they are painted once here, under the lock of Of(), and later
// painting only reads them: two batch threads filling an unprepared path at
// once drew a piece slightly wrong.
void TVectorPieces::PrepareForThreads() {
    QImage scratch(8, 8, QImage::Format_ARGB32_Premultiplied);
    QPainter painter(&scratch);
    painter.setRenderHint(QPainter::Antialiasing, true);
    for (const TVectorPicture& picture : pictures_) {
        for (const QPainterPath* path : {&picture.Silhouette, &picture.Ink}) {
            path->boundingRect();
            path->controlPointRect();
            painter.fillPath(*path, Qt::black);
        }
    }
}

const TVectorPicture& TVectorPieces::Picture(int code) const {
    static const TVectorPicture empty;
    return code >= 1 && code <= kMaxSquareCode ? pictures_[size_t(code)] : empty;
}

void TVectorPieces::Draw(QPainter& painter, int code, QPointF cellOrigin) const {
    const TVectorPicture& picture = Picture(code);
    if (picture.IsEmpty()) return;
    painter.save();
    painter.setRenderHint(QPainter::Antialiasing, true);
    painter.translate(cellOrigin);
    if (const QSvgRenderer* renderer = code <= 12 ? renderers_[size_t(code)].get() : nullptr) {
        // Clipped to its box, so that no drawing of the file reaches beyond the square.
        painter.setClipRect(clipBox_, Qt::IntersectClip);
        std::lock_guard lock(renderMutex_);
        const_cast<QSvgRenderer*>(renderer)->render(&painter, boxes_[size_t(code)]);
    } else if (!KeepsDrawing(painter) || !DrawGlyphs(painter, code)) {
        painter.fillPath(picture.Silhouette, Qt::white);
        painter.fillPath(picture.Ink, Qt::black);
    }
    painter.restore();
}

namespace {

// The characters of a code's glyphs. The ink of a piece is its chess symbol and
// that of a mark a cross or circle, so text taken from a PDF shows the position;
// silhouettes lie beyond the basic plane, where PDF readers find no text for them.
char32_t InkChar(int code) {
    static constexpr char32_t marks[] = {U'\u2715', U'\u25CB', U'\u2716', U'\u25CF'};  // white/black cross, dot
    // In the order of the codes: king, queen, bishop, knight, rook, pawn.
    static constexpr char32_t pieces[] = {U'\u2654', U'\u2655', U'\u2657', U'\u2658', U'\u2656', U'\u2659'};
    if (code >= 1 && code <= 12) return pieces[(code - 1) % 6] + (code > 6 ? 6 : 0);
    if (code >= pcWCross && code <= pcBDot) return marks[code - pcWCross];
    return 0xF0100 + char32_t(code);
}
char32_t SilhouetteChar(int code) { return 0xF0000 + char32_t(code); }

}  // namespace

const QString& TVectorPieces::FontFamily() const {
    std::call_once(fontOnce_, [this] {
        std::vector<TFontGlyph> glyphs;
        for (int code = 0; code <= kMaxSquareCode; ++code) {
            glyphs.push_back({SilhouetteChar(code), pictures_[size_t(code)].Silhouette});
            glyphs.push_back({InkChar(code), pictures_[size_t(code)].Ink});
        }
        const QString name = QStringLiteral("Vorlix Outline Pieces %1").arg(int(style_));
        const int id = QFontDatabase::addApplicationFontFromData(MakePieceFont(name, kCell, glyphs));
        const QStringList families = id < 0 ? QStringList() : QFontDatabase::applicationFontFamilies(id);
        if (!families.isEmpty()) fontFamily_ = families.first();
    });
    return fontFamily_;
}

bool TVectorPieces::DrawGlyphs(QPainter& painter, int code) const {
    const QString& family = FontFamily();
    if (family.isEmpty()) return false;
    QFont font(family);
    font.setPixelSize(kCell);
    font.setStyleStrategy(QFont::StyleStrategy(QFont::NoFontMerging | QFont::PreferAntialias));
    font.setHintingPreference(QFont::PreferNoHinting);
    font.setKerning(false);
    painter.setFont(font);
    const QPointF baseline(0, kCell);
    auto text = [](char32_t c) { return QString::fromUcs4(&c, 1); };
    if (!Picture(code).Silhouette.isEmpty()) {
        painter.setPen(Qt::white);
        painter.drawText(baseline, text(SilhouetteChar(code)));
    }
    painter.setPen(Qt::black);
    painter.drawText(baseline, text(InkChar(code)));
    return true;
}

QImage TVectorPieces::ScreenImage(int code, int side, qreal ratio) const {
    const int pixels = int(std::ceil(side * ratio));
    QImage image(pixels, pixels, QImage::Format_ARGB32_Premultiplied);
    image.fill(Qt::transparent);
    QPainter painter(&image);
    painter.scale(ratio, ratio);
    const int offset = (side - kCell) / 2;  // as on the board
    Draw(painter, code, QPointF(offset, offset));
    painter.end();
    image.setDevicePixelRatio(ratio);
    return image;
}

}  // namespace vorlix
