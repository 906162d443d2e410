#include "viewers/ui/ViewerWindow.h"

#include <QScreen>
#include <QStyle>
#include <QWidget>
#include <algorithm>

#include "viewers/ui/ViewerHost.h"

namespace vorlix {

void SetViewerStaysOnTop(QWidget& viewer, QWidget* mainWindow, bool onTop) {
    QWidget* parent = onTop ? mainWindow : nullptr;
    const Qt::WindowType kind = onTop && mainWindow ? Qt::Tool : Qt::Window;
    if (viewer.parentWidget() == parent && viewer.windowType() == kind) return;
    const bool shown = viewer.isVisible();
    const QPoint place = viewer.pos();
    viewer.setParent(parent, kind);  // hides the window
    viewer.move(place);
    if (shown) viewer.show();
}

QPoint ViewerPlace(const QRect& mainFrame, const QRect& boardPanel, QSize ownFrame, int titleHeight,
                   const QRect& screen, int companionWidth) {
    const int right = mainFrame.right() + 1;
    const int left = mainFrame.left() - ownFrame.width();
    const int screenEnd = screen.right() + 1;
    const int besideTop =
        std::max(screen.top(), std::min(boardPanel.top() - titleHeight, screen.bottom() + 1 - ownFrame.height()));
    if (right + ownFrame.width() + companionWidth <= screenEnd) return {right, besideTop};
    if (left - companionWidth >= screen.left()) return {left, besideTop};
    if (right + ownFrame.width() <= screenEnd) return {right, besideTop};
    if (left >= screen.left()) return {left, besideTop};
    const int centred = mainFrame.left() + (mainFrame.width() - ownFrame.width()) / 2;
    return {centred, std::max({boardPanel.top() - ownFrame.height(), screen.top(), 0})};
}

void PlaceViewerBesideBoard(QWidget& viewer, TViewerHost& host, int companionWidth) {
    QWidget* main = host.HostWindow();
    if (!main) return;
    // Before the first show the desktop's frame is unknown: take a title bar's height.
    const int known = viewer.frameGeometry().height() - viewer.geometry().height();
    const int title = known > 0 ? known : viewer.style()->pixelMetric(QStyle::PM_TitleBarHeight) + 2;
    const QScreen* screen = main->screen();
    const QRect area = screen ? screen->availableGeometry() : QRect(0, 0, 1600, 1000);
    const QSize frame(viewer.width(), viewer.height() + title);
    viewer.move(ViewerPlace(main->frameGeometry(), host.BoardPanelGlobalRect(), frame, title, area, companionWidth));
}

}  // namespace vorlix
