#pragma once
// The widget that shows a diagram board: it renders the board when the board
// asks for a repaint, shows its diagram bitmap and always takes its size.
// Mouse events are passed on as signals for the editing layer above.
#include <QWidget>

namespace vorlix {

class TkxChessBrd;

class TBoardControl : public QWidget {
    Q_OBJECT
public:
    TBoardControl(TkxChessBrd& board, QWidget* parent = nullptr);
    ~TBoardControl() override;

    TkxChessBrd& Board() { return FBoard; }
    // Renders at once (unless the board's update lock is set) and takes the new size.
    void RenderNow();

signals:
    void BoardResized(QSize size);
    void MousePressed(QMouseEvent* event);
    void MouseMoved(QMouseEvent* event);
    void MouseReleased(QMouseEvent* event);

protected:
    void paintEvent(QPaintEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;

private:
    void ScheduleRender();

    TkxChessBrd& FBoard;
    bool FRenderPending = false;
};

}  // namespace vorlix
