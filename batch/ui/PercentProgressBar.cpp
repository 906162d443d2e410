#include "batch/ui/PercentProgressBar.h"

#include <QImage>
#include <QPainter>
#include <cmath>

namespace vorlix {
namespace {

// Rounds halves to the even neighbour, as the progress figures always have.
int RoundHalfEven(double x) { return static_cast<int>(std::nearbyint(x)); }

// One pixel wide frame at `inset` pixels in: `topLeft` on top and left, `bottomRight` on bottom and right.
void DrawFrameRing(QPainter& p, QSize size, int inset, TColor topLeft, TColor bottomRight) {
    const int l = inset, t = inset, r = size.width() - 1 - inset, b = size.height() - 1 - inset;
    if (r < l || b < t) return;
    p.setPen(ColorToQColor(topLeft));
    p.drawLine(l, t, r, t);
    p.drawLine(l, t, l, b);
    p.setPen(ColorToQColor(bottomRight));
    p.drawLine(l, b, r, b);
    p.drawLine(r, t, r, b);
}

}  // namespace

int ProgressBarLength(int value, int minValue, int maxValue, int extent) {
    if (!(minValue < value && value <= maxValue)) return 0;
    return RoundHalfEven(double(value - minValue) * extent / double(maxValue - minValue));
}

QString ProgressBarText(int value, int minValue, int maxValue) {
    if (value < minValue || value > maxValue || maxValue == minValue) return "0 %";
    const int percent = RoundHalfEven(double(value - minValue) * 100.0 / double(maxValue - minValue));
    return QString::number(percent) + " %";
}

int BorderInset(TBorderStyle style) {
    switch (style) {
        case TBorderStyle::bsSunken2:
        case TBorderStyle::bsRaised2: return 2;
        case TBorderStyle::bsSunken1:
        case TBorderStyle::bsRaised1: return 1;
        case TBorderStyle::bsNone: return 0;
    }
    return 0;
}

TPercentProgressBar::TPercentProgressBar(QWidget* parent)
    : QWidget(parent), barColor_(clHighlight), backColor_(clBtnFace) {
    resize(60, 20);
    QFont f = font();
    f.setPointSize(11);
    f.setBold(true);
    setFont(f);
    setAttribute(Qt::WA_OpaquePaintEvent);
}

template <typename T>
void TPercentProgressBar::Assign(T& field, T value) {
    if (field == value) return;
    field = value;
    update();
}

void TPercentProgressBar::SetBarColor(TColor color) { Assign(barColor_, color); }
void TPercentProgressBar::SetBackColor(TColor color) { Assign(backColor_, color); }
void TPercentProgressBar::SetProgressDirection(TPBDirection direction) { Assign(direction_, direction); }
void TPercentProgressBar::SetShowPercent(bool show) { Assign(showPercent_, show); }
void TPercentProgressBar::SetBorderStyle(TBorderStyle style) { Assign(borderStyle_, style); }

void TPercentProgressBar::SetStep(int step) {
    if (step > 0) step_ = step;
}

void TPercentProgressBar::SetMinValue(int value) {
    if (value < maxValue_) Assign(minValue_, value);
}

void TPercentProgressBar::SetMaxValue(int value) {
    if (value > minValue_) Assign(maxValue_, value);
}

void TPercentProgressBar::SetValue(int value) {
    if (value > maxValue_) value = maxValue_;
    if (value < minValue_) value = minValue_;
    Assign(value_, value);
}

QRect TPercentProgressBar::BarRect() const {
    const int w = width(), h = height();
    const bool horizontal = direction_ == TPBDirection::pbRight || direction_ == TPBDirection::pbLeft;
    const int b = ProgressBarLength(value_, minValue_, maxValue_, horizontal ? w : h);
    if (b <= 0) return {};
    switch (direction_) {
        case TPBDirection::pbRight: return QRect(QPoint(0, 0), QPoint(b, h)).adjusted(0, 0, -1, -1);
        case TPBDirection::pbLeft: return QRect(QPoint(w - b - 1, 0), QPoint(w, h)).adjusted(0, 0, -1, -1);
        case TPBDirection::pbUp: return QRect(QPoint(0, h - b - 1), QPoint(w, h)).adjusted(0, 0, -1, -1);
        case TPBDirection::pbDown: return QRect(QPoint(0, 0), QPoint(w, b)).adjusted(0, 0, -1, -1);
    }
    return {};
}

void TPercentProgressBar::DrawText(QPainter& p) const {
    const QString text = Text();
    QFont f = font();
    p.setFont(f);
    p.setPen(ColorToQColor(clHighlightText));
    const QFontMetrics fm(f);
    const int tw = fm.horizontalAdvance(text), th = fm.height();
    const int inset = BorderInset(borderStyle_);
    const int x = tw > width() ? inset : (width() - tw) / 2;
    const int y = th > height() ? inset : (height() - th) / 2;
    p.setClipRect(rect());
    p.drawText(QRect(x, y, tw, th), Qt::AlignLeft | Qt::AlignTop, text);
    p.setClipping(false);
}

void TPercentProgressBar::DrawFrame(QPainter& p) const {
    const QSize s = size();
    switch (borderStyle_) {
        case TBorderStyle::bsSunken2:
            DrawFrameRing(p, s, 0, clBtnShadow, clBtnHighlight);
            DrawFrameRing(p, s, 1, cl3DDkShadow, cl3DLight);
            break;
        case TBorderStyle::bsSunken1: DrawFrameRing(p, s, 0, clBtnShadow, clBtnHighlight); break;
        case TBorderStyle::bsNone: break;
        case TBorderStyle::bsRaised1: DrawFrameRing(p, s, 0, clBtnHighlight, clBtnShadow); break;
        case TBorderStyle::bsRaised2:
            DrawFrameRing(p, s, 0, clBtnHighlight, cl3DDkShadow);
            DrawFrameRing(p, s, 1, cl3DLight, clBtnShadow);
            break;
    }
}

QImage TPercentProgressBar::Render() const {
    QImage image(size().expandedTo(QSize(1, 1)), QImage::Format_RGB32);
    image.fill(ColorToQColor(backColor_));
    QPainter p(&image);
    const QRect bar = BarRect();
    if (!bar.isEmpty()) p.fillRect(bar, ColorToQColor(barColor_));
    if (showPercent_) DrawText(p);
    DrawFrame(p);
    return image;
}

void TPercentProgressBar::paintEvent(QPaintEvent*) {
    // Composed off screen and copied in one step, so the bar never flickers.
    QPainter p(this);
    p.drawImage(0, 0, Render());
}

}  // namespace vorlix
