#pragma once
// The picture that follows the pointer while a piece is dragged: drawn over
// the whole window that holds the board, transparent to the mouse.
#include <QImage>
#include <QWidget>

namespace vorlix {

class TDragImage : public QWidget {
public:
    // The image floats over host's top-level window.
    explicit TDragImage(QWidget* host);

    // Starts showing Picture with its HotSpot under the global point.
    void Begin(const QImage& picture, QPoint hotSpot, QPoint globalPos);
    void MoveTo(QPoint globalPos);
    void End();

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    QImage picture_;
    QPoint hotSpot_;
};

}  // namespace vorlix
