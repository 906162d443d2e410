#include "export/DiagramLayout.h"

#include <QFontMetrics>
#include <QPainter>

#include "board/Colors.h"
#include "board/Fonts.h"

namespace vorlix {
namespace {

// Its accents and descenders give the full height of a line of text.
const QString kSampleText = QString::fromLatin1("TgQ\xCAj\xE7p");

TTextLine LayOut(const THeaderFooterInfo& info) {
    TTextLine line;
    line.Enabled = info.Enabled;
    if (!info.Enabled) return line;
    line.Font = MakeFont(info.Font);
    line.Color = ColorToQColor(info.Font.Color);
    line.Text = QString::fromStdString(info.Text);
    line.Alignment = info.Alignment;
    const QFontMetrics metrics(line.Font);
    line.Height = metrics.size(Qt::TextSingleLine, kSampleText).height();
    line.Width = metrics.horizontalAdvance(line.Text);
    return line;
}

// A line as wide as the image or wider starts at the left edge whatever its alignment.
int TextLeft(const TTextLine& line, int imageWidth) {
    if (line.Width >= imageWidth) return 0;
    switch (line.Alignment) {
        case taCenter: return (imageWidth - line.Width) / 2;
        case taRightJustify: return imageWidth - line.Width;
        default: return 0;
    }
}

// Fills the clipping rectangle with the background colour and draws the text
// with its top-left corner at (x, top), cut at the rectangle's edges.
void PaintLine(QPainter& painter, const TTextLine& line, int top, const QRect& clip, int imageWidth,
               const std::optional<QColor>& back) {
    painter.save();
    painter.setClipRect(clip, Qt::IntersectClip);
    if (back) painter.fillRect(clip, *back);
    painter.setFont(line.Font);
    painter.setPen(line.Color);
    const QFontMetrics metrics(line.Font);
    painter.drawText(QPointF(TextLeft(line, imageWidth), top + metrics.ascent()), line.Text);
    painter.restore();
}

}  // namespace

TDiagramLayout LayOutDiagram(const TDiagram& diagram) {
    TDiagramLayout layout;
    layout.Head = LayOut(diagram.Header);
    layout.Foot = LayOut(diagram.Footer);
    layout.Board = diagram.Board.DiagramSize();
    layout.HeadBand = layout.Head.Enabled ? layout.Head.Height + 4 : 0;
    layout.FootBand = layout.Foot.Enabled ? layout.Foot.Height + 4 : 0;
    return layout;
}

void PaintHeaderFooter(QPainter& painter, const TDiagramLayout& layout, const std::optional<QColor>& back) {
    const QSize image = layout.Image();
    if (layout.Head.Enabled)
        PaintLine(painter, layout.Head, 0, QRect(0, 0, image.width(), layout.Head.Height + 2), image.width(), back);
    if (layout.Foot.Enabled) {
        const int top = layout.Board.height() + 4 + layout.HeadBand;
        PaintLine(painter, layout.Foot, top, QRect(0, top - 4, image.width(), image.height() - (top - 4)),
                  image.width(), back);
    }
}

}  // namespace vorlix
