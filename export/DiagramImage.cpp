#include "export/DiagramImage.h"

#include <QFontMetrics>
#include <QPainter>

#include "board/Colors.h"
#include "board/Fonts.h"

namespace vorlix {
namespace {

// Its accents and descenders give the full height of a line of text.
const QString kSampleText = QString::fromLatin1("TgQ\xCAj\xE7p");

// One header or footer line as laid out on the image.
struct TTextLine {
    bool Enabled = false;
    QFont Font;
    QColor Color;
    QString Text;
    int Alignment = taLeftJustify;
    int Height = 0;  // of the sample text; 0 when disabled
    int Width = 0;   // of the line's own text
};

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
void DrawLine(QImage& image, const TTextLine& line, int top, const QRect& clip, const QColor& back) {
    QPainter painter(&image);
    painter.setClipRect(clip);
    painter.fillRect(clip, back);
    painter.setFont(line.Font);
    painter.setPen(line.Color);
    const QFontMetrics metrics(line.Font);
    painter.drawText(TextLeft(line, image.width()), top + metrics.ascent(), line.Text);
}

QImage Scaled(const QImage& image, int scaleIndex) {
    if (scaleIndex == kNoScaleIndex || scaleIndex < 0 || scaleIndex >= kImageScaleCount) return image;
    const QSize size = ScaledSize(image.size(), ImageScaleFactor(scaleIndex));
    QImage scaled(size, image.format());
    if (scaled.isNull()) return image;
    QPainter painter(&scaled);
    StretchBitmap(painter, scaled.rect(), image);
    return scaled;
}

}  // namespace

QImage RenderDiagramImage(TkxChessBrd& board, const THeaderFooterInfo& header, const THeaderFooterInfo& footer,
                          int scaleIndex) {
    const TTextLine head = LayOut(header), foot = LayOut(footer);
    const QSize boardSize = board.DiagramSize();
    const int headBand = head.Enabled ? head.Height + 4 : 0;
    const int footBand = foot.Enabled ? foot.Height + 4 : 0;
    const int width = boardSize.width();
    const int height = boardSize.height() + headBand + footBand;

    QImage image(width, height, kDiagramFormat);
    if (image.isNull()) return image;
    const QColor back = ColorToQColor(board.CoordenateBackColor());
    image.fill(back);
    if (head.Enabled) DrawLine(image, head, 0, QRect(0, 0, width, head.Height + 2), back);
    board.UnselectAll();
    board.DrawDiagramOn(image, 0, headBand);
    if (foot.Enabled) {
        const int top = boardSize.height() + 4 + headBand;
        DrawLine(image, foot, top, QRect(0, top - 4, width, height - (top - 4)), back);
    }
    return Scaled(image, scaleIndex);
}

TTransparencyRule TransparencyRuleOf(const TkxChessBrd& board, const THeaderFooterInfo& header,
                                     const THeaderFooterInfo& footer) {
    const TCoordenateOrientation sides = board.CoordenateOrientation();
    TTransparencyRule rule;
    rule.HeaderEnabled = header.Enabled;
    rule.FooterEnabled = footer.Enabled;
    rule.North = sides & North;
    rule.West = sides & West;
    rule.East = sides & East;
    rule.South = sides & South;
    rule.BackColor = ColorToRgb(board.CoordenateBackColor());
    return rule;
}

}  // namespace vorlix
