#include "board/PieceFont.h"

#include <QtEndian>
#include <algorithm>
#include <climits>
#include <cmath>
#include <utility>

namespace vorlix {
namespace {

// Big-endian writer of font tables.
class TBytes {
public:
    void U8(int v) { Data.append(char(v & 0xFF)); }
    void U16(int v) {
        U8(v >> 8);
        U8(v);
    }
    void U32(quint32 v) {
        U16(int(v >> 16));
        U16(int(v & 0xFFFF));
    }
    void Zeros(int n) { Data.append(QByteArray(n, '\0')); }
    void Pad4() {
        while (Data.size() % 4) U8(0);
    }
    QByteArray Data;
};

struct TGlyphPoint {
    int X, Y;
    bool OnCurve;
};

using TContour = std::vector<TGlyphPoint>;

class TOutline {
public:
    TOutline(int cellSize) : scale_(kPieceFontUnitsPerCellUnit), baseline_(cellSize) {}

    std::vector<TContour> Contours(const QPainterPath& path) {
        contours_.clear();
        for (int i = 0; i < path.elementCount(); ++i) {
            const QPainterPath::Element e = path.elementAt(i);
            const QPointF p(e.x, e.y);
            switch (e.type) {
                case QPainterPath::MoveToElement:
                    Close();
                    contours_.emplace_back();
                    Add(p, true);
                    break;
                case QPainterPath::LineToElement: Add(p, true); break;
                case QPainterPath::CurveToElement: {
                    const QPointF c2(path.elementAt(i + 1).x, path.elementAt(i + 1).y);
                    const QPointF end(path.elementAt(i + 2).x, path.elementAt(i + 2).y);
                    Cubic(last_, p, c2, end, 0);
                    i += 2;
                    break;
                }
                case QPainterPath::CurveToDataElement: break;
            }
        }
        Close();
        return std::move(contours_);
    }

private:
    // The glyph outlines are quadratic: a cubic that came from a quadratic
    // curve gives it back exactly; any other is split until one quadratic fits.
    void Cubic(QPointF p0, QPointF c1, QPointF c2, QPointF p3, int depth) {
        const QPointF fromStart = (3 * c1 - p0) / 2, fromEnd = (3 * c2 - p3) / 2;
        const QPointF d = fromStart - fromEnd;
        if (depth >= 6 || std::hypot(d.x(), d.y()) < 0.02) {
            Add((fromStart + fromEnd) / 2, false);
            Add(p3, true);
            return;
        }
        const QPointF a = (p0 + c1) / 2, b = (c1 + c2) / 2, c = (c2 + p3) / 2;
        const QPointF ab = (a + b) / 2, bc = (b + c) / 2, mid = (ab + bc) / 2;
        Cubic(p0, a, ab, mid, depth + 1);
        Cubic(mid, bc, c, p3, depth + 1);
    }
    void Add(QPointF p, bool onCurve) {
        if (contours_.empty()) contours_.emplace_back();
        last_ = p;
        const TGlyphPoint point{int(std::lround(p.x() * scale_)), int(std::lround((baseline_ - p.y()) * scale_)),
                                onCurve};
        TContour& contour = contours_.back();
        if (onCurve && !contour.empty() && contour.back().OnCurve && contour.back().X == point.X &&
            contour.back().Y == point.Y)
            return;
        contour.push_back(point);
    }
    // A contour closes by itself: a closing point on the first one is dropped.
    void Close() {
        if (contours_.empty()) return;
        TContour& contour = contours_.back();
        if (contour.size() > 1 && contour.back().OnCurve && contour.back().X == contour.front().X &&
            contour.back().Y == contour.front().Y)
            contour.pop_back();
        if (contour.size() < 3) contours_.pop_back();
    }

    int scale_;
    qreal baseline_;
    QPointF last_;
    std::vector<TContour> contours_;
};

// Twice the area a contour encloses, positive when it turns one way.
double SignedArea(const TContour& c) {
    double sum = 0;
    for (size_t i = 0; i < c.size(); ++i) {
        const TGlyphPoint &a = c[i], &b = c[(i + 1) % c.size()];
        sum += double(a.X) * b.Y - double(b.X) * a.Y;
    }
    return sum;
}

bool Inside(const TContour& c, const TGlyphPoint& p) {
    bool inside = false;
    for (size_t i = 0, j = c.size() - 1; i < c.size(); j = i++) {
        const TGlyphPoint &a = c[i], &b = c[j];
        if ((a.Y > p.Y) != (b.Y > p.Y) && p.X < double(b.X - a.X) * (p.Y - a.Y) / double(b.Y - a.Y) + a.X)
            inside = !inside;
    }
    return inside;
}

// Glyphs are filled by the nonzero rule. A path meant for the even-odd rule
// (a ring made by subtracting one shape from another) gets its contours turned
// by how deeply each lies inside the others, so that both rules fill the same.
void OrientForNonzero(std::vector<TContour>& contours) {
    for (size_t i = 0; i < contours.size(); ++i) {
        int depth = 0;
        for (size_t j = 0; j < contours.size(); ++j)
            if (j != i && Inside(contours[j], contours[i].front())) ++depth;
        if ((SignedArea(contours[i]) > 0) != (depth % 2 == 0)) std::reverse(contours[i].begin(), contours[i].end());
    }
}

struct TGlyph {
    QByteArray Data;
    int XMin = 0, YMin = 0, XMax = 0, YMax = 0;
    int Points = 0, Contours = 0;
};

TGlyph EncodeGlyph(const std::vector<TContour>& contours) {
    TGlyph glyph;
    if (contours.empty()) return glyph;
    glyph.XMin = glyph.YMin = INT_MAX;
    glyph.XMax = glyph.YMax = INT_MIN;
    for (const TContour& c : contours)
        for (const TGlyphPoint& p : c) {
            glyph.XMin = std::min(glyph.XMin, p.X);
            glyph.XMax = std::max(glyph.XMax, p.X);
            glyph.YMin = std::min(glyph.YMin, p.Y);
            glyph.YMax = std::max(glyph.YMax, p.Y);
            ++glyph.Points;
        }
    glyph.Contours = int(contours.size());
    TBytes b;
    b.U16(glyph.Contours);
    b.U16(glyph.XMin);
    b.U16(glyph.YMin);
    b.U16(glyph.XMax);
    b.U16(glyph.YMax);
    int end = -1;
    for (const TContour& c : contours) b.U16(end += int(c.size()));
    b.U16(0);  // no instructions
    for (const TContour& c : contours)
        for (const TGlyphPoint& p : c) b.U8(p.OnCurve ? 1 : 0);  // coordinates as 16-bit deltas
    int previous = 0;
    for (const TContour& c : contours)
        for (const TGlyphPoint& p : c) b.U16(p.X - std::exchange(previous, p.X));
    previous = 0;
    for (const TContour& c : contours)
        for (const TGlyphPoint& p : c) b.U16(p.Y - std::exchange(previous, p.Y));
    b.Pad4();
    glyph.Data = b.Data;
    return glyph;
}

quint32 Checksum(const QByteArray& table) {
    QByteArray padded = table;
    while (padded.size() % 4) padded.append('\0');
    quint32 sum = 0;
    for (qsizetype i = 0; i < padded.size(); i += 4) sum += qFromBigEndian<quint32>(padded.constData() + i);
    return sum;
}

QByteArray NameTable(const QString& family) {
    const QString postScript = QString(family).remove(QLatin1Char(' '));
    const std::vector<std::pair<int, QString>> names = {
        {1, family}, {2, QStringLiteral("Regular")}, {3, family}, {4, family}, {6, postScript}};
    TBytes b, strings;
    b.U16(0);
    b.U16(int(names.size()));
    b.U16(6 + 12 * int(names.size()));
    for (const auto& [id, text] : names) {
        b.U16(3);       // Windows
        b.U16(1);       // Unicode BMP
        b.U16(0x0409);  // English
        b.U16(id);
        b.U16(int(text.size() * 2));
        b.U16(int(strings.Data.size()));
        for (QChar ch : text) strings.U16(ch.unicode());
    }
    return b.Data + strings.Data;
}

}  // namespace

QByteArray MakePieceFont(const QString& family, int cellSize, const std::vector<TFontGlyph>& outlines) {
    constexpr int em = 2048;
    const int glyphCount = int(outlines.size()) + 1;  // glyph 0 is the empty .notdef
    std::vector<TGlyph> glyphs(1);
    TOutline outline(cellSize);
    for (const TFontGlyph& g : outlines) {
        std::vector<TContour> contours = outline.Contours(g.Path);
        if (g.Path.fillRule() == Qt::OddEvenFill) OrientForNonzero(contours);
        glyphs.push_back(EncodeGlyph(contours));
    }
    // Characters to glyphs, in the order of the characters.
    std::vector<std::pair<char32_t, int>> chars;
    for (size_t i = 0; i < outlines.size(); ++i) chars.emplace_back(outlines[i].Char, int(i) + 1);
    std::sort(chars.begin(), chars.end());
    std::vector<std::pair<char32_t, int>> bmp;
    for (const auto& c : chars)
        if (c.first < 0xFFFF) bmp.push_back(c);
    int xMin = 0, yMin = 0, xMax = 0, yMax = 0, maxPoints = 0, maxContours = 0;
    for (const TGlyph& g : glyphs) {
        if (!g.Contours) continue;
        xMin = std::min(xMin, g.XMin);
        yMin = std::min(yMin, g.YMin);
        xMax = std::max(xMax, g.XMax);
        yMax = std::max(yMax, g.YMax);
        maxPoints = std::max(maxPoints, g.Points);
        maxContours = std::max(maxContours, g.Contours);
    }

    TBytes glyf, loca, hmtx;
    for (const TGlyph& g : glyphs) {
        loca.U32(quint32(glyf.Data.size()));
        glyf.Data += g.Data;
        hmtx.U16(em);
        hmtx.U16(g.XMin);
    }
    loca.U32(quint32(glyf.Data.size()));

    TBytes head;
    head.U32(0x00010000);
    head.U32(0x00010000);
    head.U32(0);  // checksum adjustment, set below
    head.U32(0x5F0F3CF5);
    head.U16(0x000B);
    head.U16(em);
    head.Zeros(16);  // created, modified
    head.U16(xMin);
    head.U16(yMin);
    head.U16(xMax);
    head.U16(yMax);
    head.U16(0);  // mac style
    head.U16(8);  // lowest readable size
    head.U16(2);
    head.U16(1);  // long loca offsets
    head.U16(0);

    TBytes hhea;
    hhea.U32(0x00010000);
    hhea.U16(em);  // ascender: the cell
    hhea.U16(0);
    hhea.U16(0);
    hhea.U16(em);
    hhea.U16(xMin);
    hhea.U16(em - xMax);
    hhea.U16(xMax);
    hhea.U16(1);
    hhea.U16(0);
    hhea.Zeros(10);  // caret offset, reserved
    hhea.U16(0);
    hhea.U16(glyphCount);

    TBytes maxp;
    maxp.U32(0x00010000);
    maxp.U16(glyphCount);
    maxp.U16(maxPoints);
    maxp.U16(maxContours);
    maxp.U16(0);
    maxp.U16(0);
    maxp.U16(2);
    maxp.Zeros(16);

    const int first = chars.empty() ? 0 : int(std::min<char32_t>(chars.front().first, 0xFFFF));
    const int last = chars.empty() ? 0 : int(std::min<char32_t>(chars.back().first, 0xFFFF));
    TBytes os2;
    os2.U16(4);
    os2.U16(em);
    os2.U16(400);
    os2.U16(5);
    os2.U16(0);  // embedding allowed
    os2.Zeros(20);
    os2.U16(0);
    os2.Zeros(10);
    os2.U32(1);                                                               // Basic Latin
    os2.U32((1u << 13) | (1u << 14) | (1u << 15) | (1u << 25) | (1u << 28));  // symbols, beyond the basic plane
    os2.U32(0);
    os2.U32(0);
    os2.Data.append("VRLX");
    os2.U16(0x40);  // regular
    os2.U16(first);
    os2.U16(last);
    os2.U16(em);
    os2.U16(0);
    os2.U16(0);
    os2.U16(em);
    os2.U16(0);
    os2.U32(1);  // Latin 1
    os2.U32(0);
    os2.U16(em / 2);
    os2.U16(em);
    os2.U16(0);
    os2.U16(0x20);
    os2.U16(1);

    // Two subtables: the characters of the basic plane (format 4, one segment
    // each, then the closing one) and all of them (format 12, one group each).
    TBytes format4;
    const int segments = int(bmp.size()) + 1;
    int power = 1, log2 = 0;
    while (power * 2 <= segments) power *= 2, ++log2;
    format4.U16(4);
    format4.U16(16 + 8 * segments);
    format4.U16(0);
    format4.U16(2 * segments);
    format4.U16(2 * power);
    format4.U16(log2);
    format4.U16(2 * segments - 2 * power);
    for (const auto& c : bmp) format4.U16(int(c.first));
    format4.U16(0xFFFF);
    format4.U16(0);
    for (const auto& c : bmp) format4.U16(int(c.first));
    format4.U16(0xFFFF);
    for (const auto& c : bmp) format4.U16((c.second - int(c.first)) & 0xFFFF);
    format4.U16(1);
    for (int i = 0; i < segments; ++i) format4.U16(0);
    TBytes format12;
    format12.U16(12);
    format12.U16(0);
    format12.U32(quint32(16 + 12 * chars.size()));
    format12.U32(0);
    format12.U32(quint32(chars.size()));
    for (const auto& c : chars) {
        format12.U32(c.first);
        format12.U32(c.first);
        format12.U32(quint32(c.second));
    }
    TBytes cmap;
    cmap.U16(0);
    cmap.U16(2);
    cmap.U16(3);
    cmap.U16(1);  // Windows, Unicode basic plane
    cmap.U32(4 + 2 * 8);
    cmap.U16(3);
    cmap.U16(10);  // Windows, full Unicode
    cmap.U32(quint32(4 + 2 * 8 + format4.Data.size()));
    cmap.Data += format4.Data + format12.Data;

    TBytes post;
    post.U32(0x00030000);
    post.U32(0);
    post.U16(-100);
    post.U16(50);
    post.Zeros(20);

    const std::vector<std::pair<QByteArray, QByteArray>> tables = {
        {"OS/2", os2.Data},          {"cmap", cmap.Data}, {"glyf", glyf.Data}, {"head", head.Data},
        {"hhea", hhea.Data},         {"hmtx", hmtx.Data}, {"loca", loca.Data}, {"maxp", maxp.Data},
        {"name", NameTable(family)}, {"post", post.Data}};
    const int count = int(tables.size());
    power = 1, log2 = 0;
    while (power * 2 <= count) power *= 2, ++log2;
    TBytes font;
    font.U32(0x00010000);
    font.U16(count);
    font.U16(power * 16);
    font.U16(log2);
    font.U16(count * 16 - power * 16);
    quint32 offset = quint32(12 + 16 * count);
    for (const auto& [tag, data] : tables) {
        font.Data.append(tag);
        font.U32(Checksum(data));
        font.U32(offset);
        font.U32(quint32(data.size()));
        offset += quint32((data.size() + 3) / 4 * 4);
    }
    qsizetype headOffset = 0;
    for (const auto& [tag, data] : tables) {
        if (tag == "head") headOffset = font.Data.size();
        font.Data.append(data);
        font.Pad4();
    }
    qToBigEndian<quint32>(0xB1B0AFBA - Checksum(font.Data), font.Data.data() + headOffset + 8);
    return font.Data;
}

}  // namespace vorlix
