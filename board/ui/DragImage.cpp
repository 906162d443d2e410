#include "board/ui/DragImage.h"

#include <QPainter>

namespace vorlix {

TDragImage::TDragImage(QWidget* host) : QWidget(host->window()) {
    setAttribute(Qt::WA_TransparentForMouseEvents);
    setAttribute(Qt::WA_NoSystemBackground);
    hide();
}

void TDragImage::Begin(const QImage& picture, QPoint hotSpot, QPoint globalPos) {
    picture_ = picture;
    hotSpot_ = hotSpot;
    resize((QSizeF(picture.size()) / picture.devicePixelRatio()).toSize());
    MoveTo(globalPos);
    raise();
    show();
}

void TDragImage::MoveTo(QPoint globalPos) { move(parentWidget()->mapFromGlobal(globalPos) - hotSpot_); }

void TDragImage::End() {
    hide();
    picture_ = QImage();
}

void TDragImage::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    painter.drawImage(0, 0, picture_);
}

}  // namespace vorlix
