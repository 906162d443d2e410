#include "viewers/ui/NavigationIcons.h"

#include <QPainter>
#include <QPainterPath>
#include <QPixmap>

namespace vorlix {

namespace {

constexpr int kSize = 16;

// A triangle pointing right (or left) with its back at x.
void Triangle(QPainter& p, double x, bool right) {
    QPainterPath path;
    const double tip = right ? x + 6 : x - 6;
    path.moveTo(x, 3);
    path.lineTo(tip, 8);
    path.lineTo(x, 13);
    path.closeSubpath();
    p.fillPath(path, p.brush());
}

void Bar(QPainter& p, double x) { p.fillRect(QRectF(x, 3, 2, 10), p.brush()); }

}  // namespace

namespace {

QPixmap Drawn(TNavIcon kind, int ratio) {
    QPixmap pixmap(kSize * ratio, kSize * ratio);
    pixmap.setDevicePixelRatio(ratio);
    pixmap.fill(Qt::transparent);
    QPainter p(&pixmap);
    p.setRenderHint(QPainter::Antialiasing);
    p.setBrush(kind == TNavIcon::Play ? QColor(0, 128, 0) : QColor(0, 0, 128));
    switch (kind) {
        case TNavIcon::Start:
            Bar(p, 2);
            Triangle(p, 11, false);
            break;
        case TNavIcon::FastBack:
            Triangle(p, 8, false);
            Triangle(p, 14, false);
            break;
        case TNavIcon::Back: Triangle(p, 11, false); break;
        case TNavIcon::Forward: Triangle(p, 5, true); break;
        case TNavIcon::FastForward:
            Triangle(p, 2, true);
            Triangle(p, 8, true);
            break;
        case TNavIcon::End:
            Triangle(p, 5, true);
            Bar(p, 12);
            break;
        case TNavIcon::Play:
            Triangle(p, 4, true);
            Triangle(p, 9, true);
            break;
    }
    p.end();
    return pixmap;
}

}  // namespace

// Drawn for ordinary and for 200 % screens, so the buttons stay sharp on both.
QIcon NavigationIcon(TNavIcon kind) {
    QIcon icon(Drawn(kind, 1));
    icon.addPixmap(Drawn(kind, 2));
    return icon;
}

}  // namespace vorlix
