#include "export/SvgCanvas.h"

#include <QBuffer>
#include <QImageWriter>
#include <QPaintEngine>
#include <QPainterPath>
#include <QRawFont>
#include <QTextItem>
#include <charconv>
#include <climits>
#include <cmath>
#include <cstdio>
#include <mutex>
#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

#include "export/XmlText.h"

namespace vorlix {

namespace {

// Paths of more elements than this are defined once and drawn with <use>.
constexpr int kSharedPathElements = 12;
// Path data kept between documents (the piece sets); the cache starts over when full.
constexpr size_t kCachedPaths = 512;

// Three decimals, without trailing zeros: exact for whole and half pixels and
// far below what a viewer can show otherwise.
void AppendNumber(std::string& out, double value) {
    if (std::abs(value) < 0.0005) value = 0;
    char buffer[32];
    auto [end, error] = std::to_chars(buffer, buffer + sizeof buffer, value, std::chars_format::fixed, 3);
    if (error != std::errc()) {
        out += '0';
        return;
    }
    char* last = end;
    while (last > buffer && last[-1] == '0') --last;
    if (last > buffer && last[-1] == '.') --last;
    out.append(buffer, last);
}

void AppendInt(std::string& out, long long value) { out += std::to_string(value); }

void AppendColour(std::string& out, const char* name, const QColor& colour) {
    char hex[8];
    std::snprintf(hex, sizeof hex, "#%02x%02x%02x", colour.red(), colour.green(), colour.blue());
    out += ' ';
    out += name;
    out += "=\"";
    out += hex;
    out += '"';
    if (colour.alpha() != 255) {
        out += ' ';
        out += name;
        out += "-opacity=\"";
        AppendNumber(out, colour.alphaF());
        out += '"';
    }
}

std::string PathData(const QPainterPath& path) {
    std::string d;
    d.reserve(size_t(path.elementCount()) * 14);
    for (int i = 0; i < path.elementCount(); ++i) {
        const QPainterPath::Element e = path.elementAt(i);
        if (e.type == QPainterPath::MoveToElement)
            d += 'M';
        else if (e.type == QPainterPath::LineToElement)
            d += 'L';
        else if (e.type == QPainterPath::CurveToElement)
            d += 'C';
        else
            d += ' ';
        AppendNumber(d, e.x);
        d += ' ';
        AppendNumber(d, e.y);
    }
    return d;
}

size_t PathHash(const QPainterPath& path) {
    size_t hash = size_t(path.fillRule()) * 31 + size_t(path.elementCount());
    for (int i = 0; i < path.elementCount(); ++i) {
        const QPainterPath::Element e = path.elementAt(i);
        hash = hash * 1000003u ^ std::hash<double>()(e.x);
        hash = hash * 1000003u ^ std::hash<double>()(e.y) ^ size_t(e.type);
    }
    return hash;
}

// Formatted path data of long paths, shared by every document of the process.
class TPathDataCache {
public:
    std::string Find(const QPainterPath& path, size_t hash) {
        {
            std::lock_guard lock(mutex_);
            auto [first, last] = entries_.equal_range(hash);
            for (auto it = first; it != last; ++it)
                if (it->second.Path == path) return it->second.Data;
        }
        std::string data = PathData(path);
        std::lock_guard lock(mutex_);
        if (entries_.size() >= kCachedPaths) entries_.clear();
        entries_.emplace(hash, TEntry{path, data});
        return data;
    }

private:
    struct TEntry {
        QPainterPath Path;
        std::string Data;
    };
    std::mutex mutex_;
    std::unordered_multimap<size_t, TEntry> entries_;
};

TPathDataCache& PathDataCache() {
    static TPathDataCache cache;
    return cache;
}

// The font list of a text: the font itself, then fonts of its kind found on
// most systems, then the generic family, so that a viewer without the font
// picks a close one instead of its default.
std::string FontFamilies(const QFont& font) {
    const QString family = font.family();
    const QString lower = family.toLower();
    const char* fallbacks = "Arial, 'Liberation Sans', 'DejaVu Sans', Helvetica, sans-serif";
    if (lower.contains("mono") || lower.contains("courier") || font.styleHint() == QFont::Monospace ||
        font.styleHint() == QFont::TypeWriter)
        fallbacks = "'Courier New', 'Liberation Mono', 'DejaVu Sans Mono', monospace";
    else if (lower.contains("times") || lower.contains("georgia") || lower.contains("garamond") ||
             (lower.contains("serif") && !lower.contains("sans")) || font.styleHint() == QFont::Serif)
        fallbacks = "'Times New Roman', 'Liberation Serif', 'DejaVu Serif', Times, serif";
    QString named = family;
    named.remove('\'');
    std::string out;
    if (!named.isEmpty()) AppendXmlEscaped(out, "'" + named + "', ");
    return out + fallbacks;
}

// The pixel size the text item is drawn at on a 96 dpi device.
double PixelSize(const QFont& font) { return font.pixelSize() > 0 ? font.pixelSize() : font.pointSizeF() * 96 / 72; }

// The glyph outlines of a text item with its baseline starting at p.
QPainterPath TextOutline(const QPointF& p, const QTextItem& item) {
    QRawFont raw = QRawFont::fromFont(item.font());
    QPainterPath outline;
    if (!raw.isValid()) return outline;
    raw.setPixelSize(PixelSize(item.font()));
    const QList<quint32> glyphs = raw.glyphIndexesForString(item.text());
    const QList<QPointF> advances = raw.advancesForGlyphIndexes(glyphs);
    QPointF pen = p;
    for (qsizetype i = 0; i < glyphs.size(); ++i) {
        QPainterPath glyph = raw.pathForGlyph(glyphs[i]);
        glyph.translate(pen);
        outline.addPath(glyph);
        if (i < advances.size()) pen += advances[i];
    }
    outline.setFillRule(Qt::WindingFill);
    return outline;
}

QByteArray PngBytes(const QImage& image) {
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    QImageWriter(&buffer, "png").write(image);
    return bytes;
}

}  // namespace

class TSvgPaintEngine : public QPaintEngine {
public:
    TSvgPaintEngine() : QPaintEngine(QPaintEngine::AllFeatures) {}

    bool begin(QPaintDevice*) override { return true; }
    bool end() override { return true; }
    Type type() const override { return QPaintEngine::User; }

    void updateState(const QPaintEngineState& state) override;
    void drawPath(const QPainterPath& path) override;
    void drawRects(const QRectF* rects, int count) override;
    void drawPolygon(const QPointF* points, int count, PolygonDrawMode mode) override;
    void drawPixmap(const QRectF& r, const QPixmap& pixmap, const QRectF& source) override;
    void drawImage(const QRectF& r, const QImage& image, const QRectF& source,
                   Qt::ImageConversionFlags flags = Qt::AutoColor) override;
    void drawTextItem(const QPointF& p, const QTextItem& item) override;

    std::string Defs, Body;
    bool TextAsPaths = false;

private:
    void SetClip(QPainterPath path, Qt::ClipOperation operation);
    // Starts an element: its clip group if clipped, then "<name".
    void Open(const char* name);
    // Ends it with the transform and "/>" and closes the clip group.
    void Close();
    void AppendFillAndStroke(Qt::FillRule rule, bool fill);
    void AppendTransform();
    int SharedPathId(const QPainterPath& path);
    int SharedImageId(const QImage& picture);

    QPen pen_;
    QBrush brush_;
    QTransform transform_;
    qreal opacity_ = 1;
    QPainterPath clip_;  // in document units
    bool clipped_ = false;
    int clipId_ = -1;  // the clip's <clipPath>, once written
    int nextId_ = 0;
    std::unordered_multimap<size_t, std::pair<QPainterPath, int>> sharedPaths_;
    std::unordered_multimap<size_t, std::pair<QImage, int>> sharedImages_;
};

void TSvgPaintEngine::updateState(const QPaintEngineState& state) {
    const DirtyFlags dirty = state.state();
    if (dirty & DirtyPen) pen_ = state.pen();
    if (dirty & DirtyBrush) brush_ = state.brush();
    if (dirty & DirtyTransform) transform_ = state.transform();
    if (dirty & DirtyOpacity) opacity_ = state.opacity();
    if (dirty & DirtyClipPath) SetClip(state.clipPath(), state.clipOperation());
    if (dirty & DirtyClipRegion) {
        QPainterPath path;
        path.addRegion(state.clipRegion());
        SetClip(path, state.clipOperation());
    }
    if ((dirty & DirtyClipEnabled) && clipped_ != state.isClipEnabled()) {
        clipped_ = state.isClipEnabled() && !clip_.isEmpty();
        clipId_ = -1;
    }
}

void TSvgPaintEngine::SetClip(QPainterPath path, Qt::ClipOperation operation) {
    clipId_ = -1;
    if (operation == Qt::NoClip) {
        clipped_ = false;
        clip_ = QPainterPath();
        return;
    }
    path = transform_.map(path);
    clip_ = operation == Qt::IntersectClip && clipped_ ? clip_.intersected(path) : path;
    clipped_ = true;
}

void TSvgPaintEngine::Open(const char* name) {
    if (clipped_) {
        if (clipId_ < 0) {
            clipId_ = nextId_++;
            Defs += "<clipPath id=\"c";
            AppendInt(Defs, clipId_);
            Defs += "\"><path d=\"";
            Defs += PathData(clip_);
            Defs +=
                clip_.fillRule() == Qt::OddEvenFill ? "\" clip-rule=\"evenodd\"/></clipPath>\n" : "\"/></clipPath>\n";
        }
        Body += "<g clip-path=\"url(#c";
        AppendInt(Body, clipId_);
        Body += ")\">";
    }
    Body += '<';
    Body += name;
}

void TSvgPaintEngine::Close() {
    AppendTransform();
    if (opacity_ < 1) {
        Body += " opacity=\"";
        AppendNumber(Body, opacity_);
        Body += '"';
    }
    Body += clipped_ ? "/></g>\n" : "/>\n";
}

void TSvgPaintEngine::AppendTransform() {
    const QTransform& t = transform_;
    if (t.isIdentity()) return;
    Body += " transform=\"";
    if (t.type() == QTransform::TxTranslate) {
        Body += "translate(";
        AppendNumber(Body, t.dx());
        Body += ' ';
        AppendNumber(Body, t.dy());
    } else {
        Body += "matrix(";
        for (const qreal v : {t.m11(), t.m12(), t.m21(), t.m22(), t.dx(), t.dy()}) {
            AppendNumber(Body, v);
            Body += ' ';
        }
        Body.pop_back();
    }
    Body += ")\"";
}

void TSvgPaintEngine::AppendFillAndStroke(Qt::FillRule rule, bool fill) {
    if (fill && brush_.style() != Qt::NoBrush) {
        AppendColour(Body, "fill", brush_.color());
        if (rule == Qt::OddEvenFill) Body += " fill-rule=\"evenodd\"";
    } else {
        Body += " fill=\"none\"";
    }
    if (pen_.style() == Qt::NoPen) return;
    AppendColour(Body, "stroke", pen_.color());
    Body += " stroke-width=\"";
    AppendNumber(Body, pen_.widthF() > 0 ? pen_.widthF() : 1.0);
    Body += '"';
    switch (pen_.capStyle()) {
        case Qt::FlatCap: Body += " stroke-linecap=\"butt\""; break;
        case Qt::RoundCap: Body += " stroke-linecap=\"round\""; break;
        default: Body += " stroke-linecap=\"square\""; break;
    }
    switch (pen_.joinStyle()) {
        case Qt::RoundJoin: Body += " stroke-linejoin=\"round\""; break;
        case Qt::BevelJoin: Body += " stroke-linejoin=\"bevel\""; break;
        default: break;  // miter, SVG's own default
    }
}

int TSvgPaintEngine::SharedPathId(const QPainterPath& path) {
    const size_t hash = PathHash(path);
    auto [first, last] = sharedPaths_.equal_range(hash);
    for (auto it = first; it != last; ++it)
        if (it->second.first == path) return it->second.second;
    const int id = nextId_++;
    Defs += "<path id=\"p";
    AppendInt(Defs, id);
    Defs += "\" d=\"";
    Defs += PathDataCache().Find(path, hash);
    Defs += "\"/>\n";
    sharedPaths_.emplace(hash, std::pair{path, id});
    return id;
}

void TSvgPaintEngine::drawPath(const QPainterPath& path) {
    if (path.isEmpty()) return;
    if (path.elementCount() > kSharedPathElements) {
        const int id = SharedPathId(path);
        Open("use");
        Body += " xlink:href=\"#p";
        AppendInt(Body, id);
        Body += '"';
    } else {
        Open("path");
        Body += " d=\"";
        Body += PathData(path);
        Body += '"';
    }
    AppendFillAndStroke(path.fillRule(), true);
    Close();
}

void TSvgPaintEngine::drawRects(const QRectF* rects, int count) {
    for (int i = 0; i < count; ++i) {
        const QRectF& r = rects[i].normalized();
        Open("rect");
        Body += " x=\"";
        AppendNumber(Body, r.x());
        Body += "\" y=\"";
        AppendNumber(Body, r.y());
        Body += "\" width=\"";
        AppendNumber(Body, r.width());
        Body += "\" height=\"";
        AppendNumber(Body, r.height());
        Body += '"';
        AppendFillAndStroke(Qt::WindingFill, true);  // the rule does not matter for a rectangle
        Close();
    }
}

void TSvgPaintEngine::drawPolygon(const QPointF* points, int count, PolygonDrawMode mode) {
    if (count < 2) return;
    QPainterPath path(points[0]);
    for (int i = 1; i < count; ++i) path.lineTo(points[i]);
    if (mode == PolylineMode) {
        Open("path");
        Body += " d=\"";
        Body += PathData(path);
        Body += '"';
        AppendFillAndStroke(Qt::OddEvenFill, false);
        Close();
        return;
    }
    path.closeSubpath();
    path.setFillRule(mode == WindingMode ? Qt::WindingFill : Qt::OddEvenFill);
    drawPath(path);
}

void TSvgPaintEngine::drawPixmap(const QRectF& r, const QPixmap& pixmap, const QRectF& source) {
    drawImage(r, pixmap.toImage(), source);
}

void TSvgPaintEngine::drawImage(const QRectF& r, const QImage& image, const QRectF& source, Qt::ImageConversionFlags) {
    const QRect part = source.toAlignedRect();
    const QImage picture = part == image.rect() ? image : image.copy(part);
    if (picture.isNull()) return;
    const QTransform saved = transform_;
    transform_ = QTransform::fromScale(r.width() / picture.width(), r.height() / picture.height()) *
                 QTransform::fromTranslate(r.x(), r.y()) * transform_;
    Open("use");
    Body += " xlink:href=\"#i";
    AppendInt(Body, SharedImageId(picture));
    Body += '"';
    Close();
    transform_ = saved;
}

// The same picture on many squares is written once.
int TSvgPaintEngine::SharedImageId(const QImage& picture) {
    const size_t hash = std::hash<std::string_view>()(
        std::string_view(reinterpret_cast<const char*>(picture.constBits()), size_t(picture.sizeInBytes())));
    auto [first, last] = sharedImages_.equal_range(hash);
    for (auto it = first; it != last; ++it)
        if (it->second.first == picture) return it->second.second;
    const int id = nextId_++;
    Defs += "<image id=\"i";
    AppendInt(Defs, id);
    Defs += "\" width=\"";
    AppendInt(Defs, picture.width());
    Defs += "\" height=\"";
    AppendInt(Defs, picture.height());
    Defs += "\" preserveAspectRatio=\"none\" xlink:href=\"data:image/png;base64,";
    Defs += PngBytes(picture).toBase64().toStdString();
    Defs += "\"/>\n";
    sharedImages_.emplace(hash, std::pair{picture, id});
    return id;
}

void TSvgPaintEngine::drawTextItem(const QPointF& p, const QTextItem& item) {
    const QFont font = item.font();
    if (TextAsPaths) {
        // Filled in the pen's colour, as text is.
        const QPen pen = pen_;
        const QBrush brush = brush_;
        pen_ = QPen(Qt::NoPen);
        brush_ = QBrush(pen.color());
        drawPath(TextOutline(p, item));
        pen_ = pen;
        brush_ = brush;
        return;
    }
    Open("text");
    Body += " xml:space=\"preserve\" x=\"";
    AppendNumber(Body, p.x());
    Body += "\" y=\"";
    AppendNumber(Body, p.y());
    Body += "\" font-family=\"";
    Body += FontFamilies(font);
    Body += "\" font-size=\"";
    AppendNumber(Body, PixelSize(font));
    Body += "\" font-weight=\"";
    AppendInt(Body, int(font.weight()));
    Body += '"';
    if (font.italic()) Body += " font-style=\"italic\"";
    if (font.underline() || font.strikeOut())
        Body += font.underline() ? " text-decoration=\"underline\"" : " text-decoration=\"line-through\"";
    AppendColour(Body, "fill", pen_.color());
    AppendTransform();
    Body += '>';
    AppendXmlEscaped(Body, item.text());
    Body += clipped_ ? "</text></g>\n" : "</text>\n";
}

TSvgCanvas::TSvgCanvas(QSize viewBox, QSize shownSize, const QString& title, const QString& description)
    : viewBox_(viewBox),
      shownSize_(shownSize),
      title_(title),
      description_(description),
      engine_(std::make_unique<TSvgPaintEngine>()) {}

TSvgCanvas::~TSvgCanvas() = default;

void TSvgCanvas::SetTextAsPaths(bool on) { engine_->TextAsPaths = on; }

QPaintEngine* TSvgCanvas::paintEngine() const { return engine_.get(); }

QByteArray TSvgCanvas::Document() const {
    std::string out;
    out.reserve(engine_->Defs.size() + engine_->Body.size() + 512);
    out += "<?xml version=\"1.0\" encoding=\"UTF-8\" standalone=\"no\"?>\n<svg width=\"";
    AppendInt(out, shownSize_.width());
    out += "\" height=\"";
    AppendInt(out, shownSize_.height());
    out += "\" viewBox=\"0 0 ";
    AppendInt(out, viewBox_.width());
    out += ' ';
    AppendInt(out, viewBox_.height());
    out +=
        "\" xmlns=\"http://www.w3.org/2000/svg\" xmlns:xlink=\"http://www.w3.org/1999/xlink\" "
        "version=\"1.1\">\n<title>";
    AppendXmlEscaped(out, title_);
    out += "</title>\n<desc>";
    AppendXmlEscaped(out, description_);
    out += "</desc>\n<defs>\n";
    out += engine_->Defs;
    out += "</defs>\n";
    out += engine_->Body;
    out += "</svg>\n";
    return QByteArray(out.data(), qsizetype(out.size()));
}

int TSvgCanvas::metric(PaintDeviceMetric metric) const {
    switch (metric) {
        case PdmWidth: return viewBox_.width();
        case PdmHeight: return viewBox_.height();
        case PdmWidthMM: return qRound(viewBox_.width() * 25.4 / 96);
        case PdmHeightMM: return qRound(viewBox_.height() * 25.4 / 96);
        case PdmNumColors: return INT_MAX;
        case PdmDepth: return 32;
        case PdmDpiX:
        case PdmDpiY:
        case PdmPhysicalDpiX:
        case PdmPhysicalDpiY: return 96;
        case PdmDevicePixelRatio: return 1;
        case PdmDevicePixelRatioScaled: return int(QPaintDevice::devicePixelRatioFScale());
        default: return 0;
    }
}

}  // namespace vorlix
